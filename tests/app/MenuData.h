// A data folder for the main menu: a small catalogue, interface strings and a template
// bitmap, written with the game's own .crp writer.
#pragma once

#include "tools/crp/CrpWriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <string>
#include <vector>

class MenuData {
public:
    // The exercises of the catalogue: keyword, English name, world part.
    struct Entry {
        const char* keyword;
        const char* name;
        const char* part;
    };
    static std::vector<Entry> Entries()
    {
        return {{"ORT", "Capitals", "EUR"},          {"AREA", "Countries", "EUR"},
                {"MULTI", "Where is it", "AFR"},     {"FLAGG", "Flags", "*"},
                {"ORT", "Cities", "NOR"},            {"AREA", "Regions", "ASI"},
                {"MULTI", "Oceans", "*"},            {"AREA", "Countries 2", "EUR"}};
    }
    static const char* Suffix(int language)
    {
        static const char* const suffixes[] = {"sv", "en", "fr", "de", "es"};
        return suffixes[language - 1];
    }
    // The name of an exercise in a language, as stored: "Capitals-fr".
    static std::string NameIn(const char* name, int language)
    {
        return std::string(name) + "-" + Suffix(language);
    }
    // String n of the interface in a language, as stored: "27-de".
    static std::string TextIn(int number, int language)
    {
        return std::to_string(number) + "-" + Suffix(language);
    }

    MenuData()
    {
        WriteCatalogue(Entries());
        WriteLanguage({1, 2, 3, 5, 18, 25, 27, 28, 29, 30, 31, 32, 33});
        QImage bitmap(4, 4, QImage::Format_RGB32);
        bitmap.fill(Qt::red);
        bitmap.save(Path("bmptest.bmp"), "BMP");
    }

    std::string Dir() const { return folder_.path().toStdString(); }
    QString Path(const char* name) const { return folder_.filePath(QLatin1String(name)); }

    void WriteCatalogue(const std::vector<Entry>& entries) const
    {
        CrpWriter w;
        int number = 0;
        for (const Entry& e : entries) {
            CatalogueRecord r;
            r.Keyword = e.keyword;
            r.Number = ++number;
            for (int language = 1; language <= 5; ++language)
                r.Names[language - 1] = NameIn(e.name, language);
            r.WorldPart = e.part;
            // Files that do not exist: starting any of these exercises fails.
            r.AreaFileNo = 9;
            r.PlaceFileNo = 99;
            r.NorthLat = 70;
            r.SouthLat = 35;
            r.CenterLon = 15;
            r.Selectors = {"XX"};
            WriteCatalogueEntry(w, r);
        }
        w.SaveTo(Path("Ovning.crp").toStdString());
    }
    void WriteLanguage(const std::vector<int>& numbers) const
    {
        CrpWriter w;
        for (const int n : numbers) {
            LanguageRecord r;
            r.Number = n;
            for (int language = 1; language <= 5; ++language)
                r.Texts[language - 1] = TextIn(n, language);
            WriteLanguageRecord(w, r);
        }
        w.SaveTo(Path("lang.crp").toStdString());
    }
    void WriteBytes(const char* name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
    QByteArray ReadBytes(const char* name) const
    {
        QFile file(Path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    void Remove(const char* name) const { QFile::remove(Path(name)); }

private:
    QTemporaryDir folder_;
};
