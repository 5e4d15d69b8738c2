// Fuzz target for flag bitmaps: any bytes read as the flag screen reads a flag file (BMP
// reader, format not guessed from the content, then converted to RGB32).
#include "FuzzFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdlib>

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
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    const QImage picture = reader.read();
    if (picture.isNull())
        return 0;
    const QImage flag = picture.convertToFormat(QImage::Format_RGB32);
    FUZZ_CHECK(!flag.isNull() && flag.size() == picture.size());
    // The flag screen scales and draws it; reading every pixel stands in for that (up to a size
    // where the loop, not the reader, would take the time).
    if (qint64(flag.width()) * flag.height() > 1024 * 1024)
        return 0;
    unsigned sum = 0;
    for (int y = 0; y < flag.height(); ++y)
        for (int x = 0; x < flag.width(); ++x)
            sum += flag.pixel(x, y);
    (void)sum;
    return 0;
}
