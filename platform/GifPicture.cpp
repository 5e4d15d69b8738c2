// GIF decoding with giflib's slurp interface; everything read from the file is checked before
// it is used as an index.
#include "platform/GifPicture.h"

#include "app/Generell.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>

namespace {

// Larger logical screens are refused rather than allocated (a broken header can ask for 4 GB).
constexpr qint64 MaxPixels = 16 * 1024 * 1024;

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

[[noreturn]] void Fail(const std::string& path, const std::string& why)
{
    throw std::runtime_error("Cannot decode GIF \"" + path + "\": " + why);
}

} // namespace

QImage DecodeGif(const std::string& path)
{
    int error = 0;
    GifHandle gif(DGifOpenFileName(path.c_str(), &error));
    if (!gif)
        Fail(path, GifErrorString(error) ? GifErrorString(error) : "cannot open");
    if (DGifSlurp(gif.get()) != GIF_OK) {
        const char* why = GifErrorString(gif->Error);
        Fail(path, why ? why : "broken file");
    }
    if (gif->ImageCount < 1 || !gif->SavedImages)
        Fail(path, "no image");

    const SavedImage& frame = gif->SavedImages[0];
    const GifImageDesc& desc = frame.ImageDesc;
    const int screenW = gif->SWidth;
    const int screenH = gif->SHeight;
    if (screenW < 1 || screenH < 1 || qint64(screenW) * screenH > MaxPixels)
        Fail(path, "bad screen size");
    if (desc.Width < 1 || desc.Height < 1 || desc.Left < 0 || desc.Top < 0
        || desc.Left + desc.Width > screenW || desc.Top + desc.Height > screenH)
        Fail(path, "frame outside the screen");
    if (!frame.RasterBits)
        Fail(path, "no pixels");

    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount < 1)
        Fail(path, "no colour map");

    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    if (DGifSavedExtensionToGCB(gif.get(), 0, &gcb) != GIF_OK)
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;

    QImage image(screenW, screenH, QImage::Format_ARGB32);
    if (image.isNull())
        Fail(path, "out of memory");
    image.fill(Qt::transparent);

    // DGifSlurp has already put interlaced rows in their places.
    for (int y = 0; y < desc.Height; ++y) {
        const GifByteType* src = frame.RasterBits + std::size_t(y) * std::size_t(desc.Width);
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(desc.Top + y)) + desc.Left;
        for (int x = 0; x < desc.Width; ++x) {
            const int index = src[x];
            if (index >= map->ColorCount)
                Fail(path, "colour index outside the colour map");
            const GifColorType& c = map->Colors[index];
            // A transparent pixel keeps its colour-map colour (seen once alpha is dropped).
            dst[x] = qRgba(c.Red, c.Green, c.Blue, index == gcb.TransparentColor ? 0 : 255);
        }
    }
    return image;
}

void LoadGifPicture(PictureBox& picture, const std::string& name)
{
    try {
        const QImage image = DecodeGif(ExeDir() + "/" + name);
        picture.canvas().setImage(image);
    } catch (...) {
        try {
            ShowMessage("Kunde inte visa bilden " + name + ".");
        } catch (...) {
            // Even the message box failed; the caller still goes on without the picture.
        }
    }
}
