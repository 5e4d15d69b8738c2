// The about box: version text, README.TXT shown once per showing, and the switches it stores.
#include "app/About.h"
#include "platform/GameState.h"

#include "AppTestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldCurrent = QDir::currentPath();
        QDir::setCurrent(folder.path());
    }
    void TearDown() override
    {
        QDir::setCurrent(oldCurrent);
        SoundOn = true;
        MusicOn = true;
    }
    void WriteReadme(const QByteArray& bytes)
    {
        QFile file(folder.filePath("README.TXT"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    QTemporaryDir folder;
    QString oldCurrent;
    PrivateSettings settings;
    RecordedBoxes boxes;
};

TEST_F(AboutTest, VersionHasTwoSpacesBeforeTheNumber)
{
    TfrmAbout about;
    EXPECT_EQ(about.lblVersion->text(), "Globana version  2.62");
}

TEST_F(AboutTest, ReadmeIsShownOnceAfterAnEmptyLineEvenWhenShownTwice)
{
    // Windows-1252 text with CR LF line ends, a lone LF and no end after the last line.
    WriteReadme("Globana\r\nCaf\xE9 \x80 5\r\n\r\nlast\nend");
    TfrmAbout about;
    about.show();
    about.hide();
    about.show();
    EXPECT_EQ(about.memAbout->toPlainText(),
              QString::fromUtf8("\nGlobana\nCaf\u00e9 \u20ac 5\n\nlast\nend"));
}

TEST_F(AboutTest, MissingReadmeLeavesOneEmptyLine)
{
    TfrmAbout about;
    about.show();
    EXPECT_EQ(about.memAbout->toPlainText(), "");
    EXPECT_EQ(about.memAbout->document()->blockCount(), 1);
}

TEST_F(AboutTest, ShowingTakesTheSwitchesOkAppliesAndStoresThem)
{
    SoundOn = true;
    MusicOn = false;
    TfrmAbout about;
    about.show();
    EXPECT_TRUE(about.chkSound->isChecked());
    EXPECT_FALSE(about.chkMusic->isChecked());

    about.chkSound->setChecked(false);
    about.chkMusic->setChecked(true);
    // Only OK applies the boxes.
    EXPECT_TRUE(SoundOn);
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);

    EXPECT_FALSE(SoundOn);
    EXPECT_TRUE(MusicOn);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(settings.FileText(), "[Options]\nMusic=1\nSounds=0\n");
}

TEST_F(AboutTest, F1OpensTopic100)
{
    TfrmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    QTest::keyClick(about.chkMusic, Qt::Key_F1);
    EXPECT_EQ(boxes.helpTopics, std::vector<int>{100});
}

} // namespace
