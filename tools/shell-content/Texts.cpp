// The help pages (content/help/) and README.TXT.
#include "ShellContent.h"

#include <QDir>
#include <QRegularExpression>

namespace shellcontent {
namespace {

const int helpTopics[] = {101, 102, 103, 104, 100}; // in the order of the contents

// One help folder per game language, in CurrentLanguage order, and the word of its link back
// to the contents.
struct HelpLanguage {
    QString folder;
    QString contents;
};
const HelpLanguage helpLanguages[] = {
    {"sv", "Innehåll"}, {"en", "Contents"}, {"fr", "Sommaire"}, {"de", "Inhalt"}, {"es", "Contenido"}};

const char* const style =
    "body { font-family: Arial, 'Liberation Sans', sans-serif; font-size: 10pt; }\n"
    "h1 { color: #285aa0; font-size: 16pt; }\n"
    "h2 { color: #285aa0; font-size: 12pt; margin-top: 14px; }\n"
    "p.nav { background-color: #e0d0c0; padding: 3px; }\n"
    "td { vertical-align: top; }\n";

// Help files are written in ASCII with character references, so no viewer can get the
// encoding wrong.
QString AsciiHtml(const QString& text)
{
    QString out;
    for (const char32_t c : text.toUcs4())
        out += c < 0x80 ? QString(QChar(c)) : QString("&#%1;").arg(static_cast<uint>(c));
    return out;
}

QString Page(const QString& language, const QString& title, const QString& body)
{
    return "<!DOCTYPE html>\n<html lang=\"" + language + "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title
           + "</title>\n<style>\n" + style + "</style>\n</head>\n<body>\n" + body + "</body>\n</html>\n";
}

QString TitleOf(const QString& fragment, const QString& file)
{
    static const QRegularExpression h1("<h1>(.*)</h1>");
    const auto m = h1.match(fragment);
    if (!m.hasMatch())
        throw GenerateError{file.toStdString() + ": no <h1> title"};
    return m.captured(1);
}

// Breaks a paragraph into lines of at most width characters, the later ones indented.
QStringList Wrap(const QString& text, int width, const QString& indent)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const QString prefix = lines.isEmpty() ? QString() : indent;
        if (!line.isEmpty() && (prefix + line + ' ' + word).size() > width) {
            lines << prefix + line;
            line.clear();
        }
        line += (line.isEmpty() ? "" : " ") + word;
    }
    if (!line.isEmpty())
        lines << (lines.isEmpty() ? QString() : indent) + line;
    return lines;
}

constexpr int ReadmeWidth = 52; // fits the about box's text area (DejaVu Sans 9 pt) unwrapped

} // namespace

void WriteHelp(const QString& sourceDir, const QString& contentDir)
{
    for (const HelpLanguage& language : helpLanguages) {
        const QString source = sourceDir + "/help/" + language.folder;
        const QString target = contentDir + "/help/" + language.folder;
        QDir().mkpath(target);
        // index.html holds the title, the introduction and the heading of the list of topics.
        const QString intro = ReadUtf8File(source + "/index.html");
        const QString helpTitle = TitleOf(intro, language.folder + "/index.html");
        const QString nav = QString("<p class=\"nav\"><a href=\"index.html\">%1</a></p>\n").arg(language.contents);
        QString contents;
        for (const int topic : helpTopics) {
            const QString name = QString("topic%1.html").arg(topic);
            const QString fragment = ReadUtf8File(source + "/" + name);
            const QString title = TitleOf(fragment, language.folder + "/" + name);
            WriteBytes(target + "/" + name,
                       AsciiHtml(Page(language.folder, helpTitle + " – " + title, nav + fragment + nav)).toStdString());

            // The entry carries the topic's anchor too, so "index.html#topic101" still finds it.
            contents += QString("<li><a name=\"topic%1\" href=\"%2\">%3</a></li>\n").arg(topic).arg(name, title);
        }
        WriteBytes(target + "/index.html",
                   AsciiHtml(Page(language.folder, helpTitle, intro + "<ul>\n" + contents + "</ul>\n")).toStdString());
    }
}

void WriteReadme(const QString& sourceDir, const QString& contentDir)
{
    // data-sources.tsv: what, source, licence, note (tab-separated; '#' lines are comments).
    QStringList sources;
    for (QString line : ReadUtf8File(sourceDir + "/data-sources.tsv").split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = line.split('\t');
        if (f.size() < 3 || f.size() > 4)
            throw GenerateError{"data-sources.tsv: want what, source, licence and an optional note: "
                                + line.toStdString()};
        QString item = "* " + f[0] + ": " + f[1] + ". Licence: " + f[2] + ".";
        if (f.size() == 4 && !f[3].isEmpty())
            item += " " + f[3];
        sources += Wrap(item, ReadmeWidth, "  ");
        sources += QString();
    }
    while (!sources.isEmpty() && sources.last().isEmpty())
        sources.removeLast();

    QString text = ReadUtf8File(sourceDir + "/README.in.txt");
    text.replace("@DATA_SOURCES@", sources.join('\n'));
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines)
        if (line.size() > ReadmeWidth && line.trimmed().contains(' ')) // a long address may stand alone
            throw GenerateError{"README.in.txt: line longer than " + std::to_string(ReadmeWidth) + ": "
                                + line.toStdString()};
    WriteBytes(contentDir + "/README.TXT", Win1252OrThrow(lines.join("\r\n") + "\r\n", "README.TXT"));
}

} // namespace shellcontent
