// TranslateCaptions: which controls take their text from the language table by Tag.
#include "app/Lang.h"
#include "platform/Errors.h"
#include "platform/GameState.h"
#include "platform/PictureBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class CaptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearLanguageTable();
        for (int n = 1; n <= 34; ++n)
            for (int language = 1; language <= 5; ++language)
                LanguageText(language, n) = "T" + std::to_string(n) + "L" + std::to_string(language);
        CurrentLanguage = 4;
    }
    void TearDown() override
    {
        ClearLanguageTable();
        CurrentLanguage = 2;
    }

    template <typename T>
    static T* Tagged(QWidget* parent, int tag, const char* text = "design")
    {
        auto* control = new T(parent);
        control->setProperty("Tag", tag);
        if constexpr (!std::is_same_v<T, PictureBox>)
            control->setText(QString::fromLatin1(text));
        return control;
    }
};

TEST_F(CaptionsTest, ButtonsAndLabelsWithATagTakeTheirStringInTheCurrentLanguage)
{
    QWidget window;
    window.setWindowTitle("design title");
    auto* panel = new QWidget(&window);
    auto* button = Tagged<QPushButton>(panel, 11);
    auto* label = Tagged<QLabel>(&window, 34);
    auto* untagged = Tagged<QPushButton>(&window, 0);
    auto* check = Tagged<QCheckBox>(&window, 3);
    auto* picture = Tagged<PictureBox>(&window, 99); // other kinds: any Tag is left alone

    TranslateCaptions(&window);

    EXPECT_EQ(button->text(), "T11L4");
    EXPECT_EQ(label->text(), "T34L4");
    EXPECT_EQ(untagged->text(), "design");
    EXPECT_EQ(check->text(), "design");
    EXPECT_EQ(picture->property("Tag").toInt(), 99);
    EXPECT_EQ(window.windowTitle(), "design title") << "a window with Tag 0 keeps its caption";
}

TEST_F(CaptionsTest, AWindowWithATagTakesItsCaptionAMissingEntryIsEmpty)
{
    LanguageText(4, 12).clear();
    QWidget window;
    window.setProperty("Tag", 17);
    auto* button = Tagged<QPushButton>(&window, 12);
    TranslateCaptions(&window);
    EXPECT_EQ(window.windowTitle(), "T17L4");
    EXPECT_EQ(button->text(), "");
}

TEST_F(CaptionsTest, AWindowOwnedByTheWindowIsLeftToItsOwnShowing)
{
    QWidget window;
    auto* screen = new QWidget(&window, Qt::Window);
    screen->setProperty("Tag", 8);
    auto* inner = Tagged<QPushButton>(screen, 23);
    TranslateCaptions(&window);
    EXPECT_EQ(inner->text(), "design");
}

TEST_F(CaptionsTest, ATagOutsideTheTableIsARangeError)
{
    for (const int tag : {35, -1}) {
        QWidget window;
        Tagged<QLabel>(&window, tag);
        EXPECT_THROW(TranslateCaptions(&window), ERangeError) << tag;
    }
    QWidget window;
    window.setProperty("Tag", 40);
    EXPECT_THROW(TranslateCaptions(&window), ERangeError);
}

} // namespace
