// TByteFile: buffered sequential reading of the ".crp" field types.
#include "data/Fileread.h"

#include "platform/Errors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

TByteFile::TByteFile(const std::string& fileName)
{
    std::error_code ec;
    // Only a name that is known to be absent is "not found"; when the existence test itself
    // fails (say, a folder on the way may not be searched) the open below reports why.
    if (!std::filesystem::exists(fileName, ec) && !ec)
        throw EFileNotFound("File \"" + fileName + "\" not found.");
    // A folder opens as a stream here and would fail only at the first read: it is a file
    // that cannot be opened.
    if (std::filesystem::is_directory(fileName, ec))
        throw EFileOpenFailed("File open failed: " + std::string(std::strerror(EISDIR)));
    // Read-only: the reader never writes, and a data file on a read-only medium must still open.
    file_ = std::fopen(fileName.c_str(), "rb");
    if (!file_) {
        const int error = errno;
        throw EFileOpenFailed("File open failed: " + std::string(std::strerror(error)));
    }
}

TByteFile::~TByteFile()
{
    if (file_)
        std::fclose(file_);
}

void TByteFile::Refill()
{
    const std::size_t got = std::fread(buffer_, 1, BlockSize, file_);
    if (got == 0) {
        if (std::ferror(file_))
            throw EInOutError(std::strerror(errno));
        throw EInOutError("Read beyond end of file");
    }
    count_ = static_cast<std::uint16_t>(got);
    position_ = 0;
}

std::uint8_t TByteFile::ReadByte()
{
    if (position_ >= count_)
        Refill();
    return buffer_[position_++];
}

std::int16_t TByteFile::ReadInt16()
{
    const unsigned low = ReadByte();
    const unsigned high = ReadByte();
    const unsigned value = high * 256u + low;
    if (value >= 32768u)
        throw ERangeError();
    return static_cast<std::int16_t>(value);
}

std::int32_t TByteFile::ReadInt32()
{
    std::uint32_t value = ReadByte();
    value |= static_cast<std::uint32_t>(ReadByte()) << 8;
    value |= static_cast<std::uint32_t>(ReadByte()) << 16;
    value |= static_cast<std::uint32_t>(ReadByte()) << 24;
    return static_cast<std::int32_t>(value);
}

std::string TByteFile::ReadString()
{
    const int n = ReadByte();
    std::string text(static_cast<std::size_t>(n), '\0');
    for (int i = 0; i < n; ++i)
        text[static_cast<std::size_t>(i)] = static_cast<char>(static_cast<std::uint8_t>(ReadByte() + 21));
    return text;
}

bool TByteFile::AtEnd()
{
    if (position_ < count_)
        return false;
    // Only the file can tell whether more data follows; peek one byte and put it back.
    const int c = std::fgetc(file_);
    if (c == EOF) {
        if (std::ferror(file_))
            throw EInOutError(std::strerror(errno));
        return true;
    }
    std::ungetc(c, file_);
    return false;
}
