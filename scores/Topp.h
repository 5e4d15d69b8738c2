// TfrmTopplista: the modal list of every exercise of the catalogue with its best result.
#pragma once

#include "scores/ScoreFile.h"

#include <QDialog>
#include <string>

class COvningar;
class PictureBox;
class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

class TfrmTopplista : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTopplista(QWidget* owner = nullptr);

    // Reads the top-ten file and fills one row per exercise of the catalogue, in its order.
    // No file yet gives empty results; a damaged file raises its error.
    void LoadList(const std::string& fileName, const COvningar& catalogue);

    const ScoreTable& Table() const { return table_; }

    QFrame* Panel1;
    QLabel* lblRubrik;
    PictureBox* imgBlomma1;
    PictureBox* imgBlomma2;
    QTableWidget* grdLista;
    QPushButton* cmdOK;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillList(const COvningar& catalogue);
    void cmdOKClick();
    void imgBlommaMouseDown();

    ScoreTable table_;
    std::string fileName_;
};
