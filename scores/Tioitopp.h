// TfrmTioitopp: the modal top-ten window of one exercise, which enters a new result under the
// name the player types and saves "scores.hgh" on OK, and ShowTopTen, which opens it.
#pragma once

#include "scores/ScoreFile.h"

#include <QDialog>
#include <functional>
#include <string>

class COvning;
class PictureBox;
class ShapeWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TfrmTioitopp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTioitopp(QWidget* owner = nullptr);

    // The exercise whose list is shown: its number (1..90) and its name in the current
    // language (Windows-1252 bytes). Set before LoadAndInsert.
    void SetExercise(int number, const std::string& name);
    // Reads the file (a missing file is an empty list; a damaged one is reported and what was
    // read before the fault is kept) and enters the score; -1 only shows the list.
    void LoadAndInsert(const std::string& fileName, int score);

    const ScoreTable& Table() const { return table_; }
    int NewRow() const { return newRow_; }

    QLabel* lblOvningsNamn;
    ShapeWidget* Shape2;
    PictureBox* Image1;
    PictureBox* Image2;
    QTableWidget* grdLista;
    QLineEdit* txtNySignatur;
    QPushButton* cmdOK;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdOKClick();
    void txtNySignaturExit();
    void FillGrid();
    void ClearTable();
    void SaveTable();

    ScoreTable table_;
    std::string fileName_;
    int newRow_ = 0;
    int exerciseNumber_ = 0;
    std::string exerciseName_;
    bool editing_ = false;
};

// Opens the top-ten window of the exercise; score -1 only shows the list.
void ShowTopTen(COvning* exercise, int score, QWidget* owner);

// What an exercise screen calls to offer the top ten: ShowTopTen unless it is handed another.
using TopTenPresenter = std::function<void(COvning* exercise, int score, QWidget* owner)>;
