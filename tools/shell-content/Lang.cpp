// lang.crp: the interface strings, from the readable table lang.tsv.
#include "ShellContent.h"

#include "platform/Win1252.h"
#include "tools/crp/CrpWriter.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QRegularExpression>

#include <map>

namespace shellcontent {

QString ReadUtf8File(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw GenerateError{"cannot read " + path.toStdString()};
    return QString::fromUtf8(file.readAll());
}

void WriteBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
        || !file.flush())
        throw GenerateError{"cannot write " + path.toStdString()};
}

std::string Win1252OrThrow(const QString& text, const QString& where)
{
    std::string bytes = ToWin1252(text);
    // ToWin1252 turns what it cannot encode into '?'; a shipped text must not lose anything.
    if (FromWin1252(bytes) != text)
        throw GenerateError{(where + ": not representable in Windows-1252: " + text).toStdString()};
    return bytes;
}

static QString Unescape(QString text)
{
    static const QRegularExpression escape(R"(\\u([0-9A-Fa-f]{4}))");
    QRegularExpressionMatch m;
    while ((m = escape.match(text)).hasMatch())
        text.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toUShort(nullptr, 16)));
    return text;
}

std::vector<LangEntry> ReadLangTable(const QString& path)
{
    std::vector<LangEntry> entries;
    std::map<int, int> seenOnLine;
    const QStringList lines = ReadUtf8File(path).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QString where = QString("%1:%2").arg(path).arg(i + 1);
        const QStringList fields = line.split('\t');
        bool ok = false;
        LangEntry e;
        e.number = fields[0].toInt(&ok);
        if (fields.size() != 6 || !ok || e.number < 1 || e.number > 34)
            throw GenerateError{(where + ": want a number 1..34 and five texts, tab-separated").toStdString()};
        if (seenOnLine.count(e.number))
            throw GenerateError{(where + QString(": number %1 already on line %2").arg(e.number).arg(seenOnLine[e.number])).toStdString()};
        seenOnLine[e.number] = i + 1;
        for (int lang = 0; lang < 5; ++lang) {
            e.texts[lang] = Unescape(fields[lang + 1]);
            if (e.texts[lang].trimmed().isEmpty() || e.texts[lang] != e.texts[lang].trimmed())
                throw GenerateError{(where + ": empty text or stray spaces").toStdString()};
        }
        entries.push_back(e);
    }
    return entries;
}

void WriteLangFile(const std::vector<LangEntry>& entries, const QString& path)
{
    CrpWriter w;
    for (const LangEntry& e : entries) {
        LanguageRecord r;
        r.Number = e.number;
        for (int lang = 0; lang < 5; ++lang)
            r.Texts[lang] = Win1252OrThrow(e.texts[lang], QString("string %1").arg(e.number));
        WriteLanguageRecord(w, r);
    }
    WriteBytes(path, std::string(w.Bytes().begin(), w.Bytes().end()));
}

namespace {

// A control that shows a string: its font and the room it gives the text.
struct Fit {
    int number;
    const char* family; // "Arial" resolves to the metric-compatible Liberation Sans
    int pixelSize;
    bool bold;
    int width;     // room for the text, pixels (control width less frame and padding)
    int maxLines;  // 1: one line; more: word-wrapped into this many lines at most
    const char* control;
};

// Buttons lose about 12 px to frame and padding, list items about 8. The flag screen's
// "MS Sans Serif" is measured as DejaVu Sans, the wider face it falls back to.
const Fit fits[] = {
    {1, "Arial", 13, false, 193 - 12, 1, "main menu cmdStarta"},
    {2, "Arial", 13, false, 191 - 12, 1, "main menu cmdTioitopp"},
    {2, "Arial", 21, true, 485, 1, "high-score list heading"},
    {3, "Arial", 13, false, 190 - 12, 1, "main menu cmdAvsluta"},
    {5, "Arial", 13, false, 191 - 12, 1, "main menu cmdOm"},
    {8, "Arial", 13, false, 632 - 120, 1, "high-score list caption"},
    {9, "Arial", 15, true, 110, 1, "flag screen question prefix"},
    {11, "DejaVu Sans", 11, false, 101 - 12, 1, "flag screen cmdTopp"},
    {11, "Arial", 12, false, 117 - 12, 1, "map screen cmdTopp"},
    {12, "DejaVu Sans", 11, false, 63 - 12, 1, "flag screen cmdAvsluta"},
    {12, "Arial", 12, false, 79 - 12, 1, "map screen cmdAvsluta"},
    {17, "Arial", 13, false, 632 - 120, 1, "multiple-choice caption"},
    {18, "Arial", 13, false, 193 - 12, 1, "main menu cmdHjalp"},
    {23, "DejaVu Sans", 11, false, 82 - 12, 1, "flag screen cmdStarta"},
    {23, "Arial", 12, false, 97 - 12, 1, "map screen cmdStarta"},
    {25, "Arial", 12, false, 381, 2, "main menu lblInstruktion"},
    {27, "Arial", 13, true, 106 - 8, 1, "lstParts"},
    {28, "Arial", 13, true, 106 - 8, 1, "lstParts"},
    {29, "Arial", 13, true, 106 - 8, 1, "lstParts"},
    {30, "Arial", 13, true, 106 - 8, 1, "lstParts"},
    {31, "Arial", 13, true, 106 - 8, 1, "lstParts"},
    {32, "Arial", 13, true, 106 - 8, 1, "lstParts"},
    {33, "Arial", 13, true, 106 - 8, 1, "lstParts"},
};

// Long names in each language, to try the question frames with: the longest area name of the
// multiple-choice exercises.
const char* const longArea[5] = {"Dadra och Nagar Haveli och Daman och Diu",
    "Dadra and Nagar Haveli and Daman and Diu", "Dadra et Nagar Haveli et Daman et Diu",
    "Dadra und Nagar Haveli und Daman und Diu", "Dadra y Nagar Haveli y Damán y Diu"};
const char* const longPlace[5] = {"Ouagadougou", "Ouagadougou", "Ouagadougou", "Ouagadougou", "Uagadugú"};

int LinesNeeded(const QFontMetrics& fm, int width, const QString& text)
{
    const QRect r = fm.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap | Qt::AlignHCenter, text);
    if (r.width() > width)
        return 1000; // a single word wider than the room
    return (r.height() + fm.lineSpacing() / 2) / fm.lineSpacing();
}

QFont FontOf(const char* family, int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QStringList CheckCaptionWidths(const std::vector<LangEntry>& entries)
{
    std::map<int, const LangEntry*> byNumber;
    for (const LangEntry& e : entries)
        byNumber[e.number] = &e;
    QStringList problems;
    auto check = [&](const QFont& font, int width, int maxLines, const QString& text, const QString& what) {
        const QFontMetrics fm(font);
        const bool fits = maxLines == 1 ? fm.horizontalAdvance(text) <= width
                                        : LinesNeeded(fm, width, text) <= maxLines;
        if (!fits)
            problems << QString("%1: \"%2\" (%3 px, room %4)").arg(what, text).arg(fm.horizontalAdvance(text)).arg(width);
    };
    for (const Fit& f : fits) {
        const auto it = byNumber.find(f.number);
        if (it == byNumber.end())
            continue;
        for (int lang = 0; lang < 5; ++lang)
            check(FontOf(f.family, f.pixelSize, f.bold), f.width, f.maxLines, it->second->texts[lang],
                  QString("string %1 language %2 in %3").arg(f.number).arg(lang + 1).arg(f.control));
    }
    // The multiple-choice question label: 275 x 55, bold 15 px, word-wrapped into three lines.
    const QFont question = FontOf("Arial", 15, true);
    for (int lang = 0; lang < 5; ++lang) {
        if (byNumber.count(10))
            check(question, 275, 3, QString::fromUtf8(longPlace[lang]) + ' ' + byNumber[10]->texts[lang],
                  QString("place question, language %1").arg(lang + 1));
        if (byNumber.count(13) && byNumber.count(14))
            check(question, 275, 3,
                  byNumber[13]->texts[lang] + ' ' + QString::fromUtf8(longArea[lang]) + ' ' + byNumber[14]->texts[lang],
                  QString("area question, language %1").arg(lang + 1));
    }
    return problems;
}

} // namespace shellcontent
