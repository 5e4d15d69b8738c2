// The multiple-choice window: layout, the two built-in icons, loading of the lists, the answer
// boxes and the rules for choosing an answer (not during the pause, not after the end).
#include "screens/Unit4.h"

#include "data/Areor.h"
#include "data/Language.h"
#include "data/Orter.h"
#include "exercises/ExerciseSupport.h"
#include "exercises/Ovmulti.h"
#include "map/UKarta.h"
#include "platform/Captions.h"
#include "platform/GameState.h"
#include "platform/Help.h"
#include "platform/Hourglass.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/Sound.h"
#include "platform/Win1252.h"
#include "platform/WindowKit.h"
#include "platform/WindowPlacement.h"
#include "scores/Tioitopp.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <string>

namespace {

constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;

// The answer texts: bold Arial, made smaller for a long name so that all of it shows.
constexpr int AnswerFontPixels = 12;
constexpr int SmallestAnswerFontPixels = 8;

// The panel's labels stand centred over what they name.
constexpr Qt::Alignment Centred = Qt::AlignHCenter | Qt::AlignTop;

// The two built-in 32 x 32 icons, drawn at the top left of their 37 x 37 pictures.
void DrawFlowerIcon(Canvas& c)
{
    c.fillAll(White);
    c.setPenMode(PenMode::Copy);
    c.setPenWidth(2);
    c.setPenColor(0x008000);
    c.moveTo(16, 17);
    c.lineTo(16, 31);
    c.setPenWidth(1);
    c.setPenColor(Black);
    c.setBrushColor(0x00B000);
    c.ellipse(17, 21, 27, 27); // leaf
    c.ellipse(5, 24, 15, 30);
    c.setBrushColor(0x4040E0); // petals
    c.ellipse(12, 1, 21, 10);
    c.ellipse(12, 12, 21, 21);
    c.ellipse(6, 6, 15, 15);
    c.ellipse(18, 6, 27, 15);
    c.ellipse(7, 2, 15, 10);
    c.ellipse(18, 2, 26, 10);
    c.setBrushColor(0x00E0FF); // heart
    c.ellipse(12, 6, 21, 15);
}

void DrawBerriesIcon(Canvas& c)
{
    c.fillAll(White);
    c.setPenMode(PenMode::Copy);
    c.setPenWidth(1);
    c.setPenColor(0x006000);
    c.moveTo(16, 3);
    c.lineTo(9, 17);
    c.moveTo(16, 3);
    c.lineTo(22, 19);
    c.moveTo(16, 3);
    c.lineTo(15, 13);
    c.setPenColor(Black);
    c.setBrushColor(0x00A000);
    c.ellipse(16, 1, 30, 8); // leaf
    c.setBrushColor(0x2020C0);
    c.ellipse(2, 15, 15, 28);
    c.ellipse(16, 17, 29, 30);
    c.ellipse(9, 11, 21, 23);
    c.setPenColor(White); // shine
    c.setBrushColor(White);
    c.ellipse(5, 18, 8, 21);
    c.ellipse(19, 20, 22, 23);
    c.ellipse(12, 14, 15, 17);
}

PictureBox* MakeIcon(QWidget* parent, const char* name, void (*draw)(Canvas&))
{
    auto* icon = MakePicture(parent, name);
    icon->move(306, 14);
    icon->setPictureSize(37, 37);
    draw(icon->canvas());
    return icon;
}

} // namespace

TfrmOvningMulti::TfrmOvningMulti(QWidget* owner)
    : ExerciseWindow(owner), tmrTimer(MakeTimer(this, "tmrTimer", PauseInterval)), pause_(*tmrTimer)
{
    OpenFixedWindow(this, "frmOvningMulti", QStringLiteral("Globana"), {632, 453}, 17);
    setFont(ArialPixels(12));
    FillBackground(this, Qt::white);
    SetColour(this, QPalette::WindowText, Qt::black);

    imgBlomma = MakeIcon(this, "imgBlomma", DrawFlowerIcon);
    imgBar = MakeIcon(this, "imgBar", DrawBerriesIcon);
    imgBar->hide();

    QWidget* client = MakePanel(this, Panel1, "Panel1", {168, 68, 299, 335});
    SetColour(Panel1, QPalette::Window, Qt::white);

    Shape1 = MakeShape(client, "Shape1", ShapeWidget::Kind::Rectangle, {8, 10, 281, 281});

    Label1 = MakeLabel(client, "Label1", {18, 22, 275, 55}, ArialPixels(15, true), Qt::white,
                       Centred);
    Label1->setWordWrap(true);

    PictureBox** boxes[4] = {&imgSvar1, &imgSvar2, &imgSvar3, &imgSvar4};
    QLabel** numbers[4] = {&lbl1, &lbl2, &lbl3, &lbl4};
    const int boxTops[4] = {84, 132, 180, 228};
    const int numberTops[4] = {90, 140, 188, 234};
    for (int i = 0; i < 4; ++i) {
        const int k = i + 1;
        auto* box = MakePicture(client, ("imgSvar" + std::to_string(k)).c_str());
        box->move(54, boxTops[i]);
        // On a high-density screen the answers are drawn with the screen's own pixels.
        box->setPixelRatio(devicePixelRatioF());
        box->setPictureSize(211, 41);
        box->canvas().setFontPixelHeight(QStringLiteral("Arial"), box->scaled(AnswerFontPixels), true);
        *boxes[i] = box;
        // A click, not a press: the second press of a double click must not choose again.
        connect(box, &PictureBox::clicked, this, [this, k](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                imgSvarClick(k);
        });

        *numbers[i] = MakeLabel(client, ("lbl" + std::to_string(k)).c_str(), {22, numberTops[i], 27, 25},
                                ArialPixels(19, true), Qt::yellow, Centred);
        (*numbers[i])->setText(QString::number(k));
    }

    lblProcent = MakeLabel(client, "lblProcent", {130, 300, 59, 19}, ArialPixels(16, true),
                           Qt::black, Centred);
    lblProcent->setText(QStringLiteral("0 %"));
    cmdTopp = MakeButton(client, "cmdTopp", {8, 296, 117, 29}, 11);
    cmdAvsluta = MakeButton(client, "cmdAvsluta", {188, 296, 101, 29}, 12);
    cmdOva = MakeButton(this, "cmdOva", {168, 410, 299, 29}, 0);
    cmdOva->hide();


    connect(imgBlomma, &PictureBox::mousePressed, this, [this](int, int, Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            imgBlommaClick();
    });
    connect(tmrTimer, &QTimer::timeout, this, &TfrmOvningMulti::tmrTimerTimer);
    connect(cmdTopp, &QPushButton::clicked, this, &TfrmOvningMulti::cmdToppClick);
    connect(cmdAvsluta, &QPushButton::clicked, this, &TfrmOvningMulti::cmdAvslutaClick);
    connect(cmdOva, &QPushButton::clicked, this, &TfrmOvningMulti::cmdOvaClick);
    OnHelpKey(this, [] { OpenHelp(HelpContext); });
}

TfrmOvningMulti::~TfrmOvningMulti()
{
    FormDestroy();
}

void TfrmOvningMulti::FormDestroy()
{
    DetachExercise(exercise_, map_.get(), this);
    map_.reset();
}

void TfrmOvningMulti::OpenExercise(COvning* played)
{
    const Hold hold(*this);
    auto* exercise = dynamic_cast<COvningMulti*>(played);
    if (!exercise)
        throw std::logic_error("The multiple-choice screen plays only multiple-choice exercises");
    Hourglass wait;
    exercise_ = exercise;
    exerciseOver_ = false;

    map_ = LoadExerciseMap(*exercise, false);

    exercise->Map = map_.get();
    exercise->PlaySound = PlaySound;
    // Refuses data that cannot offer four different answers, before anything is shown.
    exercise->Start(this);
    show();
}

void TfrmOvningMulti::VisaFraga(const std::string& text)
{
    Label1->setText(FromWin1252(text));
}

void TfrmOvningMulti::VisaProcent(std::int32_t percent)
{
    lblProcent->setText(QString::number(percent) + QStringLiteral(" %"));
}

PictureBox* TfrmOvningMulti::AnswerImage(int k)
{
    switch (k) {
    case 1: return imgSvar1;
    case 2: return imgSvar2;
    case 3: return imgSvar3;
    case 4: return imgSvar4;
    default: return nullptr;
    }
}

void TfrmOvningMulti::DrawAnswer(int k, TColor colour, const std::string& text)
{
    DrawAnswer(AnswerImage(k), colour, text);
}

void TfrmOvningMulti::DrawAnswer(PictureBox* box, TColor colour, const std::string& text)
{
    if (!box)
        return;
    Canvas& canvas = box->canvas();
    const int w = canvas.width();
    const int h = canvas.height();
    canvas.setPenMode(PenMode::Copy);
    canvas.setBrushColor(colour);
    canvas.fillRect(0, 0, w, h);
    canvas.setPenColor(Black);
    canvas.frameRect(0, 0, w, h, box->scaled(1));

    QString shown = FromWin1252(text);
    // A name wider than the box gets a smaller font, and is cut short only below the
    // smallest one: the player must be able to read every answer.
    const int room = w - box->scaled(6);
    for (int pixels = AnswerFontPixels; pixels >= SmallestAnswerFontPixels; --pixels) {
        canvas.setFontPixelHeight(QStringLiteral("Arial"), box->scaled(pixels), true);
        if (canvas.textWidth(shown) <= room)
            break;
    }
    if (canvas.textWidth(shown) > room)
        shown = QFontMetrics(canvas.font()).elidedText(shown, Qt::ElideRight, room);
    canvas.setFontColor(Black);
    canvas.textOut((w - canvas.textWidth(shown)) / 2, (h - canvas.textHeight(shown)) / 2, shown);
}

// ---- events ----

void TfrmOvningMulti::imgSvarClick(int k)
{
    ChosenAnswer.Index = k;
    AnswerChosen();
}

void TfrmOvningMulti::AnswerChosen()
{
    // Not during the pause (the timer runs, or the exercise still waits inside), not after the
    // end, and not once another screen has taken the exercise over.
    if (!exercise_ || exerciseOver_ || pause_.Running() || tmrTimer->isActive()
        || exercise_->Pausing() || exercise_->Screen != this)
        return;

    if (!exercise_->IsCorrect(ChosenAnswer)) {
        exercise_->WrongAnswer(ChosenAnswer);
        return;
    }

    // The window outlives the pause and the top-ten offer that may follow it. The pause lasts
    // until the next question is shown, so that a click waiting in the queue cannot be judged
    // against the question just answered.
    const Hold hold(*this);
    bool over = false;
    {
        const AnswerPause::Run run(pause_);
        exercise_->CorrectAnswer(); // returns after the timer's next tick
        tmrTimer->stop();
        // The exercise restarted on another screen meanwhile: the play is no longer ours. A
        // mere release still asks the next question, so that an earned result is offered.
        auto stillOurs = [this] { return exercise_->Screen == this; };
        if (!stillOurs())
            return;
        QCoreApplication::processEvents();
        if (!stillOurs())
            return;
        const std::string text = exercise_->NextQuestion();
        if (text.empty())
            over = exerciseOver_ = true; // the last question and its answers stay
        else
            VisaFraga(text);
    }
    if (over) {
        // A practice round is no result for the top ten.
        if (!exercise_->Practising())
            showTopTen(exercise_, exercise_->Percent, this);
        OfferPractice(*exercise_, *cmdOva);
    }
}


void TfrmOvningMulti::cmdOvaClick()
{
    const Hold hold(*this);
    // Only once the round is over, and only while the exercise is still this screen's.
    if (!exercise_ || !exerciseOver_ || pause_.Running() || exercise_->Screen != this)
        return;
    cmdOva->hide();
    exerciseOver_ = false;
    exercise_->StartPractice(this);
    VisaProcent(0);
}

void TfrmOvningMulti::tmrTimerTimer()
{
    if (exercise_)
        exercise_->Tick();
}

void TfrmOvningMulti::cmdToppClick()
{
    const Hold hold(*this);
    if (exercise_)
        showTopTen(exercise_, -1, this);
}

void TfrmOvningMulti::cmdAvslutaClick()
{
    close();
}

void TfrmOvningMulti::imgBlommaClick()
{
    imgBlomma->hide();
    imgBar->show();
}

void TfrmOvningMulti::showEvent(QShowEvent* event)
{
    // Only the window's own showing, not one after being minimised.
    if (!event->spontaneous())
        FormShow();
    ExerciseWindow::showEvent(event);
}

void TfrmOvningMulti::FormShow()
{
    TranslateCaptions(this, LanguageCaption);
    Shape1->setBrushColor(FrameColor);
    CentreOnScreen(*this);
}

void TfrmOvningMulti::keyPressEvent(QKeyEvent* event)
{
    // None of the controls takes the digit keys, so every press of one arrives here once.
    FormKeyDown(event);
    ExerciseWindow::keyPressEvent(event);
}

void TfrmOvningMulti::FormKeyDown(QKeyEvent* event)
{
    // The digits 1 to 4 of the main keyboard, not those of the keypad. The physical keys of
    // the top row (X key codes 10 to 13) count too, so that shift and layouts whose top row
    // gives other characters without shift choose as well.
    if (event->modifiers() & Qt::KeypadModifier)
        return;
    int k = 0;
    if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_4)
        k = event->key() - Qt::Key_0;
    else if (event->nativeScanCode() >= 10 && event->nativeScanCode() <= 13)
        k = static_cast<int>(event->nativeScanCode()) - 9;
    if (k != 0)
        imgSvarClick(k);
}

void TfrmOvningMulti::closeEvent(QCloseEvent* event)
{
    // Closing only hides the window; a pause running now ends as at a tick. The timer ticks
    // at once as well, in case the exercise has not begun to wait yet (it clears the tick).
    if (pause_.Running() && exercise_) {
        exercise_->Tick();
        tmrTimer->start(0);
    }
    ExerciseWindow::closeEvent(event);
}
