// Labelling windows from the language table, and the language dialog TfrmLang.
#include "app/Lang.h"

#include "app/Generell.h"
#include "app/Pictures.h"
#include "data/Fileread.h"
#include "platform/Array1.h"
#include "platform/Help.h"
#include "platform/PictureBox.h"
#include "platform/Settings.h"
#include "platform/Shape.h"
#include "platform/Win1252.h"
#include "platform/WindowKit.h"
#include "platform/WindowPlacement.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QWidget>

void TranslateCaptions(QWidget* window)
{
    TranslateCaptions(window, LanguageCaption);
}

// ---- TfrmLang ----

namespace {

QLabel* Heading(QWidget* dialog, const char* name, int top, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text), dialog);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(20, top, 170, 20);
    label->setFont(ArialPixels(13, true));
    return label;
}

// The flag beside a language's button.
PictureBox* FlagPicture(QWidget* dialog, const char* name, int top, int height, const char* file)
{
    auto* picture = MakePicture(dialog, name, {22, top, 35, height});
    // The 32 x 32 icon sits in the top-left corner; the rest of the control shows the panel.
    const QImage icon(QStringLiteral(":/pictures/") + QLatin1String(file));
    if (!icon.isNull())
        picture->canvas().setImage(icon);
    return picture;
}

QRadioButton* LanguageButton(QWidget* dialog, const char* name, int top, const char* text)
{
    auto* radio = new QRadioButton(QString::fromLatin1(text), dialog);
    radio->setObjectName(QLatin1String(name));
    radio->setGeometry(66, top, 120, 17);
    // Buttons fill with the Button role by default; the panel colour goes to Window.
    radio->setBackgroundRole(QPalette::Window);
    radio->setAutoFillBackground(true);
    return radio;
}

} // namespace

TfrmLang::TfrmLang(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    UsePictureResources();
    OpenFixedWindow(this, "frmLang", QStringLiteral("Welcome"), {215, 313});
    setFont(WindowFont());
    FillBackground(this, Qt::white);

    Shape1 = MakeShape(this, "Shape1", ShapeWidget::Kind::Rectangle, {8, 8, 201, 265});
    Shape1->setBrushColor(PanelColor);

    Label1 = Heading(this, "Label1", 14, "Welcome to Globana!");
    Label2 = Heading(this, "Label2", 32, "Please select a language:");

    imgUSA = FlagPicture(this, "imgUSA", 62, 37, "lang_us.bmp");
    imgSvensk = FlagPicture(this, "imgSvensk", 108, 31, "lang_sv.bmp");
    Image1 = FlagPicture(this, "Image1", 148, 31, "lang_fr.bmp");
    Image2 = FlagPicture(this, "Image2", 188, 31, "lang_de.bmp");
    Image3 = FlagPicture(this, "Image3", 228, 31, "lang_es.bmp");

    chkEng = LanguageButton(this, "chkEng", 72, " I speak English");
    chkSve = LanguageButton(this, "chkSve", 114, " I speak Swedish");
    chkFra = LanguageButton(this, "chkFra", 154, " I speak French");
    chkTys = LanguageButton(this, "chkTys", 194, " I speak German");
    chkSpa = LanguageButton(this, "chkSpa", 234, " I speak Spanish");
    chkEng->setChecked(true);

    const std::pair<PictureBox*, QRadioButton*> flags[] = {
        {imgUSA, chkEng}, {imgSvensk, chkSve}, {Image1, chkFra}, {Image2, chkTys}, {Image3, chkSpa}};
    for (const auto& [picture, radio] : flags) {
        QRadioButton* target = radio;
        connect(picture, &PictureBox::mousePressed, this, [target] { target->setChecked(true); });
    }

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(8, 278, 97, 29);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmLang::cmdOKClick);

    cmdAvbryt = new QPushButton(QStringLiteral("Cancel"), this);
    cmdAvbryt->setObjectName(QStringLiteral("cmdAvbryt"));
    cmdAvbryt->setGeometry(108, 278, 99, 29);
    connect(cmdAvbryt, &QPushButton::clicked, this, &TfrmLang::reject);

    // Before OK no language is chosen yet: the help speaks the one whose button is checked.
    OnHelpKey(this, [this] { OpenHelpContents(CheckedLanguage()); });
}

QRadioButton* TfrmLang::ButtonOf(int language) const
{
    switch (language) {
    case 1: return chkSve;
    case 2: return chkEng;
    case 3: return chkFra;
    case 4: return chkTys;
    case 5: return chkSpa;
    default: return nullptr;
    }
}

int TfrmLang::CheckedLanguage() const
{
    int language = 0;
    for (int i = 1; i <= 5; ++i)
        if (ButtonOf(i)->isChecked())
            language = i;
    return language;
}

void TfrmLang::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfrmLang::FormShow()
{
    CentreOnScreen(*this);

    Shape1->setBrushColor(PanelColor);
    for (int i = 1; i <= 5; ++i) {
        QPalette pal = ButtonOf(i)->palette();
        pal.setColor(QPalette::Window, ToQColor(PanelColor));
        ButtonOf(i)->setPalette(pal);
    }

    MusicOn = ReadSettingInteger(QStringLiteral("Options"), QStringLiteral("Music"), 1) == 1;
    SoundOn = ReadSettingInteger(QStringLiteral("Options"), QStringLiteral("Sounds"), 1) == 1;

    // A value that is not a whole number counts as the default.
    bool ok = false;
    int from = ReadSettingString(QStringLiteral("Languages"), QStringLiteral("From"),
                                 QStringLiteral("2")).toInt(&ok);
    if (!ok)
        from = 2;
    if (QRadioButton* radio = ButtonOf(from))
        radio->setChecked(true);
}

void TfrmLang::cmdOKClick()
{
    const int language = CheckedLanguage();
    WriteSettingString(QStringLiteral("Languages"), QStringLiteral("From"), QString::number(language));
    done(language);
}

void TfrmLang::reject()
{
    done(CancelResult);
}
