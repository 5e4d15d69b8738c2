// TByteFile: the one sequential reader of every ".crp" data file, buffered in 512-byte blocks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class TByteFile {
public:
    explicit TByteFile(const std::string& fileName);
    ~TByteFile();
    TByteFile(const TByteFile&) = delete;
    TByteFile& operator=(const TByteFile&) = delete;

    std::uint8_t ReadByte();
    std::int16_t ReadInt16();  // 0..32767; a set high bit is a range error
    std::int32_t ReadInt32();
    std::string ReadString();  // length byte, then bytes shifted by +21 (mod 256)
    bool AtEnd();

    static constexpr int BlockSize = 512;

private:
    void Refill();

    std::FILE* file_ = nullptr;
    std::uint8_t buffer_[BlockSize];
    std::uint16_t count_ = 0;
    std::uint16_t position_ = 0;
};
