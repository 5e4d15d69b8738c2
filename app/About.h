// TfrmAbout: the about box with the version, README.TXT and the sound and music switches.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class ShapeWidget;

class TfrmAbout : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    QLabel* lblVersion;
    ShapeWidget* Shape1;
    ShapeWidget* Shape2;
    QCheckBox* chkSound;
    QCheckBox* chkMusic;
    ShapeWidget* Shape3;
    QPlainTextEdit* memAbout;
    QPushButton* cmdOK;
    ShapeWidget* Shape4;
    ShapeWidget* Shape5;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void cmdOKClick();
};
