// TfrmOvningKarta: the maximised map screen on which place and area exercises are played.
#pragma once

#include "exercises/ovning.h"
#include "screens/Ovform.h"

#include <memory>

class CKarta;
class PictureBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

class TfrmOvningKarta : public ExerciseWindow, public TMapExerciseScreen {
    Q_OBJECT
public:
    explicit TfrmOvningKarta(QWidget* owner = nullptr);
    ~TfrmOvningKarta() override;

    // Builds the map from the exercise's files, starts the exercise and shows the screen.
    void OpenExercise(COvning* exercise) override;

    void VisaFraga(const std::string& text) override;
    void VisaProcent(std::int32_t percent) override;
    MapImage GetMapImage() override;
    void ShowName(const std::string& text, int x, int y, TColor fontColor, TColor backColor,
                  bool visible) override;

    // Event handlers, named after control and event.
    void imgKartaMouseDown(int x, int y);
    void lblNamnMouseDown(int x, int y); // (x, y) within the label
    void tmrBlinkaTimer();
    void tmrNamnTimerTimer();
    void cmdStartaClick();
    void cmdToppClick();
    void cmdHjalpClick();
    void cmdAvslutaClick();
    void cmdOvaClick();

    CKarta* Map() const { return map_.get(); }
    // Whether the name label paints its background (it turns transparent 2 s after showing).
    bool NameLabelOpaque() const;

    TAnswer ClickPoint;

    QFrame* panTop;
    QLabel* lblFraga;
    QLabel* lblProcent;
    QPushButton* cmdTopp;
    // The offer to practise what the round missed; shown only at the end of a round.
    QPushButton* cmdOva;
    QPushButton* cmdStarta;
    QPushButton* cmdHjalp;
    QPushButton* cmdAvsluta;
    PictureBox* imgBlomma;
    QFrame* panPanel;
    PictureBox* imgKarta;
    QLabel* lblNamn;
    QTimer* tmrBlinka;
    QTimer* tmrNamnTimer;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void Maximize();
    void LayOut();
    void LoadMap();
    void StartRound(bool practice);
    void OfferPractice();
    QWidget* TopClient() const;

    COvning* exercise_ = nullptr;  // owned by the catalogue
    std::unique_ptr<CKarta> map_;
    // A click is judged in steps that let the window system run; a second click arriving
    // meanwhile would be judged against a half-booked answer, so it is dropped.
    bool handlingClick_ = false;
    bool snapping_ = false;
};
