// The help viewer: one window over QTextBrowser, reused for every request and hidden, not
// destroyed, when closed, so it keeps its size and place for the rest of the run.
#include "platform/Help.h"

#include "platform/GameState.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <array>

namespace {

struct ViewerTexts {
    const char* folder;
    const char* title;
    const char* back;
    const char* forward;
    const char* contents;
    const char* find;
    const char* missing;
};

// Languages 1..5, in CurrentLanguage order. The pages carry their own titles; these label the
// window around them.
const std::array<ViewerTexts, 5> viewerTexts{{
    {"sv", "Hjälp för Globana", "Bakåt", "Framåt", "Innehåll", "Sök på sidan",
     "Hjälpfilen hittades inte:"},
    {"en", "Globana Help", "Back", "Forward", "Contents", "Find in page",
     "The help file was not found:"},
    {"fr", "Aide de Globana", "Précédent", "Suivant", "Sommaire", "Rechercher dans la page",
     "Le fichier d’aide est introuvable :"},
    {"de", "Globana-Hilfe", "Zurück", "Vor", "Inhalt", "Auf der Seite suchen",
     "Die Hilfedatei wurde nicht gefunden:"},
    {"es", "Ayuda de Globana", "Atrás", "Adelante", "Contenido", "Buscar en la página",
     "No se encontró el archivo de ayuda:"},
}};

const ViewerTexts& TextsOf(int language)
{
    return viewerTexts[static_cast<std::size_t>(language >= 1 && language <= 5 ? language - 1 : 1)];
}

HelpHook helpHook;
QString helpFolder;

class HelpBrowserWindow : public QWidget {
public:
    HelpBrowserWindow()
    {
        setObjectName(QStringLiteral("frmHelp"));
        setWindowFlag(Qt::Window);

        auto makeButton = [this](const char* name, QStyle::StandardPixmap icon) {
            auto* button = new QToolButton(this);
            button->setObjectName(QLatin1String(name));
            button->setIcon(style()->standardIcon(icon));
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            button->setAutoRaise(true);
            return button;
        };
        cmdBack = makeButton("cmdBack", QStyle::SP_ArrowBack);
        cmdForward = makeButton("cmdForward", QStyle::SP_ArrowForward);
        cmdContents = makeButton("cmdContents", QStyle::SP_DirHomeIcon);
        txtFind = new QLineEdit(this);
        txtFind->setObjectName(QStringLiteral("txtFind"));
        txtFind->setClearButtonEnabled(true);
        txtFind->setMinimumWidth(200);

        txtHelp = new QTextBrowser(this);
        txtHelp->setObjectName(QStringLiteral("txtHelp"));
        txtHelp->setOpenExternalLinks(true);

        auto* bar = new QHBoxLayout;
        bar->setContentsMargins(4, 4, 4, 0);
        bar->addWidget(cmdBack);
        bar->addWidget(cmdForward);
        bar->addWidget(cmdContents);
        bar->addStretch();
        bar->addWidget(txtFind);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(4);
        layout->addLayout(bar);
        layout->addWidget(txtHelp);

        cmdBack->setEnabled(false);
        cmdForward->setEnabled(false);
        connect(cmdBack, &QToolButton::clicked, txtHelp, &QTextBrowser::backward);
        connect(cmdForward, &QToolButton::clicked, txtHelp, &QTextBrowser::forward);
        connect(cmdContents, &QToolButton::clicked, this, [this] { txtHelp->setSource(contents); });
        connect(txtHelp, &QTextBrowser::backwardAvailable, cmdBack, &QToolButton::setEnabled);
        connect(txtHelp, &QTextBrowser::forwardAvailable, cmdForward, &QToolButton::setEnabled);
        connect(txtHelp, &QTextBrowser::sourceChanged, this, [this] { UpdateTitle(); });
        // Typing searches from the top of the page; Enter and F3 go on to the next match.
        connect(txtFind, &QLineEdit::textEdited, this, [this] { Find(true); });
        connect(txtFind, &QLineEdit::returnPressed, this, [this] { Find(false); });

        auto* findKey = new QShortcut(QKeySequence::Find, this);
        connect(findKey, &QShortcut::activated, this, [this] {
            txtFind->setFocus();
            txtFind->selectAll();
        });
        auto* findNext = new QShortcut(QKeySequence::FindNext, this);
        connect(findNext, &QShortcut::activated, this, [this] { Find(false); });
        auto* back = new QShortcut(QKeySequence::Back, this);
        connect(back, &QShortcut::activated, txtHelp, &QTextBrowser::backward);
        auto* forward = new QShortcut(QKeySequence::Forward, this);
        connect(forward, &QShortcut::activated, txtHelp, &QTextBrowser::forward);
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(close, &QShortcut::activated, this, &QWidget::close);
    }

    void ShowPage(int topic, int language)
    {
        if (language != shownLanguage) {
            const ViewerTexts& t = TextsOf(language);
            cmdBack->setText(QString::fromUtf8(t.back));
            cmdForward->setText(QString::fromUtf8(t.forward));
            cmdContents->setText(QString::fromUtf8(t.contents));
            txtFind->setPlaceholderText(QString::fromUtf8(t.find));
            txtFind->clear();
            txtFind->setStyleSheet(QString());
            contents = QUrl::fromLocalFile(HelpPagePath(0, language));
        }
        const QString file = HelpPagePath(topic, language);
        if (QFileInfo::exists(file)) {
            txtHelp->setSource(QUrl::fromLocalFile(file));
        } else {
            txtHelp->setHtml(QStringLiteral("<p>%1<br>%2</p>")
                                 .arg(QString::fromUtf8(TextsOf(language).missing), file.toHtmlEscaped()));
        }
        // Back must not lead into the pages of another language.
        if (language != shownLanguage)
            txtHelp->clearHistory();
        shownLanguage = language;
        UpdateTitle();
    }

private:
    void UpdateTitle()
    {
        const QString page = txtHelp->documentTitle();
        setWindowTitle(page.isEmpty() ? QString::fromUtf8(TextsOf(shownLanguage).title) : page);
    }

    void Find(bool fromTop)
    {
        const QString text = txtFind->text();
        QTextCursor cursor = txtHelp->textCursor();
        if (fromTop || text.isEmpty()) {
            cursor.movePosition(QTextCursor::Start);
            txtHelp->setTextCursor(cursor);
        }
        bool found = text.isEmpty() || txtHelp->find(text);
        if (!found) { // wrap around to the top
            cursor.movePosition(QTextCursor::Start);
            txtHelp->setTextCursor(cursor);
            found = txtHelp->find(text);
        }
        txtFind->setStyleSheet(found ? QString() : QStringLiteral("QLineEdit { background: #ffd0d0; }"));
    }

    QToolButton* cmdBack;
    QToolButton* cmdForward;
    QToolButton* cmdContents;
    QLineEdit* txtFind;
    QTextBrowser* txtHelp;
    QUrl contents;
    int shownLanguage = 0;
};

QPointer<HelpBrowserWindow> viewer;

void DeleteViewer()
{
    delete viewer;
}

void Show(int topic, int language)
{
    if (helpHook) {
        helpHook(topic);
        return;
    }
    if (language < 1 || language > 5)
        language = CurrentLanguage;
    const bool first = !viewer;
    if (first) {
        viewer = new HelpBrowserWindow;
        // Top-level widgets outlive the event loop; this runs while QApplication still exists.
        qAddPostRoutine(DeleteViewer);
    }
    viewer->ShowPage(topic, language);

    // A modal window (the language dialog, a top-ten list) would block the help it asked for,
    // unless the help belongs to it.
    viewer->winId();
    QWidget* modal = QApplication::activeModalWidget();
    viewer->windowHandle()->setTransientParent(modal && modal != viewer ? modal->windowHandle() : nullptr);

    if (first) {
        const QRect screen = viewer->screen()->availableGeometry();
        const QSize size(std::min(760, screen.width()), std::min(620, screen.height()));
        viewer->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen));
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace

QString HelpPagePath(int topic, int language)
{
    const QString folder = helpFolder.isEmpty() ? QString::fromStdString(ExePath("help")) : helpFolder;
    const QString page = topic == 0 ? QStringLiteral("index.html") : QStringLiteral("topic%1.html").arg(topic);
    return folder + QLatin1Char('/') + QLatin1String(TextsOf(language).folder) + QLatin1Char('/') + page;
}

QWidget* HelpWindow()
{
    return viewer;
}

void OpenHelp(int topic, int language)
{
    Show(topic, language);
}

void OpenHelpContents(int language)
{
    Show(0, language);
}

void SetHelpHook(HelpHook hook)
{
    helpHook = std::move(hook);
}

void SetHelpFolder(const QString& folder)
{
    helpFolder = folder;
}
