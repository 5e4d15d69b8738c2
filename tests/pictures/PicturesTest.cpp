// Checks the generated pictures as the game uses them: every country's flag, the seven
// world-part maps (colours, boxes, one part per land pixel, the menu's hit test) and the
// language dialog's pictures.
#include <QFile>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <vector>

namespace {

const QString SourceDir = QStringLiteral(GLOBANA_SOURCE_DIR);

const QRgb Navy = qRgb(0, 0, 128);
const QRgb Green = qRgb(0, 128, 0);
const QRgb Lime = qRgb(0, 255, 0);

struct Box {
    int x0, x1, y0, y1;
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

struct WorldPart {
    int number;
    const char* file;
    Box box;
};

// Parts 1..6 and the whole world (7), with the boxes in which the menu expects their land.
const std::array<WorldPart, 7> WorldParts = {{
    {1, "europa.bmp", {171, 254, 20, 59}},
    {2, "nordamerika.bmp", {5, 169, 3, 84}},
    {3, "sydamerika.bmp", {102, 155, 84, 154}},
    {4, "asien.bmp", {221, 389, 13, 105}},
    {5, "afrika.bmp", {174, 248, 56, 129}},
    {6, "australien.bmp", {317, 388, 107, 143}},
    {7, "hela.bmp", {5, 389, 3, 154}},
}};

constexpr int PictureWidth = 396;
constexpr int PictureHeight = 155;
// Where the menu draws the pictures on its 386 x 133 map control.
constexpr int MapOffsetX = (386 - PictureWidth) / 2;
constexpr int MapOffsetY = (133 - PictureHeight) / 2;

QImage loadPicture(const QString& name)
{
    return QImage(SourceDir + "/app/pictures/" + name);
}

class WorldPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (size_t i = 0; i < WorldParts.size(); ++i)
            pictures[i] = loadPicture(WorldParts[i].file);
    }
    static const QImage& part(int number) { return pictures[number - 1]; }
    static const QImage& whole() { return pictures[6]; }

    // The menu's hit test at control coordinates: the parts it selects, in order.
    static std::vector<int> hitTest(int x, int y)
    {
        const int px = x - MapOffsetX;
        const int py = y - MapOffsetY;
        if (part(6).pixel(px, py) == Navy)
            return {7};
        std::vector<int> selected;
        for (int n : {5, 3, 2, 4, 1, 6}) {
            if (part(n).pixel(px, py) == whole().pixel(px, py))
                selected.push_back(n);
        }
        return selected;
    }

    static std::array<QImage, 7> pictures;
};

std::array<QImage, 7> WorldPictures::pictures;

TEST_F(WorldPictures, AreSixteenColourBitmapsOfTheMenuSize)
{
    for (size_t i = 0; i < WorldParts.size(); ++i) {
        SCOPED_TRACE(WorldParts[i].file);
        const QImage& image = pictures[i];
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(PictureWidth, PictureHeight));
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        EXPECT_LE(image.colorCount(), 16);
    }
}

TEST_F(WorldPictures, UseOnlySeaLandAndPartColours)
{
    for (size_t i = 0; i < WorldParts.size(); ++i) {
        SCOPED_TRACE(WorldParts[i].file);
        const bool isWhole = WorldParts[i].number == 7;
        int stray = 0;
        for (int y = 0; y < PictureHeight; ++y) {
            for (int x = 0; x < PictureWidth; ++x) {
                const QRgb c = pictures[i].pixel(x, y);
                if (c != Navy && c != Lime && (isWhole || c != Green))
                    ++stray;
            }
        }
        EXPECT_EQ(stray, 0);
    }
}

TEST_F(WorldPictures, ShowTheSameLandEverywhere)
{
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(WorldParts[n - 1].file);
        int differ = 0;
        for (int y = 0; y < PictureHeight; ++y) {
            for (int x = 0; x < PictureWidth; ++x)
                differ += (part(n).pixel(x, y) == Navy) != (whole().pixel(x, y) == Navy);
        }
        EXPECT_EQ(differ, 0);
    }
}

TEST_F(WorldPictures, PartLandLiesInsideItsBox)
{
    for (const WorldPart& wp : WorldParts) {
        SCOPED_TRACE(wp.file);
        const QImage& image = part(wp.number);
        int lime = 0;
        int outside = 0;
        for (int y = 0; y < PictureHeight; ++y) {
            for (int x = 0; x < PictureWidth; ++x) {
                if (image.pixel(x, y) != Lime)
                    continue;
                ++lime;
                outside += !wp.box.contains(x, y);
            }
        }
        EXPECT_GT(lime, 300) << "a part with hardly any land";
        EXPECT_EQ(outside, 0);
    }
}

TEST_F(WorldPictures, EveryLandPixelBelongsToExactlyOnePart)
{
    int unclaimed = 0;
    int shared = 0;
    for (int y = 0; y < PictureHeight; ++y) {
        for (int x = 0; x < PictureWidth; ++x) {
            int owners = 0;
            for (int n = 1; n <= 6; ++n)
                owners += part(n).pixel(x, y) == Lime;
            if (whole().pixel(x, y) == Lime) {
                unclaimed += owners == 0;
                shared += owners > 1;
            } else {
                EXPECT_EQ(owners, 0) << "lime outside the whole world's land at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(unclaimed, 0);
    EXPECT_EQ(shared, 0);
}

TEST_F(WorldPictures, AnyClickOnTheMapSelectsOnePart)
{
    // Land selects exactly one part, sea the whole world; never nothing, never two sounds.
    for (int y = 0; y < 133; ++y) {
        for (int x = 0; x < 386; ++x) {
            const std::vector<int> parts = hitTest(x, y);
            ASSERT_EQ(parts.size(), 1u) << "at " << x << "," << y;
        }
    }
}

struct Click {
    const char* place;
    int x, y; // control coordinates on the map
    int part;
};

class WorldPartClicks : public WorldPictures, public ::testing::WithParamInterface<Click> {};

TEST_P(WorldPartClicks, SelectThePartOfThePlace)
{
    const Click& c = GetParam();
    EXPECT_EQ(hitTest(c.x, c.y), std::vector<int>{c.part}) << c.place;
}

INSTANTIATE_TEST_SUITE_P(Places, WorldPartClicks,
    ::testing::Values(Click{"Germany", 202, 33, 1}, Click{"Spain", 187, 42, 1},
        Click{"Iceland", 182, 21, 1}, Click{"Moscow", 228, 29, 1},
        Click{"Kansas", 79, 44, 2}, Click{"Greenland", 126, 16, 2}, Click{"Mexico", 75, 59, 2},
        Click{"Brazil", 133, 95, 3}, Click{"Patagonia", 108, 124, 3},
        Click{"Siberia", 281, 24, 4}, Click{"India", 270, 60, 4}, Click{"Anatolia", 223, 43, 4},
        Click{"Borneo", 310, 84, 4}, Click{"Sahara", 199, 59, 5}, Click{"Congo", 212, 86, 5},
        Click{"Madagascar", 237, 102, 5}, Click{"Australia", 333, 107, 6},
        Click{"Atlantic", 149, 62, 7}, Click{"Pacific", 43, 84, 7}, Click{"Caspian Sea", 241, 41, 7}),
    [](const ::testing::TestParamInfo<Click>& info) {
        std::string name = info.param.place;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

// The ISO alpha-2 codes of the game's countries, from the content generator's table.
std::vector<QString> countryCodes()
{
    std::vector<QString> codes;
    QFile file(SourceDir + "/tools/content/tables/countries.csv");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return codes;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(',');
        if (fields.size() >= 2 && fields[0] != "iso3" && !fields[1].isEmpty())
            codes.push_back(fields[1].toLower());
    }
    return codes;
}

TEST(Flags, EveryCountryHasAFlagOfTheGridSize)
{
    const std::vector<QString> codes = countryCodes();
    if (codes.empty())
        GTEST_SKIP() << "no country table yet";
    EXPECT_GE(codes.size(), 193u) << "fewer countries than UN members";
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        const QImage flag(SourceDir + "/content/flags/" + code + ".bmp");
        ASSERT_FALSE(flag.isNull());
        EXPECT_LE(flag.width(), 100);
        EXPECT_LE(flag.height(), 63);
        EXPECT_GE(flag.width(), 40);
        // As large as the proportions allow: one side fills the cell.
        EXPECT_TRUE(flag.width() == 100 || flag.height() == 63);
    }
}

TEST(Flags, KeepTheirProportions)
{
    struct Expected {
        const char* code;
        QSize size;
    };
    // Sweden 16:10, the United States 19:10, Switzerland square, Nepal taller than wide, Qatar 28:11.
    for (const Expected& e : {Expected{"se", {100, 63}}, Expected{"us", {100, 53}},
             Expected{"ch", {63, 63}}, Expected{"np", {52, 63}}, Expected{"qa", {100, 39}},
             Expected{"fr", {95, 63}}, Expected{"gb", {100, 50}}}) {
        EXPECT_EQ(QImage(SourceDir + "/content/flags/" + e.code + ".bmp").size(), e.size) << e.code;
    }
}

TEST(Flags, ShowTheirColours)
{
    // Spot checks that the right flag sits under the right name.
    const QImage se(SourceDir + "/content/flags/se.bmp");
    const QImage jp(SourceDir + "/content/flags/jp.bmp");
    ASSERT_FALSE(se.isNull());
    ASSERT_FALSE(jp.isNull());
    const QColor seField = se.pixelColor(10, 10);
    const QColor seCross = se.pixelColor(35, 31);
    EXPECT_GT(seField.blue(), 120);
    EXPECT_LT(seField.red(), 40);
    EXPECT_GT(seCross.red(), 200);
    EXPECT_GT(seCross.green(), 170);
    EXPECT_LT(seCross.blue(), 60);
    EXPECT_EQ(jp.pixelColor(3, 3), QColor(Qt::white));
    const QColor disc = jp.pixelColor(jp.width() / 2, jp.height() / 2);
    EXPECT_GT(disc.red(), 150);
    EXPECT_LT(disc.green(), 60);
}

TEST(LanguagePictures, AreThirtyTwoPixelsSquare)
{
    for (const char* name : {"lang_sv.bmp", "lang_us.bmp", "lang_fr.bmp", "lang_de.bmp", "lang_es.bmp"}) {
        const QImage image = loadPicture(name);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.size(), QSize(32, 32)) << name;
    }
}

} // namespace
