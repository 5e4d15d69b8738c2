// TByteFile: block buffering, end detection, the four field types and the error cases.
#include "data/Fileread.h"
#include "platform/Errors.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const ReadBeyondEnd = "Read beyond end of file";

std::vector<std::uint8_t> Pattern(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return bytes;
}

// Runs `read` and returns the message of the EInOutError it raises ("" when none).
std::string InOutErrorOf(const std::function<void()>& read)
{
    try {
        read();
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "";
}

class FilereadTest : public ::testing::Test {
protected:
    TempFolder files;
};

// ---- Blocks and the end of the file ----

struct ReadKind {
    const char* name;
    std::function<void(TByteFile&)> read;
};

class EmptyFileRead : public ::testing::TestWithParam<ReadKind> {};

TEST_P(EmptyFileRead, IsAtEndAtOnceAndEveryReadFails)
{
    TempFolder files;
    TByteFile file(files.Write("empty.crp", {}));
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(InOutErrorOf([&] { GetParam().read(file); }), ReadBeyondEnd);
}

INSTANTIATE_TEST_SUITE_P(AllFieldTypes, EmptyFileRead,
    ::testing::Values(ReadKind{"byte", [](TByteFile& f) { f.ReadByte(); }},
        ReadKind{"int16", [](TByteFile& f) { f.ReadInt16(); }},
        ReadKind{"int32", [](TByteFile& f) { f.ReadInt32(); }},
        ReadKind{"string", [](TByteFile& f) { f.ReadString(); }}),
    [](const auto& info) { return std::string(info.param.name); });

class BlockBoundary : public ::testing::TestWithParam<std::size_t> {};

// Every byte comes back in order across block boundaries, and AtEnd turns true exactly
// after the last one: not while buffered bytes remain, not before the next block is read.
TEST_P(BlockBoundary, BytesComeBackInOrderAndAtEndOnlyAfterTheLast)
{
    TempFolder files;
    const std::vector<std::uint8_t> bytes = Pattern(GetParam());
    TByteFile file(files.Write("blocks.crp", bytes));
    EXPECT_FALSE(file.AtEnd()) << "before the first read";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        ASSERT_FALSE(file.AtEnd()) << "with byte " << i << " unread";
        ASSERT_EQ(file.ReadByte(), bytes[i]) << "byte " << i;
    }
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(InOutErrorOf([&] { file.ReadByte(); }), ReadBeyondEnd);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BlockBoundary, ::testing::Values(1, 511, 512, 513, 1024, 1300),
    [](const auto& info) { return std::to_string(info.param) + "_bytes"; });

TEST_F(FilereadTest, AtEndDoesNotConsumeTheByteItLooksAt)
{
    TByteFile file(files.Write("two.crp", {0x11, 0x22}));
    EXPECT_FALSE(file.AtEnd());
    EXPECT_FALSE(file.AtEnd());
    EXPECT_EQ(file.ReadByte(), 0x11);
    EXPECT_FALSE(file.AtEnd());
    EXPECT_EQ(file.ReadByte(), 0x22);
    EXPECT_TRUE(file.AtEnd());
    EXPECT_TRUE(file.AtEnd());
}

TEST_F(FilereadTest, FieldSpanningTwoBlocksIsReadWhole)
{
    std::vector<std::uint8_t> bytes(510, 0);
    for (std::uint8_t b : {0x78, 0x56, 0x34, 0x12})
        bytes.push_back(b);
    TByteFile file(files.Write("span.crp", bytes));
    for (int i = 0; i < 510; ++i)
        file.ReadByte();
    EXPECT_EQ(file.ReadInt32(), 0x12345678);
    EXPECT_TRUE(file.AtEnd());
}

// ---- Field types ----

struct Int16Row {
    const char* name;
    std::vector<std::uint8_t> bytes;
    int value; // -1: range error
};

class Int16Field : public ::testing::TestWithParam<Int16Row> {};

// The byte after the field shows that both bytes were consumed, also when the value fails.
TEST_P(Int16Field, DecodesOrRejectsAndConsumesBothBytes)
{
    TempFolder files;
    std::vector<std::uint8_t> bytes = GetParam().bytes;
    bytes.push_back(0x5A);
    TByteFile file(files.Write("int16.crp", bytes));
    if (GetParam().value < 0)
        EXPECT_THROW(file.ReadInt16(), ERangeError);
    else
        EXPECT_EQ(file.ReadInt16(), GetParam().value);
    EXPECT_EQ(file.ReadByte(), 0x5A);
}

INSTANTIATE_TEST_SUITE_P(Values, Int16Field,
    ::testing::Values(Int16Row{"zero", {0x00, 0x00}, 0},
        Int16Row{"low_byte_first", {0x34, 0x12}, 0x1234},
        Int16Row{"largest_32767", {0xFF, 0x7F}, 32767},
        Int16Row{"high_bit_32768_fails", {0x00, 0x80}, -1},
        Int16Row{"all_ones_fails", {0xFF, 0xFF}, -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct Int32Row {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::int32_t value;
};

class Int32Field : public ::testing::TestWithParam<Int32Row> {};

TEST_P(Int32Field, IsLittleEndianTwosComplement)
{
    TempFolder files;
    TByteFile file(files.Write("int32.crp", GetParam().bytes));
    EXPECT_EQ(file.ReadInt32(), GetParam().value);
    EXPECT_TRUE(file.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(Values, Int32Field,
    ::testing::Values(Int32Row{"ten_thousand", {0x10, 0x27, 0x00, 0x00}, 10000},
        Int32Row{"all_ones_is_minus_one", {0xFF, 0xFF, 0xFF, 0xFF}, -1},
        Int32Row{"minus_five", {0xFB, 0xFF, 0xFF, 0xFF}, -5},
        Int32Row{"largest", {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
        Int32Row{"smallest", {0x00, 0x00, 0x00, 0x80}, -2147483647 - 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct StringRow {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string text;
};

class StringField : public ::testing::TestWithParam<StringRow> {};

TEST_P(StringField, AddsTwentyOneToEveryByteModulo256)
{
    TempFolder files;
    TByteFile file(files.Write("string.crp", GetParam().bytes));
    EXPECT_EQ(file.ReadString(), GetParam().text);
    EXPECT_TRUE(file.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(Texts, StringField,
    ::testing::Values(StringRow{"abc", {0x03, 0x4C, 0x4D, 0x4E}, "abc"},
        StringRow{"empty", {0x00}, ""},
        StringRow{"stored_EB_wraps_to_0", {0x01, 0xEB}, std::string(1, '\0')},
        StringRow{"stored_FF_wraps_to_20", {0x01, 0xFF}, std::string(1, '\x14')},
        StringRow{"stored_EA_is_255", {0x01, 0xEA}, std::string(1, '\xFF')},
        StringRow{"windows_1252_a_ring", {0x01, 0xD0}, std::string(1, '\xE5')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilereadTest, LongestStringHas255Characters)
{
    std::vector<std::uint8_t> bytes{0xFF};
    bytes.insert(bytes.end(), 255, static_cast<std::uint8_t>('x' - 21));
    TByteFile file(files.Write("long.crp", bytes));
    EXPECT_EQ(file.ReadString(), std::string(255, 'x'));
    EXPECT_TRUE(file.AtEnd());
}

struct CutRow {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::function<void(TByteFile&)> read;
};

class FieldCutShort : public ::testing::TestWithParam<CutRow> {};

TEST_P(FieldCutShort, FailsWithReadBeyondEnd)
{
    TempFolder files;
    TByteFile file(files.Write("short.crp", GetParam().bytes));
    EXPECT_EQ(InOutErrorOf([&] { GetParam().read(file); }), ReadBeyondEnd);
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldCutShort,
    ::testing::Values(
        CutRow{"string_promises_5_holds_2", {0x05, 0x4C, 0x4D}, [](TByteFile& f) { f.ReadString(); }},
        CutRow{"int16_with_one_byte", {0x01}, [](TByteFile& f) { f.ReadInt16(); }},
        CutRow{"int32_with_three_bytes", {0x01, 0x02, 0x03}, [](TByteFile& f) { f.ReadInt32(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Opening ----

TEST_F(FilereadTest, MissingFileNamesTheFileAsGiven)
{
    const std::vector<std::string> names{"Ovning.crp", "no/such/folder/AREA1.crp", files.PathOf("Ort7.crp")};
    for (const std::string& name : names) {
        try {
            TByteFile file(name);
            ADD_FAILURE() << name << " opened";
        } catch (const EFileNotFound& e) {
            EXPECT_EQ(std::string(e.what()), "File \"" + name + "\" not found.");
        }
    }
}

void ExpectOpenFailed(const std::string& path)
{
    try {
        TByteFile file(path);
        ADD_FAILURE() << path << " opened";
    } catch (const EFileOpenFailed& e) {
        EXPECT_EQ(std::string(e.what()).rfind("File open failed: ", 0), 0u) << e.what();
    } catch (const EInOutError& e) {
        ADD_FAILURE() << "not EFileOpenFailed: " << e.what();
    }
}

// A folder exists but is no file to read. It used to open and fail only at the first read.
TEST_F(FilereadTest, FolderFailsToOpen)
{
    ExpectOpenFailed(files.Dir());
}

TEST_F(FilereadTest, FileWithoutReadPermissionFailsToOpen)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may read any file";
    const std::string path = files.Write("locked.crp", {0x01});
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    ExpectOpenFailed(path);
}

// The file is there but its folder may not be searched. This used to say "not found".
TEST_F(FilereadTest, FileInAFolderThatMayNotBeSearchedFailsToOpen)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may search any folder";
    std::filesystem::create_directory(files.PathOf("closed"));
    const std::string path = files.Write("closed/AREA1.crp", {0x01});
    ASSERT_EQ(chmod(files.PathOf("closed").c_str(), S_IRUSR), 0);
    ExpectOpenFailed(path);
    chmod(files.PathOf("closed").c_str(), S_IRWXU);
}

// The game's data files must open from a read-only medium: the reader asks for read access only.
TEST_F(FilereadTest, ReadOnlyFileOpens)
{
    const std::string path = files.Write("readonly.crp", {0x2A});
    ASSERT_EQ(chmod(path.c_str(), S_IRUSR), 0);
    TByteFile file(path);
    EXPECT_EQ(file.ReadByte(), 0x2A);
}

TEST_F(FilereadTest, RelativeNameIsFoundInTheCurrentFolder)
{
    files.Write("Hav1.crp", {0x07});
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(files.Dir());
    struct Restore {
        std::filesystem::path dir;
        ~Restore() { std::filesystem::current_path(dir); }
    } restore{before};
    TByteFile file("Hav1.crp");
    EXPECT_EQ(file.ReadByte(), 0x07);
}

} // namespace
