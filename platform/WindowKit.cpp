// The pieces every game window is built from.
#include "platform/WindowKit.h"

#include "platform/Canvas.h"
#include "platform/PictureBox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

QFont FontPixels(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont ArialPixels(int pixels, bool bold)
{
    return FontPixels(QStringLiteral("Arial"), pixels, bold);
}

QFont WindowFont()
{
    return FontPixels(QStringLiteral("MS Sans Serif"), 11);
}

WindowColour::WindowColour(TColor colour) : qt(QColor::fromRgb(ToQRgb(colour)))
{
}

void SetColour(QWidget* widget, QPalette::ColorRole role, WindowColour colour)
{
    QPalette pal = widget->palette();
    pal.setColor(role, colour.qt);
    widget->setPalette(pal);
}

void FillBackground(QWidget* widget, WindowColour colour)
{
    SetColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

void OpenFixedWindow(QWidget* window, const char* name, const QString& title, QSize size, int tag)
{
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(title);
    if (tag != 0)
        window->setProperty("Tag", tag);
    window->setFixedSize(size);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QRect& at, int tag, Qt::FocusPolicy focus)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(at);
    if (tag != 0)
        button->setProperty("Tag", tag);
    button->setAutoDefault(false);
    button->setFocusPolicy(focus);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& at, const QFont& font,
                  WindowColour colour, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    if (!at.isNull())
        label->setGeometry(at);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setAutoFillBackground(false);
    SetColour(label, QPalette::WindowText, colour);
    return label;
}

QWidget* MakePanel(QWidget* parent, QFrame*& panel, const char* name, const QRect& at)
{
    panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    panel->setGeometry(at);
    panel->setAutoFillBackground(true);
    SetColour(panel, QPalette::WindowText, Qt::black);
    auto* client = new QWidget(panel);
    client->setObjectName(QLatin1String(name) + QStringLiteral("Client"));
    client->setGeometry(panel->contentsRect());
    return client;
}

ShapeWidget* MakeShape(QWidget* parent, const char* name, ShapeWidget::Kind kind, const QRect& at)
{
    auto* shape = new ShapeWidget(kind, parent);
    shape->setObjectName(QLatin1String(name));
    shape->setGeometry(at);
    return shape;
}

PictureBox* MakePicture(QWidget* parent, const char* name, const QRect& at)
{
    auto* picture = new PictureBox(parent);
    picture->setObjectName(QLatin1String(name));
    if (!at.isNull())
        picture->setGeometry(at);
    return picture;
}

QTimer* MakeTimer(QObject* owner, const char* name, int intervalMs)
{
    auto* timer = new QTimer(owner);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    return timer;
}

void OnHelpKey(QWidget* window, std::function<void()> openHelp)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    QObject::connect(key, &QShortcut::activated, window, std::move(openHelp));
}
