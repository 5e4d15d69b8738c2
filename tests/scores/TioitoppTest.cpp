// The top-ten window: entering a result, typing a name, saving on OK only, reporting errors.
#include "scores/Tioitopp.h"

#include "ScoreWindowFixture.h"
#include "exercises/ovning.h"
#include "platform/PictureBox.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <filesystem>

namespace {

const QString ReadError = QStringLiteral("Error reading the highscore file. The following error occurred: ");
const QString WriteError = QStringLiteral("Could not write to the highscore file. The following error occurred: ");

// Records of ranks 1, 2, … with the given scores.
std::string Ranks(int exercise, const std::vector<int>& scores)
{
    std::string text;
    for (std::size_t i = 0; i < scores.size(); ++i)
        text += ScoreWindowTest::Record(exercise, static_cast<int>(i) + 1, "P" + std::to_string(i + 1), scores[i]);
    return text;
}

// Types text as key presses; QTest::keyClicks only knows ASCII.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

class TioitoppTest : public ScoreWindowTest {
protected:
    // A window for exercise 7 loaded from the folder's file.
    std::unique_ptr<TfrmTioitopp> Open(int score)
    {
        auto window = std::make_unique<TfrmTioitopp>();
        window->SetExercise(7, "Europas l\xE4nder");
        window->LoadAndInsert(Path(), score);
        return window;
    }

    static void ShowActive(TfrmTioitopp& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    static QString Cell(const TfrmTioitopp& window, int row, int column)
    {
        const QTableWidgetItem* item = window.grdLista->item(row, column);
        return item ? item->text() : QString();
    }

    ScoreTable Saved() const
    {
        ScoreTable table;
        ReadScoreFile(Path(), table);
        return table;
    }
};

struct EntryRow {
    const char* name;
    std::string file; // "" = no file
    int score;
    int rank;
};
void PrintTo(const EntryRow& row, std::ostream* out) { *out << row.name; }

class TioitoppEntry : public TioitoppTest, public ::testing::WithParamInterface<EntryRow> {};

TEST_P(TioitoppEntry, EditFieldLiesOverTheNameCellOfTheNewRank)
{
    if (!GetParam().file.empty())
        WriteBytes(Path(), GetParam().file);
    const auto window = Open(GetParam().score);
    const int rank = GetParam().rank;

    EXPECT_EQ(window->NewRow(), rank);
    EXPECT_FALSE(window->txtNySignatur->isHidden());
    EXPECT_EQ(window->txtNySignatur->geometry(), QRect(42 + 30, 98 + 20 * (rank - 1), 190, 24));
    EXPECT_EQ(Cell(*window, rank - 1, 0), QString::number(rank));
    EXPECT_EQ(Cell(*window, rank - 1, 1), QStringLiteral("Ok\u00E4nd"));
    EXPECT_EQ(Cell(*window, rank - 1, 2), QString::number(GetParam().score) + " %");
    EXPECT_EQ(players.midi->plays, 1);
    EXPECT_TRUE(QString::fromStdString(players.midi->fileName()).endsWith("/good.mid"));
    EXPECT_TRUE(boxes.kinds.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TioitoppEntry,
    ::testing::Values(
        EntryRow{"no_file_rank_1", "", 1, 1},
        EntryRow{"ties_stay_above", Ranks(7, {90, 80, 80, 70}), 80, 4},
        EntryRow{"last_place", Ranks(7, {90, 90, 90, 90, 90, 90, 90, 90, 90, 20}), 21, 10},
        EntryRow{"other_exercises_do_not_count", Ranks(8, {90, 90}), 5, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TioitoppTest, EqualScoresOnlyShowTheListWithoutMusic)
{
    WriteBytes(Path(), Ranks(7, std::vector<int>(10, 80)));
    const auto window = Open(80);
    EXPECT_EQ(window->NewRow(), 0);
    EXPECT_TRUE(window->txtNySignatur->isHidden());
    EXPECT_EQ(players.midi->plays, 0);
    EXPECT_EQ(Cell(*window, 9, 1), "P10");
    EXPECT_EQ(Cell(*window, 9, 2), "80 %");
}

TEST_F(TioitoppTest, ZeroPercentNeverEntersAndEmptyScoresShowNoPercent)
{
    const auto window = Open(0);
    EXPECT_TRUE(window->txtNySignatur->isHidden());
    EXPECT_EQ(Cell(*window, 0, 0), "1");
    EXPECT_EQ(Cell(*window, 0, 1), "");
    EXPECT_EQ(Cell(*window, 0, 2), "");
}

TEST_F(TioitoppTest, TypedNameAndOkSaveTheWholeFile)
{
    WriteBytes(Path(), Record(7, 1, "Ann", 90) + Record(3, 1, "Other exercise", 55));
    const auto window = Open(85);
    ShowActive(*window);
    ASSERT_EQ(window->txtNySignatur, QApplication::focusWidget()) << "the player types at once";
    Type(window->txtNySignatur, QStringLiteral("\u00C5sa \u674E"));
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);

    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->isVisible());
    const ScoreTable saved = Saved();
    EXPECT_EQ(saved[7][1], (TScoreEntry{90, "Ann"}));
    EXPECT_EQ(saved[7][2], (TScoreEntry{85, "\xC5sa ?"})); // outside Windows-1252 becomes '?'
    EXPECT_EQ(saved[3][1], (TScoreEntry{55, "Other exercise"}));
    const std::string text = ReadBytes(Path());
    std::size_t lineEnds = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2)
        ++lineEnds;
    EXPECT_EQ(lineEnds, 3600u);
    EXPECT_TRUE(boxes.kinds.empty());
}

// Two copies of the game with their top-ten windows open at once: each read the file before the
// other saved. The later save used to write its old picture of the file over the other's result.
TEST_F(TioitoppTest, TwoWindowsOpenAtOnceKeepBothResults)
{
    WriteBytes(Path(), Record(7, 1, "Ann", 90));
    const auto alpha = Open(80);
    const auto bravo = Open(85);
    ASSERT_EQ(alpha->NewRow(), 2);
    ASSERT_EQ(bravo->NewRow(), 2);
    ShowActive(*alpha);
    QTest::keyClicks(alpha->txtNySignatur, "Alpha");
    QTest::mouseClick(alpha->cmdOK, Qt::LeftButton);
    ShowActive(*bravo);
    QTest::keyClicks(bravo->txtNySignatur, "Bravo");
    QTest::mouseClick(bravo->cmdOK, Qt::LeftButton);

    const ScoreTable saved = Saved();
    EXPECT_EQ(saved[7][1], (TScoreEntry{90, "Ann"}));
    EXPECT_EQ(saved[7][2], (TScoreEntry{85, "Bravo"}));
    EXPECT_EQ(saved[7][3], (TScoreEntry{80, "Alpha"})) << "the first save is kept, one rank lower now";
    EXPECT_TRUE(boxes.kinds.empty());
}

TEST_F(TioitoppTest, EnterInTheEditFieldConfirms)
{
    const auto window = Open(40);
    ShowActive(*window);
    QTest::keyClicks(window->txtNySignatur, "Bo");
    QTest::keyClick(window->txtNySignatur, Qt::Key_Return);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(Saved()[7][1], (TScoreEntry{40, "Bo"}));
}

TEST_F(TioitoppTest, LeavingTheEditFieldTakesTheNameAndHidesIt)
{
    const auto window = Open(40);
    ShowActive(*window);
    QTest::keyClicks(window->txtNySignatur, "Cecilia");
    window->cmdOK->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(window->txtNySignatur->isHidden());
    EXPECT_EQ(window->Table()[7][1].Name, "Cecilia");
    EXPECT_EQ(Cell(*window, 0, 1), "Cecilia");
    EXPECT_FALSE(std::filesystem::exists(Path())) << "only OK saves";
}

TEST_F(TioitoppTest, CloseBoxAndEscapeDiscardTheEntryAndLeaveTheFileUntouched)
{
    const std::string before = Record(7, 1, "Ann", 90);
    WriteBytes(Path(), before);
    const auto window = Open(95);
    ShowActive(*window);
    QTest::keyClicks(window->txtNySignatur, "Dan");
    QTest::keyClick(window->txtNySignatur, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible()) << "Escape must not throw the typed name away";

    window->close();
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(ReadBytes(Path()), before);
}

TEST_F(TioitoppTest, LookingAtAListAndOkCreatesTheFile)
{
    const auto window = Open(-1);
    EXPECT_TRUE(window->txtNySignatur->isHidden());
    ShowActive(*window);
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    EXPECT_EQ(ReadBytes(Path()), FormatScoreFile(ScoreTable{}));
    EXPECT_TRUE(boxes.kinds.empty());
}

TEST_F(TioitoppTest, DamagedFileIsReportedAndKeptAsideBeforeSaving)
{
    const std::string damaged = Record(7, 1, "Ann", 90) + Record(7, 0, "Bad rank", 50) + Record(7, 2, "Lost", 40);
    WriteBytes(Path(), damaged);
    const auto window = Open(60);

    ASSERT_EQ(boxes.kinds, std::vector{MessageKind::Information}) << "one box; it used to have no icon";
    EXPECT_TRUE(boxes.messages[0].startsWith(ReadError)) << boxes.messages[0].toStdString();
    EXPECT_GT(boxes.messages[0].size(), ReadError.size()) << "the error's own message follows";
    EXPECT_EQ(window->Table()[7][1], (TScoreEntry{90, "Ann"})) << "records before the fault stay";
    EXPECT_EQ(window->NewRow(), 2);

    ShowActive(*window);
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    EXPECT_EQ(boxes.kinds.size(), 1u);
    // Was: the file was overwritten with only what had been read, losing "Lost" for good.
    EXPECT_EQ(ReadBytes(Path("scores.hgh.bad")), damaged);
    EXPECT_EQ(Saved()[7][2].Score, 60);
}

ssize_t DiskFull(int, const void*, std::size_t)
{
    errno = ENOSPC;
    return -1;
}

TEST_F(TioitoppTest, WriteErrorIsReportedAndTheOldFileStays)
{
    const std::string before = Record(7, 1, "Ann", 90);
    WriteBytes(Path(), before);
    const auto window = Open(95);
    ShowActive(*window);
    SetScoreFileWriteFunction(DiskFull);
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    SetScoreFileWriteFunction(nullptr);

    ASSERT_EQ(boxes.kinds, std::vector{MessageKind::Information}) << "one box; it used to have no icon";
    EXPECT_EQ(boxes.messages[0], WriteError + QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_EQ(ReadBytes(Path()), before);
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(TioitoppTest, ShowingLabelsTheWindowAndColoursTheList)
{
    const auto window = Open(-1);
    ShowActive(*window);
    EXPECT_EQ(window->windowTitle(), "Tio i topp");
    EXPECT_EQ(window->lblOvningsNamn->text(), QStringLiteral("Europas l\u00E4nder"));
    EXPECT_EQ(window->cmdOK->text(), "OK");
    EXPECT_TRUE(window->cmdOK->isDefault());
    EXPECT_EQ(window->size(), QSize(362, 403));
    EXPECT_EQ(window->grdLista->geometry(), QRect(42, 98, 277, 219));
    EXPECT_FALSE(window->grdLista->isEnabled());
    EXPECT_EQ(window->grdLista->columnCount(), 3);
    EXPECT_EQ(window->grdLista->rowCount(), 10);
    EXPECT_EQ(window->grdLista->columnWidth(1), 190);
    EXPECT_EQ(window->grdLista->rowHeight(9), 20);
    EXPECT_EQ(window->grdLista->palette().color(QPalette::Disabled, QPalette::Base), ToQColor(FrameColor));
    EXPECT_FALSE(window->Image1->canvas().image().isNull());
}

TEST_F(TioitoppTest, F1OpensTheHelpContentsWhereverTheFocusIs)
{
    const auto window = Open(50);
    ShowActive(*window);
    QTest::keyClick(window->txtNySignatur, Qt::Key_F1);
    QTest::keyClick(window->cmdOK, Qt::Key_F1);
    EXPECT_EQ(boxes.helpTopics, (std::vector<int>{0, 0}));
    EXPECT_TRUE(window->txtNySignatur->text().isEmpty()) << "F1 is not typed";
}

TEST_F(TioitoppTest, ShowTopTenOpensAModalWindowOwnedByTheScreenAndFreesIt)
{
    COvning exercise;
    exercise.Number = 12;
    exercise.Names[1] = "Afrikas huvudst\xE4" "der";
    QWidget owner;
    QString shownName;
    QObject* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TfrmTioitopp*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        shownName = window->lblOvningsNamn->text();
        parent = window->parent();
        window->close(); // the close box: nothing is written beside the test program
    });
    ShowTopTen(&exercise, -1, &owner);
    EXPECT_EQ(shownName, QStringLiteral("Afrikas huvudst\u00E4der"));
    EXPECT_EQ(parent, &owner);
    EXPECT_TRUE(owner.findChildren<TfrmTioitopp*>().isEmpty());
}

} // namespace
