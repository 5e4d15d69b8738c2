// The fuzz input as a file: the data-file reader takes a path, not a buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Inputs above this are not worth the time: the largest legal file of any format the game
// reads is a few hundred KiB, but every limit (500 areas, 500 vertices, 100 selectors) and
// every block boundary is reached well below it.
constexpr std::size_t MaxFuzzInput = 64 * 1024;

// Writes the input to one file in a private folder (made on first use, removed at exit) and
// returns its path.
inline const std::string& WriteFuzzFile(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = [] {
        std::string dir = (std::filesystem::temp_directory_path() / "globana-fuzz-XXXXXX").string();
        if (!mkdtemp(dir.data()))
            std::abort();
        static std::string folder = dir;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        });
        return dir + "/input.crp";
    }();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size)
        std::abort();
    if (std::fclose(f) != 0)
        std::abort();
    return path;
}

// A broken promise of the code under test: stop here so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
