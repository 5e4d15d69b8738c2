// TfrmHuvudmeny: the main window. It picks the world part on a small map or in a list, lists
// that part's exercises and starts one in the screen of its kind; it also opens the high-score
// list, the about box and the help.
#pragma once

#include "app/Generell.h"

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

class COvningar;
class PictureBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class ShapeWidget;
class TfrmAbout;
class TfrmLang;
class ExerciseWindow;

class TfrmHuvudmeny : public QWidget {
    Q_OBJECT
public:
    // dataDir is the folder of the game files; it becomes the current directory.
    explicit TfrmHuvudmeny(const std::string& dataDir = ExeDir(), QWidget* parent = nullptr);
    ~TfrmHuvudmeny() override;

    // The windows that start-up creates after the main window and that live as long as it.
    void SetLanguageDialog(TfrmLang* dialog) { frmLang_ = dialog; }
    void SetAboutBox(TfrmAbout* about) { frmAbout_ = about; }

    // The first showing asks for the language and loads the menu; when the player cancels or
    // loading fails, the window closes instead of showing.
    void setVisible(bool visible) override;

    void FyllOvningslista(int part);
    void SattVarldsdel(int part);

    // Event handlers, named after control and event.
    void imgMapMouseDown(int x, int y);
    void lstPartsSelect();
    void tmrInstruktionTimer();
    void Shape2MouseDown();
    void cmdStartaClick();
    void cmdTioitoppClick();
    void cmdOmClick();
    void cmdHjalpClick();
    void cmdAvslutaClick();

    // The world-part code ("EUR" .. "*") of part 1..7, "" for any other number.
    static std::string WorldPartCode(int part);
    const QImage& WorldPartPicture(int part) const;

    QFrame* panPanel;
    ShapeWidget* Shape3;
    PictureBox* Image1;
    ShapeWidget* Shape1;
    ShapeWidget* Shape4;
    PictureBox* imgMap;
    QLabel* lblInstruktion;
    QListWidget* lstParts;
    QListWidget* cboOvningar;
    QPushButton* cmdStarta;
    QPushButton* cmdTioitopp;
    ShapeWidget* Shape2;
    QPushButton* cmdOm;
    QPushButton* cmdHjalp;
    QPushButton* cmdAvsluta;
    QTimer* tmrInstruktion;

    // The hidden world-part pictures: the same world map, one part's land lime in each.
    QImage imgEuropa;
    QImage imgNordAmerika;
    QImage imgSydAmerika;
    QImage imgAsien;
    QImage imgAfrika;
    QImage imgAustralien;
    QImage imgHela;

    int CurrentWorldPart = 0;
    QPoint MapOffset;
    std::unique_ptr<COvningar> Catalogue;

    // The exercise screen (at most one at a time) and the high-score list; null when none is
    // open.
    QPointer<ExerciseWindow> Screen;
    QPointer<QWidget> ListWindow;

signals:
    // The window has closed: the program ends (start-up connects this to the event loop).
    void Closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    bool FormShow();
    void FormActivate();
    // Releases the exercise screen, or with onlyLeft only one the player has closed.
    void ReleaseScreen(bool onlyLeft);
    void LoadMenu();

    std::string dataDir_;
    TfrmLang* frmLang_ = nullptr;
    TfrmAbout* frmAbout_ = nullptr;
    bool shown_ = false;
    bool starting_ = false; // an exercise is being opened (its screen lets events through)
    bool activatedWhileStarting_ = false;
};
