// The help viewer: one QTextBrowser window, reused for every request.
#include "platform/Help.h"

#include "app/Generell.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <string>

namespace {

HelpHook helpHook;
QPointer<QTextBrowser> viewer;

void Show(int topic)
{
    if (helpHook) {
        helpHook(topic);
        return;
    }
    if (!viewer) {
        viewer = new QTextBrowser;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setWindowTitle(QStringLiteral("Globana Help"));
        viewer->setOpenExternalLinks(true);
        viewer->resize(640, 480);
    }
    // Each topic has its own page; topic 0 is the contents.
    const std::string page = topic == 0 ? "help/index.html" : "help/topic" + std::to_string(topic) + ".html";
    const QString file = QString::fromStdString(ExePath(page));
    if (QFileInfo::exists(file)) {
        viewer->setSource(QUrl::fromLocalFile(file));
    } else {
        viewer->setHtml(QStringLiteral("<p>The help file was not found:<br>%1</p>")
                            .arg(file.toHtmlEscaped()));
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace

void OpenHelp(int topic)
{
    Show(topic);
}

void OpenHelpContents()
{
    Show(0);
}

void SetHelpHook(HelpHook hook)
{
    helpHook = std::move(hook);
}
