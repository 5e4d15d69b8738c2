// A private folder for one test's data files, removed with its contents at the end.
#pragma once

#include "tools/crp/CrpWriter.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

class DataFiles {
public:
    DataFiles()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "globana-data-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
    }
    ~DataFiles()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    DataFiles(const DataFiles&) = delete;
    DataFiles& operator=(const DataFiles&) = delete;

    std::string Dir() const { return dir_.string(); }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw std::runtime_error("cannot write " + path);
        return path;
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
