// Fuzz target for the GIF decoder: any bytes as a picture file.
#include "platform/GifPicture.h"

#include "FuzzFile.h"

#include <QGuiApplication>

#include <cstdlib>
#include <stdexcept>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxFuzzInput)
        return 0;
    QImage image;
    try {
        image = DecodeGif(WriteFuzzFile(data, size));
    } catch (const std::runtime_error&) {
        return 0;
    }
    FUZZ_CHECK(!image.isNull());
    FUZZ_CHECK(image.format() == QImage::Format_ARGB32);
    FUZZ_CHECK(image.width() >= 1 && image.height() >= 1);
    // Every pixel was written: touch them all so that an unset row shows under MSan/ASan.
    unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            sum += row[x];
    }
    (void)sum;
    return 0;
}
