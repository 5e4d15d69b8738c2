// GIF decoding with giflib's record interface, first frame only; everything read from the file
// is checked before it is used as an index or a size.
#include "platform/GifPicture.h"

#include "platform/GameState.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/PictureBox.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>
#include <vector>

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
    auto failed = [&](const char* fallback) {
        const char* why = GifErrorString(gif->Error);
        Fail(path, why ? why : fallback);
    };
    const int screenW = gif->SWidth;
    const int screenH = gif->SHeight;
    if (screenW < 1 || screenH < 1 || qint64(screenW) * screenH > MaxPixels)
        Fail(path, "bad screen size");

    // Records are read one by one, up to the first image only: its frame is checked against the
    // screen before any pixel memory is taken (a broken header can declare a huge frame).
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) != GIF_OK)
            failed("broken file");
        if (record == TERMINATE_RECORD_TYPE)
            Fail(path, "no image");
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK)
                failed("broken extension");
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
                DGifExtensionToGCB(block[0], block + 1, &gcb);
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK)
                    failed("broken extension");
            }
            continue;
        }
        if (record == IMAGE_DESC_RECORD_TYPE)
            break;
    }
    if (DGifGetImageDesc(gif.get()) != GIF_OK)
        failed("broken image description");
    const GifImageDesc& desc = gif->Image;
    if (desc.Width < 1 || desc.Height < 1 || desc.Left < 0 || desc.Top < 0
        || desc.Left + desc.Width > screenW || desc.Top + desc.Height > screenH)
        Fail(path, "frame outside the screen");
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount < 1)
        Fail(path, "no colour map");

    QImage image(screenW, screenH, QImage::Format_ARGB32);
    if (image.isNull())
        Fail(path, "out of memory");
    image.fill(Qt::transparent);

    // Interlaced frames store rows in four passes.
    std::vector<int> rows;
    rows.reserve(std::size_t(desc.Height));
    if (desc.Interlace) {
        static constexpr int offsets[] = {0, 4, 2, 1};
        static constexpr int steps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = offsets[pass]; y < desc.Height; y += steps[pass])
                rows.push_back(y);
    } else {
        for (int y = 0; y < desc.Height; ++y)
            rows.push_back(y);
    }
    std::vector<GifPixelType> line(std::size_t(desc.Width));
    for (const int y : rows) {
        if (DGifGetLine(gif.get(), line.data(), desc.Width) != GIF_OK)
            failed("broken pixel data");
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(desc.Top + y)) + desc.Left;
        for (int x = 0; x < desc.Width; ++x) {
            const int index = line[std::size_t(x)];
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
