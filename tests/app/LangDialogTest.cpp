// The language dialog: what it reads from GLOBANA.INI when shown, what OK and Cancel leave
// there, and its clicks and keys.
#include "app/Lang.h"
#include "platform/GameState.h"
#include "platform/PictureBox.h"

#include "AppTestSupport.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

// Runs the dialog modally; `act` runs once it is up.
int RunDialog(TfrmLang& dialog, const std::function<void()>& act)
{
    QTimer::singleShot(0, &dialog, act);
    return dialog.exec();
}

class LangDialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SoundOn = true;
        MusicOn = true;
    }

    PrivateSettings settings;
    RecordedBoxes boxes;
};

struct ShownCase {
    const char* name;
    QByteArray file;
    int checked;
    bool sound;
    bool music;
};

class LangDialogShownTest : public LangDialogTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(LangDialogShownTest, ReadsLanguageAndSwitchesWhenShown)
{
    const ShownCase& c = GetParam();
    if (!c.file.isNull())
        settings.WriteFile(c.file);
    SoundOn = !c.sound;
    MusicOn = !c.music;

    TfrmLang dialog;
    const int result = RunDialog(dialog, [&] { dialog.cmdOK->click(); });

    EXPECT_EQ(result, c.checked);
    EXPECT_EQ(SoundOn, c.sound);
    EXPECT_EQ(MusicOn, c.music);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LangDialogShownTest,
    ::testing::Values(
        ShownCase{"no_file_English_sound_and_music_on", QByteArray(), 2, true, true},
        ShownCase{"From_4_German", "[Languages]\nFrom=4\n", 4, true, true},
        ShownCase{"From_1_Swedish", "[Languages]\nFrom=1\n", 1, true, true},
        ShownCase{"From_7_leaves_the_design_choice", "[Languages]\nFrom=7\n", 2, true, true},
        ShownCase{"From_not_a_number_counts_as_English", "[Languages]\nFrom=fr\n", 2, true, true},
        ShownCase{"Music_2_is_off", "[Options]\nMusic=2\nSounds=1\n", 2, true, false},
        ShownCase{"Sounds_0_is_off", "[Options]\nMusic=1\nSounds=0\n", 2, false, true},
        ShownCase{"a_word_is_off", "[Options]\nMusic=yes\n", 2, true, false},
        ShownCase{"garbage_gives_the_defaults",
                  QByteArray("\x7f" "ELF\x02\x01\x00\x00[Lang\xff\xfe]\r\n=\x01\x02\n[]\nFrom\x00=4\n\x00\x00Sounds", 41),
                  2, true, true}),
    [](const ::testing::TestParamInfo<ShownCase>& info) { return std::string(info.param.name); });

// Each garbage file is kept, the second beside the first.
TEST_F(LangDialogTest, OkStoresTheLanguageOverASettingsFileOfGarbageAndKeepsTheGarbageAside)
{
    const QByteArray garbage[] = {
        QByteArray("\x7f" "ELF\x02\x01\x00\x00[Lang\xff\xfe]\r\n=\x01\x02\n[]\nFrom\x00=4\n", 32),
        QByteArray("\x7f" "ELF\x02\x02\x00\x00[Lang\xff\xfe]\r\n=\x01\x02\n[]\nFrom\x00=5\n", 32)};
    const QString copies[] = {SettingsFilePath() + QStringLiteral(".bad"), SettingsFilePath() + QStringLiteral(".bad.2")};
    for (int i = 0; i < 2; ++i) {
        settings.WriteFile(garbage[i]);
        TfrmLang dialog;
        RunDialog(dialog, [&] {
            dialog.chkFra->click();
            dialog.cmdOK->click();
        });
        EXPECT_EQ(settings.Value("Languages/From"), "3");
        QFile bad(copies[i]);
        ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
        EXPECT_EQ(bad.readAll(), garbage[i]);
    }
    EXPECT_TRUE(boxes.messages.isEmpty());
}

// A new account has no configuration folder yet: the first choice used to be asked again at
// every start. A folder that cannot be made is reported, once.
TEST_F(LangDialogTest, OkMakesAMissingConfigurationFolderOrReportsOnceThatItCannot)
{
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    const auto chooseFrench = [] {
        TfrmLang dialog;
        RunDialog(dialog, [&] {
            dialog.chkFra->click();
            dialog.cmdOK->click();
        });
    };
    qputenv("XDG_CONFIG_HOME", home + "/not/made/yet");
    chooseFrench();
    EXPECT_EQ(settings.Value("Languages/From"), "3");
    EXPECT_EQ(std::filesystem::status(home.toStdString() + "/not/made/yet").permissions(),
              std::filesystem::perms::owner_all);
    EXPECT_TRUE(boxes.messages.isEmpty());

    settings.WriteFile("a file where the folder should be");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(SettingsFilePath()) + "/config");
    chooseFrench();
    chooseFrench();
    EXPECT_EQ(boxes.messages.size(), 1) << "reported, and once";
    qputenv("XDG_CONFIG_HOME", home);
}

TEST_F(LangDialogTest, OkStoresTheCheckedLanguage)
{
    TfrmLang dialog;
    const int result = RunDialog(dialog, [&] {
        dialog.chkFra->click();
        dialog.cmdOK->click();
    });

    EXPECT_EQ(result, 3);
    EXPECT_EQ(settings.Value("Languages/From"), "3");
}

TEST_F(LangDialogTest, EnterIsOk)
{
    TfrmLang dialog;
    const int result = RunDialog(dialog, [&] {
        dialog.chkSpa->setChecked(true);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(result, 5);
    EXPECT_EQ(settings.Value("Languages/From"), "5");
}

TEST_F(LangDialogTest, CancelAndEscapeGive42AndWriteNothing)
{
    for (const bool escape : {false, true}) {
        TfrmLang dialog;
        const int result = RunDialog(dialog, [&] {
            dialog.chkTys->click();
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.cmdAvbryt->click();
        });
        EXPECT_EQ(result, TfrmLang::CancelResult) << (escape ? "Escape" : "Cancel");
        EXPECT_FALSE(settings.FileExists()) << (escape ? "Escape" : "Cancel");
    }
}

TEST_F(LangDialogTest, CancelKeepsTheEarlierChoiceForTheNextStart)
{
    {
        TfrmLang first;
        RunDialog(first, [&] {
            first.chkSve->click();
            first.cmdOK->click();
        });
    }
    {
        TfrmLang second;
        RunDialog(second, [&] {
            second.chkSpa->click();
            second.cmdAvbryt->click();
        });
    }
    TfrmLang third;
    int shownChecked = 0;
    RunDialog(third, [&] {
        shownChecked = third.CheckedLanguage();
        third.reject();
    });
    EXPECT_EQ(shownChecked, 1);
}

TEST_F(LangDialogTest, AFlagClickChecksTheButtonBesideIt)
{
    TfrmLang dialog;
    const std::pair<PictureBox*, QRadioButton*> flags[] = {
        {dialog.imgSvensk, dialog.chkSve}, {dialog.Image1, dialog.chkFra},
        {dialog.Image2, dialog.chkTys},    {dialog.Image3, dialog.chkSpa},
        {dialog.imgUSA, dialog.chkEng}};
    for (const auto& [picture, radio] : flags)
        EXPECT_EQ(picture->canvas().image().size(), QSize(32, 32)) << "flag of " << radio->text().toStdString();
    RunDialog(dialog, [&] {
        for (const auto& [picture, radio] : flags) {
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(10, 10));
            EXPECT_TRUE(radio->isChecked()) << radio->objectName().toStdString();
        }
        dialog.reject();
    });
}

TEST_F(LangDialogTest, F1OpensTheHelpContentsFromAnyControl)
{
    TfrmLang dialog;
    RunDialog(dialog, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.chkFra->setFocus();
        QTest::keyClick(dialog.chkFra, Qt::Key_F1);
        dialog.reject();
    });
    EXPECT_EQ(boxes.helpTopics, std::vector<int>{0});
}

TEST_F(LangDialogTest, RadioButtonsSitOnThePanelInItsColour)
{
    TfrmLang dialog;
    RunDialog(dialog, [&] { dialog.reject(); });
    // Buttons fill with the Button role unless told otherwise; this once showed grey.
    const QImage radio = dialog.chkSve->grab().toImage();
    EXPECT_EQ(radio.pixelColor(radio.width() - 2, 1), QColor(0xC0, 0xD0, 0xE0));
}

} // namespace
