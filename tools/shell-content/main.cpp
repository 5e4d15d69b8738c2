// shellcontent_gen: writes the application shell's content files.
//   shellcontent_gen <tool source folder> <content folder> [<preview folder>]
#include "ShellContent.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Fonts and QPainter need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <tool source folder> <content folder> [<preview folder>]\n", argv[0]);
        return 2;
    }
    const QString sourceDir = QString::fromLocal8Bit(argv[1]);
    const QString contentDir = QString::fromLocal8Bit(argv[2]);
    const QString previewDir = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

    using namespace shellcontent;
    try {
        const auto entries = ReadLangTable(sourceDir + "/lang.tsv");
        const QStringList tooWide = CheckCaptionWidths(entries);
        if (!tooWide.isEmpty()) {
            for (const QString& line : tooWide)
                std::fprintf(stderr, "too wide: %s\n", qPrintable(line));
            return 1;
        }
        WriteLangFile(entries, contentDir + "/lang.crp");
        WriteSounds(contentDir);
        WriteMusic(contentDir);
        WritePictures(contentDir, previewDir);
        WriteHelp(sourceDir, contentDir);
        WriteReadme(sourceDir, contentDir);
    } catch (const GenerateError& e) {
        std::fprintf(stderr, "shellcontent_gen: %s\n", e.message.c_str());
        return 1;
    }
    return 0;
}
