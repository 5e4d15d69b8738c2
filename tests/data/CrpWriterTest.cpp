// CrpWriter against TByteFile: every field type and the sea point pairs come back as written,
// and the writer refuses values that no reader could give back.
#include "data/Fileread.h"
#include "tools/crp/CrpWriter.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

TEST(CrpWriterRoundTrip, EveryFieldTypeReadsBackAsWritten)
{
    std::string allCharacters;
    for (int c = 0; c < 255; ++c)
        allCharacters.push_back(static_cast<char>(c));

    CrpWriter w;
    w.Byte(0);
    w.Byte(255);
    w.Int16(0);
    w.Int16(32767);
    w.Int32(-1);
    w.Int32(-2147483647 - 1);
    w.Int32(2147483647);
    w.String("");
    w.String(allCharacters);
    w.String(std::string(1, '\xFF'));
    w.Degrees(-0.0005);

    TempFolder files;
    TByteFile file(files.Write("fields.crp", w));
    EXPECT_EQ(file.ReadByte(), 0);
    EXPECT_EQ(file.ReadByte(), 255);
    EXPECT_EQ(file.ReadInt16(), 0);
    EXPECT_EQ(file.ReadInt16(), 32767);
    EXPECT_EQ(file.ReadInt32(), -1);
    EXPECT_EQ(file.ReadInt32(), -2147483647 - 1);
    EXPECT_EQ(file.ReadInt32(), 2147483647);
    EXPECT_EQ(file.ReadString(), "");
    EXPECT_EQ(file.ReadString(), allCharacters);
    EXPECT_EQ(file.ReadString(), std::string(1, '\xFF'));
    EXPECT_EQ(file.ReadInt32(), -5);
    EXPECT_TRUE(file.AtEnd());
}

TEST(CrpWriterRoundTrip, SeaPointsArePairsOfInt32)
{
    const std::vector<std::pair<double, double>> points{{59.3293, 18.0686}, {-33.8688, 151.2093}, {0.0, -0.0005}};
    CrpWriter w;
    for (const auto& [lat, lon] : points)
        WriteSeaPoint(w, lat, lon);
    ASSERT_EQ(w.Bytes().size(), 8 * points.size());

    TempFolder files;
    TByteFile file(files.Write("Hav1.crp", w));
    std::vector<std::pair<float, float>> read;
    while (!file.AtEnd()) {
        const float lat = static_cast<float>(file.ReadInt32() / 10000.0);
        const float lon = static_cast<float>(file.ReadInt32() / 10000.0);
        read.emplace_back(lat, lon);
    }
    ASSERT_EQ(read.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(read[i].first, static_cast<float>(points[i].first)) << "pair " << i;
        EXPECT_EQ(read[i].second, static_cast<float>(points[i].second)) << "pair " << i;
    }
}

TEST(CrpWriterLimits, RefusesWhatTheReaderCannotGiveBack)
{
    CrpWriter w;
    EXPECT_THROW(w.Int16(-1), std::out_of_range);
    EXPECT_THROW(w.Int16(32768), std::out_of_range);
    EXPECT_THROW(w.String(std::string(256, 'a')), std::length_error);
    EXPECT_THROW(w.Degrees(300000.0), std::out_of_range);
    EXPECT_TRUE(w.Bytes().empty()) << "a refused value left bytes behind";
}

TEST(CrpWriterLimits, DegreesAreRoundedToTheNearestTenThousandth)
{
    EXPECT_EQ(ToStoredDegrees(59.32934), 593293);
    EXPECT_EQ(ToStoredDegrees(59.32936), 593294);
    EXPECT_EQ(ToStoredDegrees(-0.00049), -5);
    EXPECT_EQ(ToStoredDegrees(-180.0), -1800000);
}

} // namespace
