// A private folder for one test, removed with its contents at the end, and whole files of raw
// bytes read, written and cut short.
#pragma once

#include "tools/crp/CrpWriter.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "globana-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Dir() const { return dir_.string(); }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    // Each Write puts the file `name` in the folder and returns its path.
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        WriteBytes(PathOf(name), std::string(bytes.begin(), bytes.end()));
        return PathOf(name);
    }
    std::string Write(const std::string& name, std::initializer_list<std::uint8_t> bytes) const
    {
        return Write(name, std::vector<std::uint8_t>(bytes));
    }
    std::string Write(const std::string& name, const CrpWriter& writer) const
    {
        return Write(name, writer.Bytes());
    }

private:
    std::filesystem::path dir_;
};

// The bytes of a writer without its last `n` bytes: a file that ends inside a record.
inline std::vector<std::uint8_t> CutShort(const CrpWriter& writer, std::size_t n)
{
    std::vector<std::uint8_t> bytes = writer.Bytes();
    bytes.resize(bytes.size() - n);
    return bytes;
}
