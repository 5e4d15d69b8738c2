// TfrmOvningMulti: the window of the multiple-choice exercise. A question on a square and four
// numbered answer boxes, chosen with the mouse or the keys 1 to 4.
#pragma once

#include "exercises/ovning.h"
#include "platform/Types.h"
#include "screens/AnswerPause.h"
#include "screens/Ovform.h"

#include <cstdint>
#include <memory>
#include <string>

class CKarta;
class COvningMulti;
class PictureBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class ShapeWidget;

class TfrmOvningMulti : public ExerciseWindow, public TMultiExerciseScreen {
    Q_OBJECT
public:
    static constexpr int HelpContext = 103;
    static constexpr int PauseInterval = 1000; // ms a right answer stays green

    explicit TfrmOvningMulti(QWidget* owner = nullptr);
    ~TfrmOvningMulti() override;

    // Loads the place and area lists the exercise names, starts it and shows the window.
    // Errors (a missing data file, data that cannot offer four answers) leave it for the
    // caller to report.
    void OpenExercise(COvning* exercise) override;

    void VisaFraga(const std::string& text) override;
    void VisaProcent(std::int32_t percent) override;
    PictureBox* AnswerImage(int k); // null outside 1..4
    // Fills and frames the box in the colour and centres the text (Windows-1252) on it.
    void DrawAnswer(PictureBox* box, TColor colour, const std::string& text);
    void DrawAnswer(int k, TColor colour, const std::string& text) override;

    // Judges the answer whose number stands in ChosenAnswer.
    void AnswerChosen();

    // Event handlers, named after control and event.
    void imgSvarClick(int k); // k = 1..4
    void imgSvar1Click() { imgSvarClick(1); }
    void imgSvar2Click() { imgSvarClick(2); }
    void imgSvar3Click() { imgSvarClick(3); }
    void imgSvar4Click() { imgSvarClick(4); }
    void tmrTimerTimer();
    void cmdToppClick();
    void cmdAvslutaClick();
    void imgBlommaClick();
    void cmdOvaClick();

    // True from a right answer until the next question is shown: the exercise waits for the
    // timer's tick inside, and the window, the exercise and the map must stay alive.
    bool InPause() const { return pause_.Running(); }

    COvningMulti* Exercise() const { return exercise_; }
    CKarta* Map() const { return map_.get(); }
    bool ExerciseOver() const { return exerciseOver_; }

    TAnswer ChosenAnswer;

    PictureBox* imgBlomma;
    PictureBox* imgBar;
    QFrame* Panel1;
    ShapeWidget* Shape1;
    QLabel* Label1;
    PictureBox* imgSvar1;
    PictureBox* imgSvar2;
    PictureBox* imgSvar3;
    PictureBox* imgSvar4;
    QLabel* lbl1;
    QLabel* lbl2;
    QLabel* lbl3;
    QLabel* lbl4;
    QLabel* lblProcent;
    QPushButton* cmdTopp;
    QPushButton* cmdAvsluta;
    // The offer to practise what the round missed, under the panel; shown only at the end.
    QPushButton* cmdOva;
    // Public so that tests can shorten the pause.
    QTimer* tmrTimer;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void FormKeyDown(QKeyEvent* event);
    void FormDestroy();

    COvningMulti* exercise_ = nullptr; // owned by the catalogue
    std::unique_ptr<CKarta> map_;
    bool exerciseOver_ = false;
    AnswerPause pause_;
};
