// Windows-1252 conversion at the user interface.
#include "platform/Win1252.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Win1252, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = FromWin1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(std::set<char16_t>(text.utf16(), text.utf16() + text.size()).size(), 256u);
    EXPECT_EQ(ToWin1252(text), all);
}

TEST(Win1252, UsesTheCodePageTable)
{
    EXPECT_EQ(FromWin1252("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(FromWin1252("\x9F"), QString(QChar(0x0178)));
    EXPECT_EQ(FromWin1252("\x81"), QString(QChar(0x0081))); // undefined byte: its C1 control
    EXPECT_EQ(FromWin1252("G\xF6teborg \xC5land"), QString::fromUtf8("Göteborg Åland"));
    EXPECT_EQ(ToWin1252(QString::fromUtf8("Malmö – €5")), "Malm\xF6 \x96 \x80" "5");
}

TEST(Win1252, CharactersOutsideBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(ToWin1252(QString::fromUtf8("東京")), "??");
    EXPECT_EQ(ToWin1252(QString::fromUtf8("a\U0001F30Db")), "a?b"); // one code point, two UTF-16 units
    EXPECT_EQ(ToWin1252(QString(QChar(0x0080))), "?"); // a C1 control that 1252 does not keep
}

} // namespace
