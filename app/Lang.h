// The language table of interface strings ("lang.crp"), the labelling of windows from it, and
// the language dialog TfrmLang.
#pragma once

#include "data/Language.h"
#include "platform/Captions.h"

#include <QDialog>
#include <QString>
#include <string>

class QLabel;
class QPushButton;
class QRadioButton;
class PictureBox;
class ShapeWidget;

// Labels the window from the language table in the current language (see TranslateCaptions in
// platform/Captions.h); a Tag outside 1..34 raises ERangeError.
void TranslateCaptions(QWidget* window);

// The start-up dialog in which the player picks the language. Its result is the language
// index 1..5 after OK, CancelResult after Cancel or Escape. Showing it reads the sound and
// music switches from the settings file; OK stores the language there.
class TfrmLang : public QDialog {
    Q_OBJECT
public:
    static constexpr int CancelResult = 42;

    explicit TfrmLang(QWidget* parent = nullptr);

    // The index of the checked language (the last checked in the order 1..5).
    int CheckedLanguage() const;

    void reject() override;

    ShapeWidget* Shape1;
    QLabel* Label1;
    QLabel* Label2;
    PictureBox* imgUSA;
    PictureBox* imgSvensk;
    PictureBox* Image1;
    PictureBox* Image2;
    PictureBox* Image3;
    QRadioButton* chkEng;
    QRadioButton* chkSve;
    QRadioButton* chkFra;
    QRadioButton* chkTys;
    QRadioButton* chkSpa;
    QPushButton* cmdOK;
    QPushButton* cmdAvbryt;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void cmdOKClick();
    QRadioButton* ButtonOf(int language) const;
};
