// The about box: shown modelessly from the main menu, hidden (not destroyed) by OK.
#include "app/About.h"

#include "app/Generell.h"
#include "platform/Help.h"
#include "platform/Settings.h"
#include "platform/Shape.h"
#include "platform/Win1252.h"
#include "platform/WindowKit.h"
#include "platform/WindowPlacement.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {
// The lines of a text file, split at CR LF, LF or a lone CR, as Windows-1252 text.
QStringList ReadTextLines(const QString& fileName)
{
    QStringList lines;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QByteArray bytes = file.readAll();
    std::string line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines << FromWin1252(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines << FromWin1252(line);
    return lines;
}
} // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    OpenFixedWindow(this, "frmAbout", QStringLiteral("About Globana"), {529, 378});
    setFont(WindowFont());
    FillBackground(this, Qt::white);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(ArialPixels(16, true));
    // The design text ends in a space, and another goes before the number.
    lblVersion->setText(QStringLiteral("Globana version ") + QLatin1Char(' ')
                        + QStringLiteral("2.62"));
    lblVersion->move(71, 14);
    lblVersion->adjustSize();

    Shape1 = MakeShape(this, "Shape1", ShapeWidget::Kind::Rectangle, {72, 36, 389, 1});
    Shape2 = MakeShape(this, "Shape2", ShapeWidget::Kind::Rectangle, {72, 99, 389, 1});

    chkSound = new QCheckBox(QStringLiteral("Sound Effects"), this);
    chkSound->setObjectName(QStringLiteral("chkSound"));
    chkSound->setGeometry(72, 112, 161, 21);
    chkMusic = new QCheckBox(QStringLiteral("Music"), this);
    chkMusic->setObjectName(QStringLiteral("chkMusic"));
    chkMusic->setGeometry(241, 112, 159, 21);

    Shape3 = MakeShape(this, "Shape3", ShapeWidget::Kind::Rectangle, {70, 144, 390, 1});

    memAbout = new QPlainTextEdit(this);
    memAbout->setObjectName(QStringLiteral("memAbout"));
    memAbout->setGeometry(68, 204, 389, 117);
    memAbout->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memAbout->setReadOnly(true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(68, 330, 393, 33);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmAbout::cmdOKClick);

    Shape4 = MakeShape(this, "Shape4", ShapeWidget::Kind::Rectangle, {8, 12, 53, 353});
    Shape5 = MakeShape(this, "Shape5", ShapeWidget::Kind::Rectangle, {468, 12, 53, 357});

    OnHelpKey(this, [] { OpenHelp(100); });
}

void TfrmAbout::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TfrmAbout::FormShow()
{
    CentreOnScreen(*this);
    Shape4->setBrushColor(FrameColor);
    Shape5->setBrushColor(FrameColor);

    // One empty line, then the README's lines; replaced, not appended to, so that showing the
    // box again shows the text once. The current directory is the executable's folder.
    QStringList lines{QString()};
    lines += ReadTextLines(QStringLiteral("README.TXT"));
    memAbout->setPlainText(lines.join(QLatin1Char('\n')));

    chkSound->setChecked(SoundOn);
    chkMusic->setChecked(MusicOn);
}

void TfrmAbout::cmdOKClick()
{
    MusicOn = chkMusic->isChecked();
    SoundOn = chkSound->isChecked();
    WriteSettingString(QStringLiteral("Options"), QStringLiteral("Music"),
                       MusicOn ? QStringLiteral("1") : QStringLiteral("0"));
    WriteSettingString(QStringLiteral("Options"), QStringLiteral("Sounds"),
                       SoundOn ? QStringLiteral("1") : QStringLiteral("0"));
    hide();
}
