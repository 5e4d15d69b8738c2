// The flag exercise window: layout, loading of the lists and flag pictures, the grid drawing
// and the click rules.
#include "screens/Unit3.h"

#include "data/Areor.h"
#include "data/Language.h"
#include "data/Orter.h"
#include "exercises/ExerciseSupport.h"
#include "exercises/OvFlagga.h"
#include "map/UKarta.h"
#include "platform/Captions.h"
#include "platform/GameState.h"
#include "platform/Help.h"
#include "platform/Hourglass.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/PictureBox.h"
#include "platform/Sound.h"
#include "platform/Win1252.h"
#include "platform/WindowKit.h"
#include "platform/WindowPlacement.h"
#include "scores/Tioitopp.h"

#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

std::string flagFolderOverride;

// Halves go to the even neighbour (default rounding mode), as everywhere in the game.
int Nearest(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

// A flag file name from the data names a file in the flags folder and nothing else.
bool IsPlainFileName(const std::string& name)
{
    return name != "." && name != ".." && name.find('/') == std::string::npos
        && name.find('\\') == std::string::npos;
}

} // namespace

TfrmOvningFlagga::TfrmOvningFlagga(QWidget* owner)
    : ExerciseWindow(owner)
{
    OpenFixedWindow(this, "frmOvningFlagga", QStringLiteral("Globana"), {632, 461});
    setFont(WindowFont());
    FillBackground(this, Qt::white);

    QWidget* bar = MakePanel(this, pnlFraga, "pnlFraga", {-2, 0, 637, 31});
    lblFraga = MakeLabel(bar, "lblFraga", {17, 4, 309, 21}, ArialPixels(15, true), Qt::black);
    lblProcent = MakeLabel(bar, "lblProcent", {293, 4, 56, 20}, ArialPixels(16, true), Qt::black,
                           Qt::AlignHCenter | Qt::AlignTop);
    lblProcent->setText(QStringLiteral("0 %"));
    cmdTopp = MakeButton(bar, "cmdTopp", {348, 2, 101, 25}, 11);
    cmdStarta = MakeButton(bar, "cmdStarta", {448, 2, 82, 25}, 23);
    cmdHjalp = MakeButton(bar, "cmdHjalp", {531, 2, 27, 25}, 0);
    cmdHjalp->setText(QStringLiteral("?"));
    cmdAvsluta = MakeButton(bar, "cmdAvsluta", {558, 2, 63, 25}, 12);
    cmdOva = MakeButton(bar, "cmdOva", {15, 2, 276, 25}, 0);
    cmdOva->hide();

    QWidget* flags = MakePanel(this, pnlFlags, "pnlFlags", {12, 38, 609, 393});
    imgFlags = MakePicture(flags, "imgFlags");

    tmrRitaOm = MakeTimer(this, "tmrRitaOm", 1000);
    tmrBlinka = MakeTimer(this, "tmrBlinka", 1000);

    connect(imgFlags, &PictureBox::mousePressed, this,
            [this](int x, int y, Qt::MouseButton) { imgFlagsMouseDown(x, y); });
    connect(tmrRitaOm, &QTimer::timeout, this, &TfrmOvningFlagga::tmrRitaOmTimer);
    connect(tmrBlinka, &QTimer::timeout, this, &TfrmOvningFlagga::tmrBlinkaTimer);
    connect(cmdStarta, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdStartaClick);
    connect(cmdTopp, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdToppClick);
    connect(cmdHjalp, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdHjalpClick);
    connect(cmdAvsluta, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdAvslutaClick);
    connect(cmdOva, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdOvaClick);
    OnHelpKey(this, [this] { cmdHjalpClick(); });
}

TfrmOvningFlagga::~TfrmOvningFlagga()
{
    FormDestroy();
}

void TfrmOvningFlagga::FormDestroy()
{
    DetachExercise(exercise_, map_.get(), this);
    map_.reset();
    for (int i = 1; i <= MaxFlagPictures; ++i)
        flagPictures_[i].reset();
}

void TfrmOvningFlagga::SetFlagFolder(const std::string& folder)
{
    flagFolderOverride = folder;
}

std::string TfrmOvningFlagga::FlagFolder()
{
    return flagFolderOverride.empty() ? ExePath("flags") : flagFolderOverride;
}

void TfrmOvningFlagga::OpenExercise(COvning* played)
{
    const Hold hold(*this);
    auto* exercise = dynamic_cast<COvningFlagga*>(played);
    if (!exercise)
        throw std::logic_error("The flag screen plays only flag exercises");
    Hourglass wait;
    exercise_ = exercise;
    exercise_->PlaySound = PlaySound;

    const QRect client = pnlFlags->contentsRect();
    imgFlags->setGeometry(5, 5, client.width() - 10, client.height() - 10);
    // On a high-density screen the grid is drawn with the screen's own pixels.
    imgFlags->setPixelRatio(devicePixelRatioF());
    ApplyTemplateBitmap(*imgFlags);
    cellWidth_ = static_cast<float>(imgFlags->canvas().width()) / 4.0f;
    cellHeight_ = static_cast<float>(imgFlags->canvas().height()) / 4.0f;
    // The names under the flags use the picture's own default font.
    imgFlags->canvas().setFontPixelHeight(QStringLiteral("MS Sans Serif"), imgFlags->scaled(11));
    DrawGrid();

    map_ = LoadExerciseMap(*exercise, false);

    exercise->Map = map_.get();
    // Refuses an exercise with a selector that has no area, before anything is shown.
    exercise->Start(this);

    show();
    LoadFlagPictures();
    DrawAllFlags();
}

void TfrmOvningFlagga::VisaFraga(const std::string& text)
{
    lblFraga->setText(FromWin1252(text));
}

void TfrmOvningFlagga::VisaProcent(std::int32_t percent)
{
    lblProcent->setText(QString::number(percent) + QStringLiteral(" %"));
}

void TfrmOvningFlagga::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    ExerciseWindow::showEvent(event);
}

void TfrmOvningFlagga::FormShow()
{
    TranslateCaptions(this, LanguageCaption);
    SetColour(pnlFraga, QPalette::Window, PanelColor);
    SetColour(pnlFlags, QPalette::Window, FrameColor);
    CentreOnScreen(*this);
}

// ---- drawing ----

QRect TfrmOvningFlagga::CellRect(int position) const
{
    const int c = (position - 1) % 4;
    const int r = (position - 1) / 4;
    const int left = Nearest(c * double(cellWidth_));
    const int top = Nearest(r * double(cellHeight_));
    const int right = Nearest((c + 1) * double(cellWidth_));
    const int bottom = Nearest((r + 1) * double(cellHeight_));
    // The last column and row end at the picture's own frame, not at a grid line.
    const int line = imgFlags->scaled(1);
    const int lastX = imgFlags->canvas().width() - 1 - line;
    const int lastY = imgFlags->canvas().height() - 1 - line;
    return QRect(QPoint(left + line, top + line),
                 QPoint(std::min(right - line, lastX), std::min(bottom - line, lastY)));
}

void TfrmOvningFlagga::DrawGrid()
{
    Canvas& canvas = imgFlags->canvas();
    const int w = canvas.width();
    const int h = canvas.height();
    // Lines are filled strips that start at their grid position, so that at any pixel ratio
    // they lie where a one-pixel line lies, only wider.
    const int line = imgFlags->scaled(1);
    canvas.setPenMode(PenMode::Copy);
    canvas.setBrushColor(Grey);
    canvas.fillRect(0, 0, w, h);
    canvas.setPenColor(Black);
    canvas.frameRect(0, 0, w, h, line);
    canvas.setBrushColor(Black);
    for (int i = 0; i <= 4; ++i) {
        const int y = Nearest(i * double(cellHeight_));
        canvas.fillRect(0, y, w, y + line);
    }
    for (int i = 0; i <= 4; ++i) {
        const int x = Nearest(i * double(cellWidth_));
        canvas.fillRect(x, 0, x + line, h);
    }
}

void TfrmOvningFlagga::FillCell(int position, TColor colour)
{
    Canvas& canvas = imgFlags->canvas();
    const int c = (position - 1) % 4;
    const int r = (position - 1) / 4;
    const int line = imgFlags->scaled(1);
    canvas.setPenMode(PenMode::Copy);
    canvas.setBrushColor(colour);
    canvas.fillRect(Nearest(c * double(cellWidth_)) + line, Nearest(r * double(cellHeight_)) + line,
                    Nearest((c + 1) * double(cellWidth_)) - line,
                    Nearest((r + 1) * double(cellHeight_)) - line);
}

QRect TfrmOvningFlagga::FlagRect(int position) const
{
    const int c = (position - 1) % 4;
    const int r = (position - 1) / 4;
    const int centreX = Nearest((c + 0.5) * double(cellWidth_));
    const int top = Nearest(r * double(cellHeight_)) + imgFlags->scaled(8);
    if (const QImage* picture = FlagPicture(position))
        return QRect(centreX - picture->width() / 2, top, picture->width(), picture->height());
    const int half = imgFlags->scaled(EmptyFlagWidth) / 2;
    return QRect(centreX - half, top, 2 * half, imgFlags->scaled(EmptyFlagHeight));
}

void TfrmOvningFlagga::DrawFlag(int position, TColor colour, bool withName)
{
    if (!exercise_ || position < 1 || position > MaxFlagPictures)
        return;
    Canvas& canvas = imgFlags->canvas();
    FillCell(position, colour);

    const QImage* picture = FlagPicture(position);
    const QRect flag = FlagRect(position);
    const int left = flag.left(), top = flag.top();
    if (picture)
        canvas.draw(left, top, *picture);
    // The outline covers the flag's outermost pixels.
    const int line = imgFlags->scaled(1);
    canvas.setPenColor(Black);
    canvas.frameRect(left, top, flag.right() + 1, flag.bottom() + 1, line);
    canvas.setBrushClear();

    if (withName || !picture) {
        // A long name moves left, and one wider than the cell is shortened, so that no text
        // spills into a neighbouring cell, where nothing would ever wipe it out.
        const QRect cell = CellRect(position);
        const int room = cell.width() - imgFlags->scaled(4);
        QString name = FromWin1252(exercise_->FlagName(position));
        QFont font = canvas.font();
        font.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(name) > room)
            name = metrics.elidedText(name, Qt::ElideRight, room);
        const int x = std::max(cell.left() + imgFlags->scaled(2),
                               std::min(left, cell.right() - line - metrics.horizontalAdvance(name)));
        canvas.setFontColor(Black);
        canvas.textOut(x, flag.bottom() + 1, name);
    }
}

void TfrmOvningFlagga::DrawAllFlags()
{
    if (!exercise_)
        return;
    for (int p = 1; p <= exercise_->FlagCount; ++p)
        DrawFlag(p, White, false);
}

const QImage* TfrmOvningFlagga::FlagPicture(int position) const
{
    if (position < 1 || position > MaxFlagPictures || !flagPictures_[position])
        return nullptr;
    return &*flagPictures_[position];
}

std::optional<QImage> TfrmOvningFlagga::LoadFlagPicture(const std::string& flagFile) const
{
    if (!IsPlainFileName(flagFile))
        return std::nullopt;
    QFile file(QString::fromStdString(FlagFolder()) + QLatin1Char('/') + FromWin1252(flagFile));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    QImage picture = reader.read();
    if (picture.isNull())
        throw std::runtime_error("The flag file " + flagFile + " is not a readable bitmap ("
                                 + reader.errorString().toStdString() + ").");
    return picture.convertToFormat(QImage::Format_RGB32);
}

void TfrmOvningFlagga::LoadFlagPictures()
{
    if (!exercise_ || !map_ || !map_->Areas)
        return;
    // Every selector, also those not in play this time: a restart may bring them in.
    for (int i = 1; i <= exercise_->SelectorCount; ++i) {
        flagPictures_[i].reset();
        const CArea* area = map_->Areas->FindByKey(exercise_->Selectors[i]);
        if (!area || area->FlagFile.empty())
            continue;
        flagPictures_[i] = LoadFlagPicture(area->FlagFile);
        if (!flagPictures_[i])
            ShowError("Could not open flag file " + area->FlagFile);
        else if (imgFlags->pixelRatio() != 1.0)
            *flagPictures_[i] = flagPictures_[i]->scaled(imgFlags->scaled(flagPictures_[i]->width()),
                                                         imgFlags->scaled(flagPictures_[i]->height()),
                                                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
}

// ---- events ----

void TfrmOvningFlagga::imgFlagsMouseDown(int x, int y)
{
    const Hold hold(*this);
    if (!exercise_ || cellWidth_ <= 0.0f || cellHeight_ <= 0.0f || x < 0 || y < 0)
        return;
    const int column = static_cast<int>(x / cellWidth_);
    const int row = static_cast<int>(y / cellHeight_);
    if (column > 3 || row > 3)
        return;
    const int p = column + 1 + 4 * row;
    if (p > exercise_->FlagCount || exercise_->Answered[p])
        return;

    TAnswer answer;
    answer.Index = p;
    if (exercise_->IsCorrect(answer)) {
        blinkCounter_ = 0;
        // The flag may still show its name from a wrong click a moment ago; once found it
        // keeps the name, so the pending removal is dropped.
        if (pendingRedraw_ == p) {
            pendingRedraw_ = 0;
            tmrRitaOm->stop();
        }
        DrawFlag(p, Grey, true);
        exercise_->CorrectAnswer();
        const std::string text = exercise_->NextQuestion();
        if (!text.empty()) {
            VisaFraga(text);
        } else {
            VisaFraga(std::string());
            // A practice round is no result for the top ten.
            if (!exercise_->Practising())
                showTopTen(exercise_, exercise_->Percent, this);
            OfferPractice();
        }
    } else {
        tmrRitaOmTimer(); // the name of an earlier wrong click goes first
        DrawFlag(p, White, true);
        pendingRedraw_ = p;
        tmrRitaOm->start();
        exercise_->WrongAnswer(answer);
        if (exercise_->Tries == 3) {
            // Still running from an earlier question's blink, it keeps its phase.
            if (!tmrBlinka->isActive())
                tmrBlinka->start();
            blinkCounter_ = 1;
        }
    }
}

void TfrmOvningFlagga::tmrRitaOmTimer()
{
    if (pendingRedraw_ != 0) {
        DrawFlag(pendingRedraw_, White, false);
        pendingRedraw_ = 0;
        tmrRitaOm->stop();
    }
}

void TfrmOvningFlagga::tmrBlinkaTimer()
{
    if (blinkCounter_ == 0 || !exercise_)
        return;
    const int asked = exercise_->AskedPosition;
    if (asked >= 1 && asked <= exercise_->FlagCount && !exercise_->Answered[asked])
        DrawFlag(asked, blinkCounter_ % 2 == 1 ? BrightGreen : White, false);
    ++blinkCounter_;
}

void TfrmOvningFlagga::OfferPractice()
{
    if (ExerciseWindow::OfferPractice(*exercise_, *cmdOva))
        cmdOva->raise();
}

void TfrmOvningFlagga::cmdOvaClick()
{
    Replay(true);
}

void TfrmOvningFlagga::cmdStartaClick()
{
    Replay(false);
}

void TfrmOvningFlagga::Replay(bool practice)
{
    const Hold hold(*this);
    if (!exercise_)
        return;
    Hourglass wait;
    cmdOva->hide();
    tmrBlinka->stop();
    tmrRitaOm->stop();
    // A name or a blink left over from the last play must not be drawn into the new one.
    pendingRedraw_ = 0;
    blinkCounter_ = 0;
    if (practice) {
        exercise_->StartPractice(this);
        // Fewer flags are in play: the cells of the others are emptied.
        DrawGrid();
    } else {
        exercise_->Start(this);
    }
    LoadFlagPictures();
    DrawAllFlags();
    VisaProcent(0);
}

void TfrmOvningFlagga::cmdToppClick()
{
    const Hold hold(*this);
    if (exercise_)
        showTopTen(exercise_, -1, this);
}

void TfrmOvningFlagga::cmdHjalpClick()
{
    OpenHelp(HelpContext);
}

void TfrmOvningFlagga::cmdAvslutaClick()
{
    close();
}
