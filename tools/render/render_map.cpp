// globana_render: draws an exercise map offscreen and writes it as a PNG.
#include "tools/render/RenderMap.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>

namespace {

const char Usage[] =
    "usage: globana_render [--areas FILE] [--water FILE] [--sea FILE] [--places FILE]\n"
    "       [--view TOP,BOTTOM,CENTRE | --fit KEY[,KEY...]] [--size WxH]\n"
    "       [--include KEY[,KEY...]] [--level N] [--kind area|place] [--border N] [--grid]\n"
    "       [--ratio R]\n"
    "       --out FILE.png\n";

} // namespace

int main(int argc, char** argv)
{
    // Text of place labels needs fonts, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    RenderOptions options;
    const std::string error = ParseRenderArguments(app.arguments().mid(1), options);
    if (!error.empty()) {
        std::fprintf(stderr, "globana_render: %s\n%s", error.c_str(), Usage);
        return 2;
    }
    try {
        const QImage image = RenderMap(options);
        if (!image.save(QString::fromStdString(options.OutFile), "PNG")) {
            std::fprintf(stderr, "globana_render: cannot write %s\n", options.OutFile.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "globana_render: %s\n", e.what());
        return 1;
    }
    return 0;
}
