// GIF decoding on files written here with giflib's encoder, and LoadGifPicture's failure path.
#include "platform/GifPicture.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/PictureBox.h"
#include "support/TempFolder.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <stdexcept>

namespace {

struct Frame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    int transparent = NO_TRANSPARENT_COLOR;
    std::vector<GifColorType> localMap; // empty: the global map
    std::vector<std::vector<GifByteType>> rows;
};

ColorMapObject* MakeMap(const std::vector<GifColorType>& colours)
{
    return GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
}

void WriteGif(const std::string& path, int width, int height, const std::vector<GifColorType>& globalMap,
              const std::vector<Frame>& frames)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(globalMap);
    ASSERT_EQ(EGifPutScreenDesc(gif, width, height, 8, 0, global), GIF_OK);
    GifFreeMapObject(global);
    for (const Frame& f : frames) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = f.transparent;
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        GifByteType ext[4];
        const size_t n = EGifGCBToExtension(&gcb, ext);
        ASSERT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext), GIF_OK);
        ColorMapObject* local = f.localMap.empty() ? nullptr : MakeMap(f.localMap);
        ASSERT_EQ(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local), GIF_OK);
        if (local)
            GifFreeMapObject(local);
        std::vector<int> order;
        if (f.interlaced) {
            const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < f.height; y += step[pass])
                    order.push_back(y);
        } else {
            for (int y = 0; y < f.height; ++y)
                order.push_back(y);
        }
        for (int y : order) {
            std::vector<GifByteType> row = f.rows.at(static_cast<size_t>(y));
            ASSERT_EQ(EGifPutLine(gif, row.data(), f.width), GIF_OK);
        }
    }
    ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
}

const std::vector<GifColorType> Palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

std::vector<std::vector<GifByteType>> RowsByIndex(int width, int height)
{
    // Row y is coloured y % 4, so misplaced interlaced rows show.
    std::vector<std::vector<GifByteType>> rows;
    for (int y = 0; y < height; ++y)
        rows.emplace_back(static_cast<size_t>(width), static_cast<GifByteType>(y % 4));
    return rows;
}

QRgb Rgb(const GifColorType& c) { return qRgb(c.Red, c.Green, c.Blue); }

class GifTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(GifTest, InterlacedRowsLandInPlace)
{
    Frame f{0, 0, 5, 11, true, NO_TRANSPARENT_COLOR, {}, RowsByIndex(5, 11)};
    WriteGif(file("i.gif"), 5, 11, Palette, {f});
    const QImage image = DecodeGif(file("i.gif"));
    ASSERT_EQ(image.size(), QSize(5, 11));
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(image.pixel(2, y), Rgb(Palette[y % 4])) << "row " << y;
}

TEST_F(GifTest, TransparencyLocalMapAndFramePlacement)
{
    const std::vector<GifColorType> local = {{10, 20, 30}, {40, 50, 60}};
    Frame f{2, 1, 2, 2, false, 1, local, {{0, 1}, {1, 0}}};
    WriteGif(file("t.gif"), 6, 4, Palette, {f});
    const QImage image = DecodeGif(file("t.gif"));
    ASSERT_EQ(image.size(), QSize(6, 4));
    EXPECT_EQ(image.pixel(2, 1), qRgba(10, 20, 30, 255)); // local map wins over the global one
    EXPECT_EQ(qAlpha(image.pixel(3, 1)), 0);              // the transparent index
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);              // outside the frame
    EXPECT_EQ(qAlpha(image.pixel(5, 3)), 0);
}

TEST_F(GifTest, OnlyTheFirstFrameOfAnAnimation)
{
    Frame first{0, 0, 3, 3, false, NO_TRANSPARENT_COLOR, {}, {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};
    Frame second{0, 0, 3, 3, false, NO_TRANSPARENT_COLOR, {}, {{2, 2, 2}, {2, 2, 2}, {2, 2, 2}}};
    WriteGif(file("a.gif"), 3, 3, Palette, {first, second});
    const QImage image = DecodeGif(file("a.gif"));
    EXPECT_EQ(image.pixel(1, 1), Rgb(Palette[1]));
}

TEST_F(GifTest, BrokenFilesThrowAndNeverCrash)
{
    Frame f{0, 0, 40, 30, false, NO_TRANSPARENT_COLOR, {}, RowsByIndex(40, 30)};
    WriteGif(file("ok.gif"), 40, 30, Palette, {f});
    const std::string good = ReadBytes(file("ok.gif"));
    ASSERT_NO_THROW(DecodeGif(file("ok.gif")));

    std::vector<std::pair<std::string, std::string>> broken = {
        {"empty", ""},
        {"garbage", "this is not a picture at all, just text"},
        {"header only", good.substr(0, 13)},
        {"cut in the pixels", good.substr(0, good.size() / 2)},
        {"cut before the trailer", good.substr(0, good.size() - 3)},
    };
    // Pixel codes of 8 bits against a global map of 2 colours: shrink the table in the header.
    std::string wide = good;
    ASSERT_EQ(static_cast<unsigned char>(wide[10]) & 0x07, 1); // 4 colours written
    wide[10] = static_cast<char>((static_cast<unsigned char>(wide[10]) & ~0x07) | 0x00);
    wide.erase(13 + 6, 6); // keep 2 of the 4 colour entries
    broken.push_back({"index outside the colour map", wide});
    // Found by fuzzing: a 7 x 5 screen declaring a 65535 x 12383 frame made the decoder reserve
    // about 800 MB before the frame was checked against the screen.
    broken.push_back({"huge frame on a small screen",
                      QByteArray::fromHex("47494638396107000500f0000000000000000021f90401000000002c0027"
                                          "0000ffff5f30000035f300000000000000000705848fa9bb050033")
                          .toStdString()});
    for (const auto& [name, bytes] : broken) {
        WriteBytes(file("bad.gif"), bytes);
        EXPECT_THROW(DecodeGif(file("bad.gif")), std::runtime_error) << name;
    }
    EXPECT_THROW(DecodeGif(file("missing.gif")), std::runtime_error);

    // Flipped bits may still decode to some picture; either way the decoder must come back.
    for (unsigned seed = 1; seed <= 50; ++seed) {
        std::string garbled = good;
        for (size_t i = 6 + seed % 7; i < garbled.size(); i += 3 + seed % 11)
            garbled[i] = static_cast<char>(garbled[i] ^ (seed * 37));
        WriteBytes(file("bad.gif"), garbled);
        try {
            const QImage image = DecodeGif(file("bad.gif"));
            EXPECT_FALSE(image.isNull());
        } catch (const std::runtime_error&) {
        }
    }
}

TEST_F(GifTest, LoadGifPictureShowsItOrReportsAndKeepsThePicture)
{
    // LoadGifPicture looks beside the executable.
    const std::string name = "platform_test_logo.gif";
    const std::string path = ExeDir() + "/" + name;
    Frame f{0, 0, 4, 2, false, NO_TRANSPARENT_COLOR, {}, {{3, 3, 3, 3}, {3, 3, 3, 3}}};
    WriteGif(path, 4, 2, Palette, {f});

    std::vector<QString> messages;
    SetMessagePresenter([&](MessageKind, const QString& text) { messages.push_back(text); });
    PictureBox picture;
    LoadGifPicture(picture, name);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(picture.canvas().pixel(0, 0), 0xFF0000u); // blue, as 0x00BBGGRR

    std::filesystem::remove(path);
    WriteBytes(path, "GIF89a broken");
    LoadGifPicture(picture, name);
    LoadGifPicture(picture, "no_such_picture.gif");
    std::filesystem::remove(path);
    SetMessagePresenter({});

    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Kunde inte visa bilden platform_test_logo.gif.");
    EXPECT_EQ(messages[1], "Kunde inte visa bilden no_such_picture.gif.");
    EXPECT_EQ(picture.canvas().pixel(3, 1), 0xFF0000u); // unchanged
}

} // namespace
