// TfrmTopplista.
#include "scores/Topp.h"

#include "data/Language.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "platform/Captions.h"
#include "platform/GameState.h"
#include "platform/Help.h"
#include "platform/Paths.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/Win1252.h"
#include "platform/WindowKit.h"
#include "platform/WindowPlacement.h"
#include "scores/ScorePictures.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <filesystem>

namespace {

// Draws a line at the right edge of every cell: the list has vertical lines only.
class VerticalLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(QColor(0xC0, 0xC0, 0xC0));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
};

} // namespace

TfrmTopplista::TfrmTopplista(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    OpenFixedWindow(this, "frmTopplista", QStringLiteral("Topplistan"), {632, 453}, 8);
    FillBackground(this, Qt::white);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(60, 18, 519, 411);
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAutoFillBackground(true);

    lblRubrik = MakeLabel(Panel1, "lblRubrik", {22, 14, 485, 27}, ArialPixels(21, true), Qt::yellow,
                          Qt::AlignHCenter | Qt::AlignTop);
    lblRubrik->setText(QStringLiteral("T O P P L I S T A N"));
    lblRubrik->setProperty("Tag", 2);

    imgBlomma1 = MakePicture(Panel1, "imgBlomma1", {16, 10, 45, 35});
    imgBlomma2 = MakePicture(Panel1, "imgBlomma2", {470, 10, 37, 35});
    for (PictureBox* flower : {imgBlomma1, imgBlomma2}) {
        flower->setTransparent(true);
        connect(flower, &PictureBox::mousePressed, this, &TfrmTopplista::imgBlommaMouseDown);
    }

    grdLista = new QTableWidget(Panel1);
    grdLista->setObjectName(QStringLiteral("grdLista"));
    grdLista->setGeometry(18, 53, 487, 299);
    grdLista->horizontalHeader()->hide();
    grdLista->verticalHeader()->hide();
    grdLista->verticalHeader()->setMinimumSectionSize(1);
    grdLista->verticalHeader()->setDefaultSectionSize(20);
    grdLista->setShowGrid(false);
    grdLista->setItemDelegate(new VerticalLineDelegate(grdLista));
    grdLista->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdLista->setSelectionMode(QAbstractItemView::SingleSelection);
    grdLista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdLista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdLista->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grdLista->setFont(ArialPixels(13));
    grdLista->installEventFilter(this);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(78, 380, 487, 31);
    cmdOK->setDefault(true);
    cmdOK->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmTopplista::cmdOKClick);
}

void TfrmTopplista::LoadList(const std::string& fileName, const COvningar& catalogue)
{
    grdLista->setColumnCount(4);
    grdLista->setRowCount(90);
    grdLista->setColumnWidth(0, 0);
    grdLista->setColumnHidden(0, true);
    grdLista->setColumnWidth(1, 295);
    grdLista->setColumnWidth(2, 120);
    grdLista->setColumnWidth(3, 50);

    fileName_ = fileName;
    ClearScoreTable(table_);
    // Before the first result is saved there is no file: that is an empty list, not an error.
    std::error_code error;
    if (std::filesystem::status(fileName_, error).type() != std::filesystem::file_type::not_found)
        ReadScoreFile(fileName_, table_);
    FillList(catalogue);
}

void TfrmTopplista::FillList(const COvningar& catalogue)
{
    int rows = 0;
    for (const COvning* exercise = catalogue.First; exercise; exercise = exercise->Next)
        ++rows;
    grdLista->setRowCount(rows);

    int row = 0;
    for (const COvning* exercise = catalogue.First; exercise; exercise = exercise->Next, ++row) {
        const TScoreEntry& best = table_[exercise->Number][1];
        const QString texts[4] = {
            QString::number(exercise->Number),
            FromWin1252(exercise->Names[CurrentLanguage]),
            FromWin1252(best.Name),
            best.Score > 0 ? QString::number(best.Score) + QStringLiteral(" %") : QString(),
        };
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            grdLista->setItem(row, column, item);
        }
    }
    if (rows > 0)
        grdLista->selectRow(0);
}

void TfrmTopplista::cmdOKClick()
{
    accept();
}

void TfrmTopplista::imgBlommaMouseDown()
{
    const int x1 = imgBlomma1->x();
    imgBlomma1->move(imgBlomma2->x(), imgBlomma1->y());
    imgBlomma2->move(x1, imgBlomma2->y());
}

void TfrmTopplista::showEvent(QShowEvent* event)
{
    TranslateCaptions(this, LanguageCaption);
    QPalette grid = grdLista->palette();
    grid.setColor(QPalette::Base, ToQColor(PanelColor));
    grdLista->setPalette(grid);
    QPalette panel = Panel1->palette();
    panel.setColor(QPalette::Window, ToQColor(FrameColor));
    Panel1->setPalette(panel);
    // The icons are drawn on the panel's colour, which the transparent pictures leave out.
    const QColor frame = ToQColor(FrameColor);
    imgBlomma1->canvas().setImage(FlowerIcon(QColor(0xE8, 0x3A, 0x5C), frame));
    imgBlomma2->canvas().setImage(FlowerIcon(QColor(0xF2, 0x8C, 0xD8), frame));

    if (!event->spontaneous())
        CentreOnScreen(*this);
    QDialog::showEvent(event);
}

void TfrmTopplista::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        OpenHelpContents();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmTopplista::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        OpenHelpContents();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
