// TfrmTioitopp and ShowTopTen.
#include "scores/Tioitopp.h"

#include "data/Language.h"
#include "exercises/ovning.h"
#include "platform/Captions.h"
#include "platform/GameState.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/Sound.h"
#include "platform/Win1252.h"
#include "platform/WindowKit.h"
#include "platform/WindowPlacement.h"
#include "scores/ScorePictures.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

#include <filesystem>
#include <memory>

namespace {

const QString ReadErrorText =
    QStringLiteral("Error reading the highscore file. The following error occurred: ");
const QString WriteErrorText =
    QStringLiteral("Could not write to the highscore file. The following error occurred: ");

bool FileIsThere(const std::string& path)
{
    // Anything but "does not exist" counts, so that an unreadable file is reported, not
    // mistaken for a first run.
    std::error_code error;
    return std::filesystem::status(path, error).type() != std::filesystem::file_type::not_found;
}

} // namespace

TfrmTioitopp::TfrmTioitopp(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                         | Qt::WindowCloseButtonHint)
{
    OpenFixedWindow(this, "frmTioitopp", QStringLiteral("High scores"), {362, 403}, 11);
    FillBackground(this, Qt::white);

    // Creation order is tab order: the edit field comes first.
    txtNySignatur = new QLineEdit(this);
    txtNySignatur->setObjectName(QStringLiteral("txtNySignatur"));
    txtNySignatur->setFont(ArialPixels(13, true));
    txtNySignatur->setMaxLength(static_cast<int>(MaxScoreNameLength));
    txtNySignatur->resize(111, 24);
    txtNySignatur->hide();

    lblOvningsNamn = new QLabel(this);
    lblOvningsNamn->setObjectName(QStringLiteral("lblOvningsNamn"));
    lblOvningsNamn->setGeometry(12, 16, 337, 19);
    lblOvningsNamn->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont bold = lblOvningsNamn->font();
    bold.setBold(true);
    lblOvningsNamn->setFont(bold);

    Shape2 = MakeShape(this, "Shape2", ShapeWidget::Kind::Rectangle, {12, 40, 337, 317});

    Image1 = MakePicture(this, "Image1", {22, 52, 319, 37});
    Image2 = MakePicture(this, "Image2", {20, 318, 319, 37});
    for (PictureBox* image : {Image1, Image2}) {
        image->setStretched(true);
        image->setTransparent(true);
    }

    grdLista = new QTableWidget(this);
    grdLista->setObjectName(QStringLiteral("grdLista"));
    grdLista->setGeometry(42, 98, 277, 219);
    grdLista->setFrameShape(QFrame::NoFrame);
    grdLista->horizontalHeader()->hide();
    grdLista->verticalHeader()->hide();
    grdLista->verticalHeader()->setMinimumSectionSize(1);
    grdLista->verticalHeader()->setDefaultSectionSize(20);
    grdLista->setShowGrid(false);
    grdLista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdLista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdLista->setSelectionMode(QAbstractItemView::NoSelection);
    grdLista->setFocusPolicy(Qt::NoFocus);
    grdLista->setFont(ArialPixels(13, true));
    grdLista->setEnabled(false);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(12, 364, 337, 31);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmTioitopp::cmdOKClick);

    txtNySignatur->raise();
    txtNySignatur->installEventFilter(this);
    cmdOK->installEventFilter(this);
}

void TfrmTioitopp::SetExercise(int number, const std::string& name)
{
    exerciseNumber_ = number;
    exerciseName_ = name;
}

void TfrmTioitopp::ClearTable()
{
    ClearScoreTable(table_);
}

void TfrmTioitopp::LoadAndInsert(const std::string& fileName, int score)
{
    grdLista->setColumnCount(3);
    grdLista->setRowCount(10);
    grdLista->setColumnWidth(0, 30);
    grdLista->setColumnWidth(1, 190);
    grdLista->setColumnWidth(2, 50);
    for (int row = 0; row < 10; ++row)
        grdLista->setRowHeight(row, 20);

    ClearTable();
    fileName_ = fileName;
    if (FileIsThere(fileName_)) {
        try {
            ReadScoreFile(fileName_, table_);
        } catch (const std::exception& error) {
            ShowInformation(ReadErrorText + QString::fromLocal8Bit(error.what()));
        }
    }

    const int rank = InsertScore(table_, exerciseNumber_, score);
    if (rank > 0) {
        newRow_ = rank;
        txtNySignatur->setGeometry(grdLista->x() + grdLista->columnWidth(0),
                                   grdLista->y() + grdLista->rowHeight(0) * (rank - 1),
                                   grdLista->columnWidth(1), txtNySignatur->height());
        txtNySignatur->show();
        editing_ = true;
        QCoreApplication::processEvents();
        PlayMusic("good.mid", 0);
    }
    FillGrid();
}

void TfrmTioitopp::FillGrid()
{
    const auto cell = [this](int row, int column) {
        QTableWidgetItem* item = grdLista->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            grdLista->setItem(row, column, item);
        }
        return item;
    };
    for (int rank = 1; rank <= ScoreRanks; ++rank) {
        const TScoreEntry& entry = table_[exerciseNumber_][rank];
        cell(rank - 1, 0)->setText(QString::number(rank));
        cell(rank - 1, 1)->setText(FromWin1252(entry.Name));
        if (entry.Score > 0)
            cell(rank - 1, 2)->setText(QString::number(entry.Score) + QStringLiteral(" %"));
    }
}

void TfrmTioitopp::txtNySignaturExit()
{
    if (!editing_)
        return;
    editing_ = false; // hiding the field moves the focus, which would call this again
    table_[exerciseNumber_][newRow_].Name = ScoreNameFromText(txtNySignatur->text());
    txtNySignatur->hide();
    FillGrid();
}

void TfrmTioitopp::SaveTable()
{
    // Another copy of the game may have saved since this window read the file: the new result
    // goes into the file as it stands now, not this window's old picture of it.
    const TScoreEntry entry = newRow_ > 0 ? table_[exerciseNumber_][newRow_] : TScoreEntry{-1, {}};
    try {
        SaveScore(fileName_, exerciseNumber_, entry.Score, entry.Name, table_);
    } catch (const std::exception& error) {
        ShowInformation(WriteErrorText + QString::fromLocal8Bit(error.what()));
    }
}

void TfrmTioitopp::cmdOKClick()
{
    if (editing_)
        txtNySignaturExit();
    SaveTable();
    hide();
    accept();
    QCoreApplication::processEvents();
}

void TfrmTioitopp::showEvent(QShowEvent* event)
{
    TranslateCaptions(this, LanguageCaption);
    lblOvningsNamn->setText(FromWin1252(exerciseName_));
    const QColor frame = ToQColor(FrameColor);
    Shape2->setBrushColor(FrameColor);
    // The decoration is drawn on the colour it lies on, which the transparent pictures leave out.
    const QImage band = DecorationBand(319, 37, frame);
    Image1->canvas().setImage(band);
    Image2->canvas().setImage(band);
    QPalette grid = grdLista->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        grid.setColor(group, QPalette::Base, frame);
        grid.setColor(group, QPalette::Window, frame);
        grid.setColor(group, QPalette::Text, Qt::white);
    }
    grdLista->setPalette(grid);

    if (!event->spontaneous())
        CentreOnScreen(*this);
    QDialog::showEvent(event);
    if (editing_)
        txtNySignatur->setFocus(Qt::OtherFocusReason);
}

void TfrmTioitopp::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        OpenHelpContents();
        return;
    }
    // The window has no cancel button: Escape must not throw away a typed entry.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmTioitopp::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees F1 before its controls do.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        OpenHelpContents();
        return true;
    }
    if (watched == txtNySignatur && event->type() == QEvent::FocusOut) {
        // Switching to another application is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtNySignaturExit();
    }
    return QDialog::eventFilter(watched, event);
}

void ShowTopTen(COvning* exercise, int score, QWidget* owner)
{
    // Owned by the screen while it is open, but freed here; QPointer in case the screen (and
    // with it the window) goes away during the modal loop.
    QPointer<TfrmTioitopp> window = new TfrmTioitopp(owner);
    const struct Free {
        QPointer<TfrmTioitopp>& window;
        ~Free() { delete window.data(); }
    } free{window};
    window->SetExercise(exercise->Number, exercise->Names[CurrentLanguage]);
    window->LoadAndInsert(ScoreFilePath(), score);
    window->exec();
}
