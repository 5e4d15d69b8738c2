// The general error box: exceptions that leave event handlers, under a real GlobanaApplication;
// and the termination signals, which reach the game through its event loop.
#include "platform/GlobanaApplication.h"
#include "platform/SdlMediaPlayer.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdint>
#include <fstream>
#include <stdexcept>

// An exception from a handler skips the destructors in Qt's frames on its way to notify (Qt is
// built without exception support), and what they held leaks inside Qt. scripts/lsan.supp names
// those Qt functions, which only full stacks show.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

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

// A short silent WAV: 16-bit mono at 8 kHz.
void WriteSilence(const std::string& path)
{
    const auto le = [](std::uint32_t v, int bytes) {
        std::string s;
        for (int i = 0; i < bytes; ++i)
            s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return s;
    };
    const std::uint32_t data = 1600;
    std::ofstream(path, std::ios::binary)
        << "RIFF" << le(36 + data, 4) << "WAVEfmt " << le(16, 4) << le(1, 2) << le(1, 2)
        << le(8000, 4) << le(16000, 4) << le(2, 2) << le(16, 2) << "data" << le(data, 4)
        << std::string(data, '\0');
}

// SDL used to take SIGTERM and SIGINT over when its audio started, and turn them into events the
// game never reads: after the first sound, kill or logging out no longer ended the game.
TEST(TerminationSignals, AfterASoundTheyStillReachTheGame)
{
    QTemporaryDir dir;
    const std::string wav = dir.filePath(QStringLiteral("plopp.wav")).toStdString();
    WriteSilence(wav);
    SdlMediaPlayer player;
    player.setFileName(wav);
    player.open();
    player.play();
    for (const int signal : {SIGTERM, SIGINT}) {
        struct sigaction handler {};
        ::sigaction(signal, nullptr, &handler);
        EXPECT_EQ(handler.sa_handler, SIG_DFL) << "the sound took signal " << signal << " over";
    }

    auto* app = static_cast<GlobanaApplication*>(QCoreApplication::instance());
    app->WatchTerminationSignals();
    QSignalSpy requested(app, &GlobanaApplication::terminationRequested);
    std::raise(SIGTERM);
    ASSERT_TRUE(requested.wait(5000));
    std::raise(SIGINT);
    if (requested.count() < 2) {
        ASSERT_TRUE(requested.wait(5000));
    }
    ASSERT_EQ(requested.count(), 2);
    EXPECT_EQ(requested[0][0].toInt(), SIGTERM);
    EXPECT_EQ(requested[1][0].toInt(), SIGINT);
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
