// Windows-1252 <-> Unicode. Bytes 0x80-0x9F use the code page's table; the rest match Latin-1.
#include "platform/Win1252.h"

#include <QList>

#include <array>

namespace {

// Bytes 0x80-0x9F. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// keep the C1 control of the same number.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

int ToByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] == c)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

} // namespace

QString FromWin1252(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        text.append(QChar(b >= 0x80 && b < 0xA0 ? High[b - 0x80] : char16_t(b)));
    }
    return text;
}

std::string ToWin1252(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    // By code point, so a character outside the Basic Multilingual Plane becomes one '?'.
    for (const char32_t c : text.toUcs4()) {
        const int b = ToByte(c);
        bytes.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}
