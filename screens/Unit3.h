// TfrmOvningFlagga: the window of the flag exercise. Up to sixteen flags on a 4 x 4 grid; the
// player clicks the flag of the country named in the question bar.
#pragma once

#include "platform/Array1.h"
#include "platform/Types.h"
#include "screens/Ovform.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CKarta;
class COvningFlagga;
class PictureBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

class TfrmOvningFlagga : public ExerciseWindow {
    Q_OBJECT
public:
    static constexpr int MaxFlagPictures = 100;
    static constexpr int HelpContext = 104;
    // Size of the empty frame drawn where a flag has no picture.
    static constexpr int EmptyFlagWidth = 100;
    static constexpr int EmptyFlagHeight = 63;

    static constexpr TColor White = 0xFFFFFF;
    static constexpr TColor Grey = 0xC0C0C0;
    static constexpr TColor BrightGreen = 0x00FF00;
    static constexpr TColor Black = 0x000000;

    explicit TfrmOvningFlagga(QWidget* owner = nullptr);
    ~TfrmOvningFlagga() override;

    // Loads the lists the exercise needs, starts it, shows the window and draws the flags.
    // Errors (a missing data file, a selector without an area, an unreadable picture) leave
    // it for the caller to report.
    void OpenExercise(COvning* exercise) override;

    void VisaFraga(const std::string& text) override;
    void VisaProcent(std::int32_t percent) override;

    // Event handlers, named after control and event.
    void imgFlagsMouseDown(int x, int y);
    void tmrRitaOmTimer();
    void tmrBlinkaTimer();
    void cmdStartaClick();
    void cmdToppClick();
    void cmdHjalpClick();
    void cmdAvslutaClick();
    void cmdOvaClick();

    // Drawing on the grid picture.
    void DrawGrid();
    void FillCell(int position, TColor colour);
    void DrawFlag(int position, TColor colour, bool withName);
    void DrawAllFlags();
    void LoadFlagPictures();

    // The grid cell of a position, in picture pixels (inside its grid lines).
    QRect CellRect(int position) const;
    // Where the flag of a position is drawn in its cell, its outline included: its picture, or
    // the empty frame where it has none; in picture pixels.
    QRect FlagRect(int position) const;

    COvningFlagga* Exercise() const { return exercise_; }
    CKarta* Map() const { return map_.get(); }
    // The picture of selector position 1..100; null when the slot is empty.
    const QImage* FlagPicture(int position) const;
    float CellWidth() const { return cellWidth_; }
    float CellHeight() const { return cellHeight_; }
    std::int32_t PendingRedraw() const { return pendingRedraw_; }
    std::int32_t BlinkCounter() const { return blinkCounter_; }

    // The folder the flag pictures are read from: ExeDir()/flags unless a test points it
    // elsewhere. An empty folder restores the default.
    static void SetFlagFolder(const std::string& folder);
    static std::string FlagFolder();

    QFrame* pnlFraga;
    QLabel* lblFraga;
    QLabel* lblProcent;
    QPushButton* cmdTopp;
    QPushButton* cmdStarta;
    QPushButton* cmdHjalp;
    QPushButton* cmdAvsluta;
    // The offer to practise what the round missed; shown only at the end of a round, over the
    // question, which is empty then.
    QPushButton* cmdOva;
    QFrame* pnlFlags;
    PictureBox* imgFlags;
    QTimer* tmrRitaOm;
    QTimer* tmrBlinka;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A new play: the whole exercise (restart) or only the questions just missed.
    void Replay(bool practice);
    void FormShow();
    void FormDestroy();
    void OfferPractice();
    // The picture of the file, or nothing when it cannot be opened. A file that opens but
    // holds no readable bitmap raises an error.
    std::optional<QImage> LoadFlagPicture(const std::string& flagFile) const;

    COvningFlagga* exercise_ = nullptr; // owned by the catalogue
    std::unique_ptr<CKarta> map_;
    Array1<std::optional<QImage>, MaxFlagPictures> flagPictures_;
    float cellWidth_ = 0.0f;
    float cellHeight_ = 0.0f;
    std::int32_t pendingRedraw_ = 0;
    std::int32_t blinkCounter_ = 0;
};
