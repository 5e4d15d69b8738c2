// The main window: start of the menu, world-part selection, exercise list and start.
#include "app/Hmeny.h"

#include "app/About.h"
#include "app/Lang.h"
#include "app/Pictures.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "platform/Errors.h"
#include "platform/GifPicture.h"
#include "platform/GlobanaApplication.h"
#include "platform/Help.h"
#include "platform/Hourglass.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/Shape.h"
#include "platform/Sound.h"
#include "platform/Win1252.h"
#include "platform/WindowKit.h"
#include "platform/WindowPlacement.h"
#include "scores/Topp.h"
#include "screens/Ovform.h"
#include "screens/ScreenFactory.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr TColor Navy = 0x800000;
constexpr TColor Yellow = 0x00FFFF;
constexpr TColor White = 0xFFFFFF;

// Every row of a list box has the same fixed height.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    FixedRowDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

QListWidget* MakeList(QWidget* parent, const char* name, const QRect& at, const QFont& font,
                      int rowHeight)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(at);
    list->setFont(font);
    list->setItemDelegate(new FixedRowDelegate(rowHeight, list));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// The menu's buttons take the focus on a click too, as the lists do.
QPushButton* MenuButton(QWidget* parent, const char* name, const QRect& at, int tag)
{
    QPushButton* button = MakeButton(parent, name, at, tag, Qt::StrongFocus);
    button->setFont(ArialPixels(12));
    return button;
}

// The colour of a picture's pixel; a point outside the picture matches only other points
// outside a picture.
TColor PixelOf(const QImage& picture, int x, int y)
{
    if (!picture.valid(x, y))
        return 0xFFFFFFFF;
    return FromQRgb(picture.pixel(x, y));
}

QImage LoadBuiltInPicture(const char* name)
{
    QImage picture(QStringLiteral(":/pictures/") + QLatin1String(name));
    return picture.convertToFormat(QImage::Format_RGB32);
}

QString FailureText(const char* what, const QString& message)
{
    return QStringLiteral("Oops! I failed to ") + QLatin1String(what)
        + QStringLiteral(".\r\nThe following problem occurred: ") + message + QStringLiteral("\r\n")
        + QStringLiteral("Globana") + QStringLiteral(" will be terminated.");
}

// The general error box, for an error outside an event handler.
void ReportError(const QString& message)
{
    if (GlobanaApplication::errorBox)
        GlobanaApplication::errorBox(message);
    else
        ShowError(message);
}

// 2 to the power of the bits per pixel, times the planes (one), without overflowing: a 32-bit
// display has more than 256 colours.
int ColorCountOf(int bitsPerPixel)
{
    if (bitsPerPixel >= 31)
        return INT_MAX;
    return 1 << std::max(bitsPerPixel, 0);
}

} // namespace

TfrmHuvudmeny::TfrmHuvudmeny(const std::string& dataDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint),
      dataDir_(dataDir)
{
    UsePictureResources();
    OpenFixedWindow(this, "frmHuvudmeny", QStringLiteral("Globana"), {598, 453});
    setFont(WindowFont());
    setAutoFillBackground(true);

    QWidget* client = MakePanel(this, panPanel, "panPanel", {0, 0, 579, 441});
    SetColour(panPanel, QPalette::Window, Qt::white);

    Shape3 = MakeShape(client, "Shape3", ShapeWidget::Kind::Rectangle, {8, 6, 151, 427});
    Image1 = MakePicture(client, "Image1", {24, 7, 120, 423});
    Image1->setTransparent(true);
    Shape1 = MakeShape(client, "Shape1", ShapeWidget::Kind::Rectangle, {168, 6, 401, 427});
    Shape4 = MakeShape(client, "Shape4", ShapeWidget::Kind::Rectangle, {176, 45, 385, 132});
    Shape4->setBrushClear();
    imgMap = MakePicture(client, "imgMap", {175, 46, 386, 133});
    imgMap->setPictureSize(386, 133);

    lblInstruktion = MakeLabel(client, "lblInstruktion", {178, 144, 381, 29}, ArialPixels(12),
                               Qt::white, Qt::AlignHCenter | Qt::AlignTop);
    lblInstruktion->setProperty("Tag", 25);
    lblInstruktion->setWordWrap(true);

    lstParts = MakeList(client, "lstParts", {175, 176, 106, 133}, ArialPixels(13, true), 16);
    cboOvningar = MakeList(client, "cboOvningar", {280, 176, 281, 133}, ArialPixels(12), 15);

    cmdStarta = MenuButton(client, "cmdStarta", {176, 315, 193, 28}, 1);
    cmdTioitopp = MenuButton(client, "cmdTioitopp", {372, 315, 191, 28}, 2);
    Shape2 = MakeShape(client, "Shape2", ShapeWidget::Kind::Circle, {364, 343, 11, 17});
    Shape2->setBrushColor(0x0000FF);
    cmdOm = MenuButton(client, "cmdOm", {372, 364, 191, 28}, 5);
    cmdHjalp = MenuButton(client, "cmdHjalp", {176, 396, 193, 28}, 18);
    cmdAvsluta = MenuButton(client, "cmdAvsluta", {372, 396, 190, 28}, 3);

    tmrInstruktion = MakeTimer(this, "tmrInstruktion", 200);

    imgEuropa = LoadBuiltInPicture("europa.bmp");
    imgNordAmerika = LoadBuiltInPicture("nordamerika.bmp");
    imgSydAmerika = LoadBuiltInPicture("sydamerika.bmp");
    imgAsien = LoadBuiltInPicture("asien.bmp");
    imgAfrika = LoadBuiltInPicture("afrika.bmp");
    imgAustralien = LoadBuiltInPicture("australien.bmp");
    imgHela = LoadBuiltInPicture("hela.bmp");

    connect(imgMap, &PictureBox::mousePressed, this,
            [this](int x, int y, Qt::MouseButton) { imgMapMouseDown(x, y); });
    lstParts->installEventFilter(this);
    lstParts->viewport()->installEventFilter(this);
    cboOvningar->viewport()->installEventFilter(this);
    connect(tmrInstruktion, &QTimer::timeout, this, &TfrmHuvudmeny::tmrInstruktionTimer);
    connect(Shape2, &ShapeWidget::mousePressed, this, &TfrmHuvudmeny::Shape2MouseDown);
    connect(cmdStarta, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdStartaClick);
    connect(cmdTioitopp, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdTioitoppClick);
    connect(cmdOm, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdOmClick);
    connect(cmdHjalp, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdHjalpClick);
    connect(cmdAvsluta, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdAvslutaClick);
    OnHelpKey(this, [this] { cmdHjalpClick(); });

    FormCreate();
}

TfrmHuvudmeny::~TfrmHuvudmeny()
{
    // Screens still open or waiting for their deferred release refer to exercises of the
    // catalogue: they go first, while the catalogue still exists.
    // (dynamic_cast: the screen base class has no meta-object of its own for qobject_cast.)
    const QObjectList children = this->children();
    for (QObject* child : children)
        if (dynamic_cast<ExerciseWindow*>(child))
            delete child;
    Catalogue.reset();
    // The players belong to the main window and end with it.
    CloseMediaPlayers();
}

void TfrmHuvudmeny::FormCreate()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    SetColourScheme(ColorCountOf(screen ? screen->depth() : 24));
    SoundOn = true;
    MusicOn = true;
    QDir::setCurrent(QString::fromStdString(dataDir_));
    Screen = nullptr;

    // A bad template picture is reported like any other error of a window's creation; the
    // menu still comes up, with an empty template.
    TemplateBitmap = QImage();
    const QString path = QString::fromStdString(dataDir_ + "/bmptest.bmp");
    if (!QFileInfo::exists(path)) {
        ReportError(QStringLiteral("File \"") + path + QStringLiteral("\" not found."));
        return;
    }
    QImage bitmap(path);
    if (bitmap.isNull()) {
        ReportError(QStringLiteral("Bitmap image is not valid."));
        return;
    }
    TemplateBitmap = bitmap.convertToFormat(QImage::Format_RGB32);
}

std::string TfrmHuvudmeny::WorldPartCode(int part)
{
    static const char* const codes[] = {"EUR", "NOR", "SYD", "ASI", "AFR", "AUS", "*"};
    return part >= 1 && part <= 7 ? codes[part - 1] : "";
}

const QImage& TfrmHuvudmeny::WorldPartPicture(int part) const
{
    switch (part) {
    case 1: return imgEuropa;
    case 2: return imgNordAmerika;
    case 3: return imgSydAmerika;
    case 4: return imgAsien;
    case 5: return imgAfrika;
    case 6: return imgAustralien;
    case 7: return imgHela;
    default: throw ERangeError();
    }
}

void TfrmHuvudmeny::setVisible(bool visible)
{
    if (visible && !shown_) {
        shown_ = true;
        if (!FormShow()) {
            // Cancelled or failed: the window closes before it was ever seen.
            close();
            return;
        }
    }
    QWidget::setVisible(visible);
}

bool TfrmHuvudmeny::FormShow()
{
    {
        Hourglass wait; // only while preparing: the language dialog waits for the player
        SetColour(lstParts, QPalette::Base, PanelColor);
        SetColour(cboOvningar, QPalette::Base, PanelColor);
        Shape1->setBrushColor(FrameColor);
        Shape3->setBrushColor(FrameColor);

        // Truncating division: (386 - 396) / 2 = -5, (133 - 155) / 2 = -11.
        MapOffset = QPoint((imgMap->width() - imgEuropa.width()) / 2,
                           (imgMap->height() - imgEuropa.height()) / 2);
        panPanel->move((width() - panPanel->width()) / 2, (height() - panPanel->height()) / 2);

        QPalette pal = palette();
        pal.setColor(QPalette::Window, ToQColor(White));
        setPalette(pal);
        imgMap->canvas().fillAll(Navy);

        CentreOnScreen(*this);
    }

    bool keep = true;
    const int language = frmLang_ ? frmLang_->exec() : CurrentLanguage;
    if (language == TfrmLang::CancelResult) {
        keep = false;
    } else {
        CurrentLanguage = language;
        try {
            LoadMenu();
        } catch (const std::exception& e) {
            ShowError(FailureText("open the main menu", FromWin1252(e.what())));
            keep = false;
        }
    }
    LoadGifPicture(*Image1, "logo.gif");
    return keep;
}

void TfrmHuvudmeny::LoadMenu()
{
    Hourglass wait;
    Catalogue = std::make_unique<COvningar>();
    Catalogue->LoadFromFile("Ovning.crp"); // the current directory is the data folder
    CurrentWorldPart = 1;
    FyllOvningslista(1);
    imgMap->canvas().draw(MapOffset.x(), MapOffset.y(), imgEuropa);
    LoadLanguageTableFrom(dataDir_ + "/lang.crp");
    TranslateCaptions(this);
    // World part 1 is current, but no entry of the list is selected yet.
    for (int n = 27; n <= 33; ++n)
        lstParts->addItem(LanguageCaption(n));
}

void TfrmHuvudmeny::FyllOvningslista(int part)
{
    cboOvningar->clear();
    const std::string code = WorldPartCode(part);
    if (code != "EUR" && !tmrInstruktion->isActive())
        tmrInstruktion->start();
    if (!Catalogue)
        return;
    for (const COvning* exercise = Catalogue->First; exercise; exercise = exercise->Next)
        if (exercise->WorldPart == code)
            cboOvningar->addItem(FromWin1252(exercise->Names[CurrentLanguage]));
}

void TfrmHuvudmeny::SattVarldsdel(int part)
{
    CurrentWorldPart = part;
    if (part >= 1 && part <= 7)
        imgMap->canvas().draw(MapOffset.x(), MapOffset.y(), WorldPartPicture(part));
    lstParts->setCurrentRow(part - 1);
    FyllOvningslista(part);
    PlaySound("Plopp.WAV", 2);
}

void TfrmHuvudmeny::imgMapMouseDown(int x, int y)
{
    const int px = x - MapOffset.x();
    const int py = y - MapOffset.y();
    if (PixelOf(imgAustralien, px, py) == Navy) {
        SattVarldsdel(7); // sea, wherever it lies
    } else {
        // Every matching part is selected in turn; the last one stays.
        static const int order[] = {5, 3, 2, 4, 1, 6};
        const TColor whole = PixelOf(imgHela, px, py);
        for (const int part : order)
            if (PixelOf(WorldPartPicture(part), px, py) == whole)
                SattVarldsdel(part);
    }
    lstParts->setCurrentRow(CurrentWorldPart - 1);
}

void TfrmHuvudmeny::lstPartsSelect()
{
    // The selected entry, not the current one: a list that gets the focus makes its first
    // entry current without selecting it.
    const QList<QListWidgetItem*> selected = lstParts->selectedItems();
    SattVarldsdel(selected.isEmpty() ? 0 : lstParts->row(selected.first()) + 1);
}

void TfrmHuvudmeny::tmrInstruktionTimer()
{
    lblInstruktion->move(lblInstruktion->x(), lblInstruktion->y() + 2);
    if (cboOvningar->y() < lblInstruktion->y()) {
        tmrInstruktion->stop();
        Shape2->setBrushColor(Yellow);
    }
}

void TfrmHuvudmeny::Shape2MouseDown()
{
    Shape2->setBrushColor(0x02000F00u + static_cast<TColor>(std::floor(Random() * 16773375.0)));
}

void TfrmHuvudmeny::cmdStartaClick()
{
    const QList<QListWidgetItem*> selected = cboOvningar->selectedItems();
    if (selected.isEmpty())
        return; // nothing chosen yet
    // A second start while a screen opens (it processes pending input) would put two screens
    // on one exercise; so would a screen that is still open because the menu was never
    // activated since (no window manager, or the keyboard reached the menu behind the screen).
    // When the older screen went, the exercise lost its map under the other.
    if (starting_)
        return;
    FormActivate();
    const struct Starting {
        bool& flag;
        Starting(bool& f) : flag(f) { flag = true; }
        ~Starting() { flag = false; }
    } starting{starting_};
    const std::string name = ToWin1252(selected.first()->text());
    bool opened = false;
    try {
        Hourglass wait;
        COvning* exercise = Catalogue ? Catalogue->FindByName(name) : nullptr;
        if (!exercise)
            throw std::runtime_error("No exercise is named \"" + name + "\".");
        // The screen is stored before it opens, so that the next activation releases it
        // whatever happens while it opens.
        Screen = CreateScreenFor(*exercise, this);
        Screen->OpenExercise(exercise);
        opened = true;
    } catch (const std::exception& e) {
        ShowError(FailureText("start the exercise", FromWin1252(e.what())));
        close();
    }
    starting_ = false;
    if (activatedWhileStarting_) {
        activatedWhileStarting_ = false;
        ReleaseScreen(opened);
    }
}

void TfrmHuvudmeny::cmdTioitoppClick()
{
    auto* list = new TfrmTopplista(this);
    ListWindow = list;
    // Released on every way out, also when reading the score file fails (that error goes on
    // to the general error box).
    struct Release {
        TfrmTopplista* window;
        ~Release() { window->deleteLater(); }
    } release{list};
    if (!Catalogue)
        throw std::runtime_error("The exercise catalogue is not loaded.");
    list->LoadList(ScoreFilePath(dataDir_), *Catalogue);
    list->exec();
}

void TfrmHuvudmeny::cmdOmClick()
{
    if (!frmAbout_)
        return;
    frmAbout_->show();
    frmAbout_->raise();
    frmAbout_->activateWindow();
}

void TfrmHuvudmeny::cmdHjalpClick()
{
    OpenHelp(101);
}

void TfrmHuvudmeny::cmdAvslutaClick()
{
    close();
}

void TfrmHuvudmeny::FormActivate()
{
    // A screen that is opening runs inside its own OpenExercise (which lets events through):
    // released now, it would be destroyed under it. It goes once the start is over.
    if (starting_) {
        activatedWhileStarting_ = true;
        return;
    }
    ReleaseScreen(false);
}

void TfrmHuvudmeny::ReleaseScreen(bool onlyLeft)
{
    // Deferred: the screen may still be inside one of its own handlers. The menu that became
    // active while a screen opened (a message box over it, a missing flag file) is no reason to
    // end a play that goes on; a screen the player left is.
    if (Screen && (!onlyLeft || !Screen->isVisible())) {
        Screen->Release();
        Screen = nullptr;
    }
}

void TfrmHuvudmeny::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QWidget::changeEvent(event);
}

void TfrmHuvudmeny::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit Closed();
}

bool TfrmHuvudmeny::eventFilter(QObject* watched, QEvent* event)
{
    const bool partsList = watched == lstParts || watched == lstParts->viewport();
    if (partsList && (event->type() == QEvent::MouseButtonRelease
                      || event->type() == QEvent::KeyRelease)) {
        lstPartsSelect();
    } else if (watched == cboOvningar->viewport()
               && event->type() == QEvent::MouseButtonDblClick
               && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        cmdStartaClick();
    }
    return QWidget::eventFilter(watched, event);
}
