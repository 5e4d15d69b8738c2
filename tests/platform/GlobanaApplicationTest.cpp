// The general error box: exceptions that leave event handlers, under a real GlobanaApplication.
#include "platform/GlobanaApplication.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

class ThrowingWidget : public QWidget {
public:
    int pressesFinished = 0;

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        throw std::runtime_error("Range check error");
        ++pressesFinished; // never reached: the rest of the handler is skipped
    }
    void keyPressEvent(QKeyEvent*) override { throw 42; }
};

class ErrorBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GlobanaApplication::errorBox = [this](const QString& message) { messages.push_back(message); };
    }
    void TearDown() override { GlobanaApplication::errorBox = nullptr; }
    std::vector<QString> messages;
};

TEST_F(ErrorBoxTest, HandlerExceptionsAreShownAndTheProgramGoesOn)
{
    ThrowingWidget widget;
    widget.resize(50, 50);
    widget.show();
    QTest::mouseClick(&widget, Qt::LeftButton);
    QTest::keyClick(&widget, Qt::Key_A);
    QTest::mouseClick(&widget, Qt::RightButton);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], "Range check error");
    EXPECT_EQ(messages[1], "Unknown error.");
    EXPECT_EQ(messages[2], "Range check error");
    EXPECT_EQ(widget.pressesFinished, 0);
}

TEST_F(ErrorBoxTest, SlotsAndTimersAreCovered)
{
    QPushButton button("Starta");
    int after = 0;
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("File \"Ovning.crp\" not found."); });
    QObject::connect(&button, &QPushButton::clicked, [&] { ++after; });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);

    bool fired = false;
    QTimer::singleShot(0, [&] {
        fired = true;
        throw std::out_of_range("timer");
    });
    QTest::qWait(20);

    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "File \"Ovning.crp\" not found.");
    EXPECT_EQ(messages[1], "timer");
    EXPECT_TRUE(fired);
    // The button still works afterwards.
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(messages.size(), 3u);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GlobanaApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
