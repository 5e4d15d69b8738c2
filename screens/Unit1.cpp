// TfrmOvningKarta: layout, map set-up, clicks, name label and timers of the map screen.
#include "screens/Unit1.h"

#include "data/Areor.h"
#include "data/Language.h"
#include "data/Orter.h"
#include "exercises/ExerciseSupport.h"
#include "map/UKarta.h"
#include "platform/Captions.h"
#include "platform/GameState.h"
#include "platform/Help.h"
#include "platform/Hourglass.h"
#include "platform/PictureBox.h"
#include "platform/Sound.h"
#include "platform/Win1252.h"
#include "platform/WindowKit.h"
#include "scores/Tioitopp.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

constexpr TColor Silver = 0xC0C0C0;
constexpr TColor Navy = 0x800000;
constexpr int TopHeight = 32;

// A button of the top bar; the bar's layout places it.
QPushButton* TopButton(QWidget* parent, const char* name, const QString& caption, int width, int tag)
{
    QPushButton* button = MakeButton(parent, name, {0, 0, width, 25}, tag);
    button->setText(caption);
    return button;
}

// Labels of the top bar are painted under the buttons and let clicks through to them.
void BehindButtons(QLabel* label)
{
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->lower();
}

} // namespace

TfrmOvningKarta::TfrmOvningKarta(QWidget* owner)
    : ExerciseWindow(owner)
{
    setObjectName(QStringLiteral("frmOvningKarta"));
    setWindowTitle(QStringLiteral("Globana"));
    resize(1016, 713);
    setFont(ArialPixels(12));
    FillBackground(this, Silver);

    QWidget* topClient = MakePanel(this, panTop, "panTop", {0, 0, 1016, TopHeight});
    panTop->hide();

    lblFraga = MakeLabel(topClient, "lblFraga", {2, 6, 1016, 17}, ArialPixels(13, true), Qt::black,
                         Qt::AlignHCenter | Qt::AlignTop);
    lblProcent = MakeLabel(topClient, "lblProcent", {6, 6, 40, 22}, ArialPixels(13, true),
                           Navy, Qt::AlignLeft | Qt::AlignTop);
    lblProcent->setText(QStringLiteral("0"));

    cmdTopp = TopButton(topClient, "cmdTopp", QStringLiteral("Tio-i-topp"), 117, 11);
    cmdStarta = TopButton(topClient, "cmdStarta", QStringLiteral("Starta om"), 97, 23);
    cmdHjalp = TopButton(topClient, "cmdHjalp", QStringLiteral("?"), 27, 0);
    cmdAvsluta = TopButton(topClient, "cmdAvsluta", QStringLiteral("Avsluta"), 79, 12);
    cmdOva = TopButton(topClient, "cmdOva", QString(), 160, 0);
    cmdOva->hide();
    imgBlomma = MakePicture(topClient, "imgBlomma");
    imgBlomma->resize(36, 31);
    imgBlomma->setAttribute(Qt::WA_TransparentForMouseEvents);
    BehindButtons(lblProcent);
    BehindButtons(lblFraga);

    panPanel = new QFrame(this);
    panPanel->setObjectName(QStringLiteral("panPanel"));
    panPanel->setFrameStyle(QFrame::NoFrame);
    panPanel->setAutoFillBackground(true);
    panPanel->setGeometry(0, TopHeight, 1016, 713 - TopHeight);

    imgKarta = MakePicture(panPanel, "imgKarta", {2, 2, 1012, 677});
    imgKarta->setEnabled(false);

    lblNamn = MakeLabel(panPanel, "lblNamn", QRect(), ArialPixels(11), Qt::black, Qt::AlignCenter);
    SetColour(lblNamn, QPalette::Window, Silver);
    lblNamn->hide();
    lblNamn->installEventFilter(this);

    tmrBlinka = MakeTimer(this, "tmrBlinka", 700);
    tmrNamnTimer = MakeTimer(this, "tmrNamnTimer", 2000);
    // A coarse timer may fire up to 5 % early; the name keeps its background the full 2 s.
    tmrNamnTimer->setTimerType(Qt::PreciseTimer);

    connect(imgKarta, &PictureBox::mousePressed, this,
            [this](int x, int y, Qt::MouseButton) { imgKartaMouseDown(x, y); });
    connect(tmrBlinka, &QTimer::timeout, this, &TfrmOvningKarta::tmrBlinkaTimer);
    connect(tmrNamnTimer, &QTimer::timeout, this, &TfrmOvningKarta::tmrNamnTimerTimer);
    connect(cmdStarta, &QPushButton::clicked, this, &TfrmOvningKarta::cmdStartaClick);
    connect(cmdTopp, &QPushButton::clicked, this, &TfrmOvningKarta::cmdToppClick);
    connect(cmdHjalp, &QPushButton::clicked, this, &TfrmOvningKarta::cmdHjalpClick);
    connect(cmdAvsluta, &QPushButton::clicked, this, &TfrmOvningKarta::cmdAvslutaClick);
    connect(cmdOva, &QPushButton::clicked, this, &TfrmOvningKarta::cmdOvaClick);
    OnHelpKey(this, [this] { cmdHjalpClick(); });

    tmrBlinka->start();
}

TfrmOvningKarta::~TfrmOvningKarta()
{
    tmrBlinka->stop();
    DetachExercise(exercise_, map_.get(), this);
    if (map_)
        map_->Target = nullptr;
}

QWidget* TfrmOvningKarta::TopClient() const
{
    return lblFraga->parentWidget();
}

void TfrmOvningKarta::OpenExercise(COvning* exercise)
{
    const Hold hold(*this);
    QCoreApplication::processEvents();
    cmdAvsluta->setEnabled(false);
    cmdStarta->setEnabled(false);
    imgKarta->setEnabled(false);

    exercise_ = exercise;
    show();
    Maximize();
    move(0, 0);
    // Let a window manager finish maximising before the controls are measured against the
    // window.
    QCoreApplication::processEvents();
    LayOut();

    LoadMap();
    exercise_->Map = map_.get();
    exercise_->PlaySound = PlaySound;
    exercise_->Start(this);

    tmrBlinka->start();
    QCoreApplication::processEvents();
    imgKarta->setEnabled(true);
    cmdAvsluta->setEnabled(true);
    cmdStarta->setEnabled(true);
}

void TfrmOvningKarta::Maximize()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    QScreen* s = screen();
    if (!s)
        return;
    // A frame that cannot be dragged to another size: the window is fixed at the size that
    // fills the screen's work area. (Without a window manager the state changes but neither
    // size nor place does, so both are set here.)
    const QRect area = s->availableGeometry();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    setFixedSize(area.size().shrunkBy(frame));
    if (frameGeometry().topLeft() != area.topLeft())
        move(area.topLeft());
}

void TfrmOvningKarta::LayOut()
{
    const int clientWidth = width();
    const int clientHeight = height();
    QWidget* topClient = TopClient();

    panTop->setGeometry(0, 0, clientWidth, TopHeight);
    topClient->setGeometry(panTop->contentsRect());
    panTop->show();
    panPanel->setGeometry(0, TopHeight, clientWidth, clientHeight - TopHeight);

    const int buttonHeight = topClient->height() - 4;
    cmdAvsluta->setGeometry(topClient->width() - cmdAvsluta->width() - 2, 2, cmdAvsluta->width(),
                            buttonHeight);
    cmdHjalp->setGeometry(cmdAvsluta->x() - cmdHjalp->width(), 2, cmdHjalp->width(), buttonHeight);
    cmdStarta->setGeometry(cmdHjalp->x() - cmdStarta->width(), 2, cmdStarta->width(), buttonHeight);
    lblProcent->move(6, 6);
    cmdTopp->setGeometry(lblProcent->x() + lblProcent->width(), 2, cmdTopp->width(), buttonHeight);
    cmdOva->setGeometry(cmdTopp->x() + cmdTopp->width() + 4, 2, cmdOva->width(), buttonHeight);
    lblFraga->setGeometry(2, 6, clientWidth, lblFraga->height());
    // On a high-density screen the map is drawn with the screen's own pixels.
    imgKarta->setPixelRatio(devicePixelRatioF());
    imgKarta->setPictureSize(panPanel->width() - 4, panPanel->height() - 4);
    imgKarta->move(2, 2);
    imgBlomma->move(cmdAvsluta->x() - 32, -2);
    SetColour(panPanel, QPalette::Window, Navy);
}

void TfrmOvningKarta::LoadMap()
{
    map_ = LoadExerciseMap(*exercise_, true);
}

void TfrmOvningKarta::VisaFraga(const std::string& text)
{
    ShowName("", 0, 0, 0, 0, false);
    lblFraga->setText(FromWin1252(text));
}

void TfrmOvningKarta::VisaProcent(std::int32_t percent)
{
    lblProcent->setText(QString::number(percent) + QStringLiteral(" %"));
}

MapImage TfrmOvningKarta::GetMapImage()
{
    return {&imgKarta->canvas(), imgKarta->pixelRatio()};
}

void TfrmOvningKarta::ShowName(const std::string& text, int x, int y, TColor fontColor,
                               TColor backColor, bool visible)
{
    lblNamn->setVisible(visible);
    lblNamn->setText(FromWin1252(text));
    SetColour(lblNamn, QPalette::WindowText, fontColor);
    SetColour(lblNamn, QPalette::Window, backColor);
    const QFontMetrics metrics(lblNamn->font());
    const int width = metrics.horizontalAdvance(lblNamn->text()) + 4;
    const int height = metrics.height();
    // x and y are map pixels; the label is placed in screen pixels, centred on the point but
    // moved inside the map where it would stick out (a name at the map's edge is read whole).
    const QRect map = imgKarta->geometry();
    const auto inside = [](int start, int size, int low, int room) {
        return std::max(low, std::min(start, low + room - size));
    };
    lblNamn->setGeometry(
        inside(imgKarta->unscaled(x) + map.x() - width / 2, width, map.x(), map.width()),
        inside(imgKarta->unscaled(y) + map.y() - height / 2, height, map.y(), map.height()),
        width, height);
    if (visible) {
        lblNamn->raise();
        tmrNamnTimer->stop();
        tmrNamnTimer->start();
        lblNamn->setAutoFillBackground(true);
    }
}

bool TfrmOvningKarta::NameLabelOpaque() const
{
    return lblNamn->autoFillBackground();
}

void TfrmOvningKarta::imgKartaMouseDown(int x, int y)
{
    const Hold hold(*this);
    if (!exercise_ || !map_ || handlingClick_ || !imgKarta->isEnabled())
        return;
    handlingClick_ = true;
    const struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{handlingClick_};

    ClickPoint.Latitude = map_->YToLatitude(y);
    ClickPoint.Longitude = map_->ToLongitude(y, x);
    if (exercise_->Finished) {
        exercise_->WrongAnswer(ClickPoint);
    } else if (exercise_->IsCorrect(ClickPoint)) {
        exercise_->BlinkState = 0;
        exercise_->CorrectAnswer();
        QCoreApplication::processEvents();
        const std::string text = exercise_->NextQuestion();
        if (!text.empty()) {
            VisaFraga(text);
        } else {
            imgKarta->setEnabled(false);
            VisaFraga("-");
            // A practice round is no result for the top ten.
            if (!exercise_->Practising())
                showTopTen(exercise_, exercise_->Percent, this);
            exercise_->Finished = true;
            OfferPractice();
        }
    } else {
        exercise_->WrongAnswer(ClickPoint);
    }
    imgKarta->setEnabled(true);
}

void TfrmOvningKarta::lblNamnMouseDown(int x, int y)
{
    // The picture decides whether clicks are taken (not while the map is being built).
    if (!imgKarta->isEnabled())
        return;
    lblNamn->hide();
    imgKartaMouseDown(imgKarta->scaled(lblNamn->x() + x - imgKarta->x()),
                      imgKarta->scaled(lblNamn->y() + y - imgKarta->y()));
}

void TfrmOvningKarta::tmrBlinkaTimer()
{
    const Hold hold(*this);
    // Only an exercise that runs on this screen's map may be ticked.
    if (exercise_ && map_ && exercise_->Map == map_.get() && exercise_->Screen == this)
        exercise_->Tick();
    QCoreApplication::processEvents();
}

void TfrmOvningKarta::tmrNamnTimerTimer()
{
    lblNamn->setAutoFillBackground(false);
    lblNamn->update();
    tmrNamnTimer->stop();
}

void TfrmOvningKarta::OfferPractice()
{
    if (ExerciseWindow::OfferPractice(*exercise_, *cmdOva))
        cmdOva->resize(cmdOva->fontMetrics().horizontalAdvance(cmdOva->text()) + 24, cmdOva->height());
}

void TfrmOvningKarta::cmdStartaClick()
{
    StartRound(false);
}

void TfrmOvningKarta::cmdOvaClick()
{
    StartRound(true);
}

void TfrmOvningKarta::StartRound(bool practice)
{
    const Hold hold(*this);
    if (!exercise_ || !map_)
        return;
    cmdOva->hide();
    cmdAvsluta->setEnabled(false);
    cmdStarta->setEnabled(false);
    imgKarta->setEnabled(false);
    // The buttons come back on every way out; the map only once the exercise has started.
    const struct Enable {
        QPushButton* a;
        QPushButton* b;
        ~Enable()
        {
            a->setEnabled(true);
            b->setEnabled(true);
        }
    } enable{cmdAvsluta, cmdStarta};
    {
        Hourglass wait;
        if (practice)
            exercise_->StartPractice(this);
        else
            exercise_->Start(this);
        VisaProcent(0);
    }
    imgKarta->setEnabled(true);
}

void TfrmOvningKarta::cmdToppClick()
{
    const Hold hold(*this);
    if (exercise_)
        showTopTen(exercise_, -1, this);
}

void TfrmOvningKarta::cmdHjalpClick()
{
    OpenHelp(102);
}

void TfrmOvningKarta::cmdAvslutaClick()
{
    tmrBlinka->stop();
    close();
}

void TfrmOvningKarta::FormShow()
{
    TranslateCaptions(this, LanguageCaption);
    SetColour(panPanel, QPalette::Window, PanelColor);
    SetColour(panTop, QPalette::Window, PanelColor);
}

void TfrmOvningKarta::showEvent(QShowEvent* event)
{
    // Only the window's own showing, not one after being minimised.
    if (!event->spontaneous())
        FormShow();
    ExerciseWindow::showEvent(event);
}

void TfrmOvningKarta::resizeEvent(QResizeEvent* event)
{
    ExerciseWindow::resizeEvent(event);
    if (!isVisible() || snapping_)
        return;
    snapping_ = true;
    Maximize();
    snapping_ = false;
}

bool TfrmOvningKarta::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblNamn && event->type() == QEvent::MouseButtonPress) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        lblNamnMouseDown(at.x(), at.y());
        return true;
    }
    return ExerciseWindow::eventFilter(watched, event);
}
