// The language table and TranslateCaptions.
#include "app/Lang.h"

#include "app/Generell.h"
#include "app/Pictures.h"
#include "app/Shape.h"
#include "data/Fileread.h"
#include "platform/Array1.h"
#include "platform/Help.h"
#include "platform/PictureBox.h"
#include "platform/Settings.h"
#include "platform/Win1252.h"
#include "platform/WindowPlacement.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QWidget>

namespace {
Array1<Array1<std::string, 34>, 5> languageTable;

int TagOf(const QObject* object)
{
    const QVariant tag = object->property("Tag");
    return tag.isValid() ? tag.toInt() : 0;
}
} // namespace

std::string& LanguageText(int language, int number)
{
    return languageTable[language][number];
}

const std::string& LanguageString(int number)
{
    return languageTable[CurrentLanguage][number];
}

QString LanguageCaption(int number)
{
    return FromWin1252(LanguageString(number));
}

void ClearLanguageTable()
{
    for (int l = 1; l <= 5; ++l)
        for (int n = 1; n <= 34; ++n)
            languageTable[l][n].clear();
}

void LoadLanguageTableFrom(const std::string& path)
{
    TByteFile file(path);
    while (!file.AtEnd()) {
        const int n = file.ReadInt16();
        for (int language = 1; language <= 5; ++language) {
            std::string text = file.ReadString();
            LanguageText(language, n) = std::move(text); // a number outside 1..34 fails here
        }
    }
}

void LoadLanguageTable()
{
    LoadLanguageTableFrom(ExePath("lang.crp"));
}

void TranslateCaptions(QWidget* window)
{
    // Component order: the window's descendants in creation order. The controls of a window
    // that this one owns (an exercise screen of the main menu) belong to that window.
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        const int tag = TagOf(child);
        if (tag == 0 || child->window() != window)
            continue;
        if (auto* button = qobject_cast<QPushButton*>(child))
            button->setText(FromWin1252(LanguageText(CurrentLanguage, tag)));
        else if (auto* label = qobject_cast<QLabel*>(child))
            label->setText(FromWin1252(LanguageText(CurrentLanguage, tag)));
    }
    const int own = TagOf(window);
    if (own != 0)
        window->setWindowTitle(FromWin1252(LanguageText(CurrentLanguage, own)));
}

// ---- TfrmLang ----

namespace {
QImage FlagIcon(const char* name)
{
    return QImage(QStringLiteral(":/pictures/") + QLatin1String(name));
}
} // namespace

TfrmLang::TfrmLang(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    UsePictureResources();
    setObjectName(QStringLiteral("frmLang"));
    setWindowTitle(QStringLiteral("Welcome"));
    setFixedSize(215, 313);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    Shape1 = new ShapeWidget(ShapeWidget::Kind::Rectangle, this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(8, 8, 201, 265);
    Shape1->setBrushColor(PanelColor);

    QFont heading(QStringLiteral("Arial"));
    heading.setPixelSize(13);
    heading.setBold(true);
    auto makeLabel = [&](const char* name, int top, const char* text) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(20, top, 170, 20);
        label->setFont(heading);
        return label;
    };
    Label1 = makeLabel("Label1", 14, "Welcome to Globana!");
    Label2 = makeLabel("Label2", 32, "Please select a language:");

    auto makePicture = [&](const char* name, int top, int height, const char* file) {
        auto* picture = new PictureBox(this);
        picture->setObjectName(QLatin1String(name));
        picture->setGeometry(22, top, 35, height);
        // The 32 x 32 icon sits in the top-left corner; the rest of the control shows the panel.
        const QImage icon = FlagIcon(file);
        if (!icon.isNull())
            picture->canvas().setImage(icon);
        return picture;
    };
    imgUSA = makePicture("imgUSA", 62, 37, "lang_us.bmp");
    imgSvensk = makePicture("imgSvensk", 108, 31, "lang_sv.bmp");
    Image1 = makePicture("Image1", 148, 31, "lang_fr.bmp");
    Image2 = makePicture("Image2", 188, 31, "lang_de.bmp");
    Image3 = makePicture("Image3", 228, 31, "lang_es.bmp");

    auto makeRadio = [&](const char* name, int top, const char* text) {
        auto* radio = new QRadioButton(QString::fromLatin1(text), this);
        radio->setObjectName(QLatin1String(name));
        radio->setGeometry(66, top, 120, 17);
        // Buttons fill with the Button role by default; the panel colour goes to Window.
        radio->setBackgroundRole(QPalette::Window);
        radio->setAutoFillBackground(true);
        return radio;
    };
    chkEng = makeRadio("chkEng", 72, " I speak English");
    chkSve = makeRadio("chkSve", 114, " I speak Swedish");
    chkFra = makeRadio("chkFra", 154, " I speak French");
    chkTys = makeRadio("chkTys", 194, " I speak German");
    chkSpa = makeRadio("chkSpa", 234, " I speak Spanish");
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

    // F1 anywhere in the dialog, whichever control has the focus.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    // Before OK no language is chosen yet: the help speaks the one whose button is checked.
    connect(help, &QShortcut::activated, this, [this] { OpenHelpContents(CheckedLanguage()); });
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
