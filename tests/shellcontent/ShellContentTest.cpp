// The shipped shell content in content/: strings, sounds, tune, pictures, help and README.TXT,
// read the way the game reads them.
#include "data/Fileread.h"
#include "platform/Help.h"
#include "platform/Win1252.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string contentDir = GLOBANA_CONTENT_DIR;

std::string ReadAll(const std::string& name)
{
    QFile file(QString::fromStdString(contentDir + "/" + name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

unsigned Le(const std::string& b, std::size_t at, int bytes)
{
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v * 256 + static_cast<unsigned char>(b.at(at + static_cast<std::size_t>(i)));
    return v;
}

unsigned Be(const std::string& b, std::size_t at, int bytes)
{
    unsigned v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v * 256 + static_cast<unsigned char>(b.at(at + static_cast<std::size_t>(i)));
    return v;
}

using Texts = std::array<QString, 5>;

// lang.crp as LoadLanguageTable reads it: records of a number and five strings, the later
// record of a number winning.
std::map<int, Texts> LoadLangCrp()
{
    std::map<int, Texts> table;
    TByteFile file(contentDir + "/lang.crp");
    while (!file.AtEnd()) {
        const int number = file.ReadInt16();
        Texts texts;
        for (QString& t : texts)
            t = FromWin1252(file.ReadString());
        table[number] = texts;
    }
    return table;
}

TEST(LangFile, EveryUsedStringIsThereInAllFiveLanguages)
{
    const std::map<int, Texts> table = LoadLangCrp();
    for (const auto& [number, texts] : table)
        EXPECT_TRUE(number >= 1 && number <= 34) << "string number " << number;
    const int used[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 17, 18, 23, 25, 27, 28, 29, 30, 31, 32, 33};
    for (int number : used) {
        ASSERT_TRUE(table.count(number)) << "string " << number << " missing";
        for (int lang = 0; lang < 5; ++lang)
            EXPECT_FALSE(table.at(number)[lang].trimmed().isEmpty()) << "string " << number << " language " << lang + 1;
    }
}

TEST(LangFile, HoldsExactlyTheTextsOfTheSourceTable)
{
    // Catches a lost accent or a shifted language column between lang.tsv and lang.crp.
    QFile source(GLOBANA_LANG_TABLE);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const std::map<int, Texts> table = LoadLangCrp();
    int rows = 0;
    for (const QString& line : QString::fromUtf8(source.readAll()).split('\n')) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = line.split('\t');
        ASSERT_EQ(f.size(), 6) << qPrintable(line);
        const int number = f[0].toInt();
        ASSERT_TRUE(table.count(number)) << number;
        for (int lang = 0; lang < 5; ++lang) {
            QString expected = f[lang + 1];
            expected.replace("\\u00A0", QString(QChar(0x00A0)));
            EXPECT_EQ(table.at(number)[lang], expected) << "string " << number << " language " << lang + 1;
        }
        ++rows;
    }
    EXPECT_EQ(rows, static_cast<int>(table.size()));
}

TEST(LangFile, WorldPartNamesDifferBetweenLanguages)
{
    // Each language column is its own translation, not a copy of another.
    const std::map<int, Texts> table = LoadLangCrp();
    for (int lang = 0; lang < 5; ++lang)
        for (int other = lang + 1; other < 5; ++other) {
            int differing = 0;
            for (int number = 27; number <= 33; ++number)
                differing += table.at(number)[lang] != table.at(number)[other];
            EXPECT_GE(differing, 3) << "languages " << lang + 1 << " and " << other + 1;
        }
}

class WavFile : public ::testing::TestWithParam<const char*> {};

TEST_P(WavFile, IsShortAudiblePcmWithoutClicks)
{
    const std::string b = ReadAll(GetParam());
    ASSERT_GE(b.size(), 44u) << GetParam();
    EXPECT_EQ(b.substr(0, 4), "RIFF");
    EXPECT_EQ(Le(b, 4, 4), b.size() - 8);
    EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
    const unsigned fmtSize = Le(b, 16, 4);
    const unsigned format = Le(b, 20, 2), channels = Le(b, 22, 2), rate = Le(b, 24, 4);
    const unsigned byteRate = Le(b, 28, 4), align = Le(b, 32, 2), bits = Le(b, 34, 2);
    EXPECT_EQ(format, 1u);
    EXPECT_TRUE(channels == 1 || channels == 2);
    EXPECT_TRUE(rate == 44100 || rate == 22050);
    EXPECT_EQ(bits, 16u);
    EXPECT_EQ(align, channels * 2);
    EXPECT_EQ(byteRate, rate * align);
    const std::size_t data = 20 + fmtSize;
    ASSERT_EQ(b.substr(data, 4), "data");
    const unsigned dataBytes = Le(b, data + 4, 4);
    ASSERT_EQ(data + 8 + dataBytes, b.size());

    const std::size_t frames = dataBytes / align;
    const double seconds = static_cast<double>(frames) / rate;
    EXPECT_GE(seconds, 0.1);
    EXPECT_LE(seconds, 0.6);
    double peak = 0, sumSquares = 0;
    std::vector<double> samples;
    for (std::size_t i = 0; i < dataBytes / 2; ++i) {
        const double v = static_cast<std::int16_t>(Le(b, data + 8 + 2 * i, 2)) / 32768.0;
        samples.push_back(v);
        peak = std::max(peak, std::abs(v));
        sumSquares += v * v;
    }
    EXPECT_GT(peak, 0.2) << "too quiet";
    EXPECT_LT(peak, 0.99) << "clipped";
    EXPECT_GT(std::sqrt(sumSquares / samples.size()), 0.03);
    EXPECT_LT(std::abs(samples.front()), 0.05) << "starts with a click";
    EXPECT_LT(std::abs(samples.back()), 0.01) << "ends with a click";
}

INSTANTIATE_TEST_SUITE_P(Sounds, WavFile, ::testing::Values("Plopp.WAV", "Plopp4.WAV", "Rassel11.WAV"));

TEST(MidiFile, IsAStandardMidiFileOfEightToFifteenSeconds)
{
    const std::string b = ReadAll("good.mid");
    ASSERT_GE(b.size(), 14u);
    ASSERT_EQ(b.substr(0, 4), "MThd");
    ASSERT_EQ(Be(b, 4, 4), 6u);
    const unsigned format = Be(b, 8, 2), tracks = Be(b, 10, 2), division = Be(b, 12, 2);
    EXPECT_LE(format, 1u);
    ASSERT_GE(tracks, 1u);
    ASSERT_GT(division, 0u);
    ASSERT_LT(division, 0x8000u) << "ticks per quarter note expected";

    std::map<unsigned, unsigned> tempoAt = {{0, 500000}}; // tick -> microseconds per quarter
    unsigned lastTick = 0, noteOns = 0;
    std::size_t at = 14;
    for (unsigned t = 0; t < tracks; ++t) {
        ASSERT_EQ(b.substr(at, 4), "MTrk") << "track " << t;
        const std::size_t end = at + 8 + Be(b, at + 4, 4);
        ASSERT_LE(end, b.size());
        at += 8;
        unsigned tick = 0, status = 0;
        std::map<int, int> sounding; // channel*128+key -> count
        bool ended = false;
        while (at < end && !ended) {
            unsigned delta = 0, c;
            do {
                c = static_cast<unsigned char>(b.at(at++));
                delta = delta * 128 + (c & 0x7F);
            } while (c & 0x80);
            tick += delta;
            if (static_cast<unsigned char>(b.at(at)) & 0x80)
                status = static_cast<unsigned char>(b.at(at++));
            ASSERT_NE(status, 0u) << "running status without a status";
            if (status == 0xFF) {
                const unsigned type = static_cast<unsigned char>(b.at(at++));
                const unsigned length = static_cast<unsigned char>(b.at(at++));
                if (type == 0x51)
                    tempoAt[tick] = Be(b, at, 3);
                ended = type == 0x2F;
                at += length;
                status = 0;
            } else {
                const unsigned kind = status & 0xF0;
                const int key = static_cast<unsigned char>(b.at(at)) + 128 * static_cast<int>(status & 0x0F);
                const bool twoBytes = kind != 0xC0 && kind != 0xD0;
                const unsigned velocity = twoBytes ? static_cast<unsigned char>(b.at(at + 1)) : 0;
                at += twoBytes ? 2 : 1;
                if (kind == 0x90 && velocity > 0) {
                    ++sounding[key];
                    ++noteOns;
                } else if (kind == 0x80 || kind == 0x90) {
                    --sounding[key];
                }
            }
        }
        EXPECT_TRUE(ended) << "track " << t << " has no end-of-track event";
        EXPECT_EQ(at, end) << "track " << t << " length";
        for (const auto& [key, count] : sounding)
            EXPECT_EQ(count, 0) << "track " << t << " leaves note " << key % 128 << " hanging";
        lastTick = std::max(lastTick, tick);
    }
    EXPECT_EQ(at, b.size());
    EXPECT_GE(noteOns, 50u);

    double seconds = 0;
    for (auto it = tempoAt.begin(); it != tempoAt.end() && it->first < lastTick; ++it) {
        const auto next = std::next(it);
        const unsigned until = next == tempoAt.end() ? lastTick : std::min(next->first, lastTick);
        seconds += static_cast<double>(until - it->first) / division * it->second / 1e6;
    }
    EXPECT_GE(seconds, 8.0);
    EXPECT_LE(seconds, 15.0);
}

TEST(Pictures, LogoDecodesAt120x423OnTheFrameColour)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName((contentDir + "/logo.gif").c_str(), &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->SWidth, 120);
    EXPECT_EQ(gif->SHeight, 423);
    ASSERT_GE(gif->ImageCount, 1);
    const SavedImage& image = gif->SavedImages[0];
    ASSERT_EQ(image.ImageDesc.Width, 120);
    ASSERT_EQ(image.ImageDesc.Height, 423);
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    ASSERT_NE(map, nullptr);
    int background = 0;
    for (int i = 0; i < 120 * 423; ++i) {
        const GifColorType& c = map->Colors[image.RasterBits[i]];
        background += c.Red == 40 && c.Green == 90 && c.Blue == 160;
    }
    // The corners (where a transparent picture takes its key colour) are the frame colour.
    for (int i : {0, 119, 422 * 120, 422 * 120 + 119}) {
        const GifColorType& c = map->Colors[image.RasterBits[i]];
        EXPECT_EQ(c.Red * 65536 + c.Green * 256 + c.Blue, 40 * 65536 + 90 * 256 + 160) << "pixel " << i;
    }
    EXPECT_GT(background, 120 * 423 / 3);
    EXPECT_LT(background, 120 * 423 * 9 / 10) << "the logo is nearly empty";
    DGifCloseFile(gif, &error);
}

TEST(Pictures, TemplateBitmapLoads)
{
    const QImage bmp(QString::fromStdString(contentDir + "/bmptest.bmp"));
    ASSERT_FALSE(bmp.isNull());
    EXPECT_GE(bmp.width(), 1);
    EXPECT_EQ(ReadAll("bmptest.bmp").substr(0, 2), "BM");
    EXPECT_EQ(Le(ReadAll("bmptest.bmp"), 28, 2), 24u);
}

TEST(Help, IndexHoldsAnAnchorAndALinkForEveryTopic)
{
    for (const std::string language : {"sv", "en", "fr", "de", "es"}) {
        SCOPED_TRACE(language);
        const std::string folder = "help/" + language + "/";
        const std::string index = ReadAll(folder + "index.html");
        ASSERT_FALSE(index.empty());
        QTextDocument doc;
        doc.setHtml(QString::fromStdString(index));
        const QStringList anchors = [&] {
            QStringList names;
            for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
                for (auto it = block.begin(); !it.atEnd(); ++it)
                    names += it.fragment().charFormat().anchorNames();
            return names;
        }();
        for (int topic = 100; topic <= 104; ++topic) {
            const std::string file = "topic" + std::to_string(topic) + ".html";
            EXPECT_TRUE(anchors.contains(QString("topic%1").arg(topic))) << "no contents entry for topic" << topic;
            EXPECT_NE(index.find("href=\"" + file + "\""), std::string::npos) << file << " not linked";
            const std::string page = ReadAll(folder + file);
            EXPECT_NE(page.find("<h1>"), std::string::npos) << file;
            EXPECT_NE(page.find("href=\"index.html\""), std::string::npos) << file << " has no way back";
        }
    }
}

// Each page opened in the help window in each language: the page reads as that language (its
// common words are there, English ones are not), the window's Contents button speaks it too,
// and every link leads to a page (and anchor) that exists.
struct HelpLanguageRow {
    int language;
    const char* contents;
    QStringList words;
};

TEST(Help, EveryPageOpensInItsLanguageAndItsLinksResolve)
{
    const HelpLanguageRow rows[] = {
        {1, "Innehåll", {"och", "du", "på"}},
        {2, "Contents", {"the", "and", "you"}},
        {3, "Sommaire", {"et", "vous", "la"}},
        {4, "Inhalt", {"und", "du", "die"}},
        {5, "Contenido", {"y", "en", "la"}},
    };
    const QStringList english{"the", "and", "you", "click", "of", "is"};
    SetHelpFolder(QString::fromStdString(contentDir + "/help"));
    for (const HelpLanguageRow& row : rows) {
        for (const int topic : {0, 100, 101, 102, 103, 104}) {
            SCOPED_TRACE(testing::Message() << "language " << row.language << ", topic " << topic);
            OpenHelp(topic, row.language);
            QWidget* window = HelpWindow();
            ASSERT_NE(window, nullptr);
            auto* browser = window->findChild<QTextBrowser*>("txtHelp");
            ASSERT_NE(browser, nullptr);
            EXPECT_EQ(browser->source(), QUrl::fromLocalFile(HelpPagePath(topic, row.language)));
            EXPECT_EQ(window->findChild<QToolButton*>("cmdContents")->text(), QString::fromUtf8(row.contents));

            const QStringList words = browser->toPlainText().toLower().split(
                QRegularExpression("\\W+", QRegularExpression::UseUnicodePropertiesOption));
            for (const QString& word : row.words)
                EXPECT_TRUE(words.contains(word)) << "no \"" << word.toStdString() << "\"";
            if (row.language != 2) {
                for (const QString& word : english)
                    EXPECT_FALSE(words.contains(word)) << "English \"" << word.toStdString() << "\" left";
            }

            for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QString href = it.fragment().charFormat().anchorHref();
                    if (href.isEmpty() || href.startsWith("http"))
                        continue;
                    const QUrl target = browser->source().resolved(QUrl(href));
                    QFile page(target.toLocalFile());
                    const QString file = page.open(QIODevice::ReadOnly) ? QString::fromLatin1(page.readAll()) : QString();
                    EXPECT_FALSE(file.isEmpty()) << href.toStdString() << " leads nowhere";
                    if (target.hasFragment()) {
                        EXPECT_TRUE(file.contains("name=\"" + target.fragment() + "\"")) << href.toStdString();
                    }
                }
            }
        }
    }
    SetHelpFolder({});
}

TEST(Readme, IsWindows1252WithCrLfLinesAndDataSources)
{
    const std::string b = ReadAll("README.TXT");
    ASSERT_FALSE(b.empty());
    int bareLf = 0, bareCr = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        bareLf += b[i] == '\n' && (i == 0 || b[i - 1] != '\r');
        bareCr += b[i] == '\r' && (i + 1 == b.size() || b[i + 1] != '\n');
    }
    EXPECT_EQ(bareLf, 0);
    EXPECT_EQ(bareCr, 0);
    EXPECT_EQ(b.substr(b.size() - 2), "\r\n");
    const QString text = FromWin1252(b);
    EXPECT_TRUE(text.contains("2.62"));
    const qsizetype sources = text.indexOf("DATA SOURCES");
    ASSERT_GE(sources, 0);
    EXPECT_TRUE(text.indexOf("Licence:", sources) > sources);
}

} // namespace
