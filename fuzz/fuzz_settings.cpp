// Fuzz target for the settings file: any bytes as "GLOBANA.INI" in a private configuration
// folder, then the three settings the game reads, and one write as the language dialog does.
#include "platform/Settings.h"

#include "FuzzFile.h"

#include <QCoreApplication>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::string folder;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    std::string dir = (std::filesystem::temp_directory_path() / "globana-fuzz-ini-XXXXXX").string();
    if (!mkdtemp(dir.data()))
        std::abort();
    folder = dir;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    });
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxFuzzInput)
        return 0;
    const std::string path = SettingsFilePath().toStdString();
    FUZZ_CHECK(path == folder + "/GLOBANA.INI");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(f);
    FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, f) == size);
    FUZZ_CHECK(std::fclose(f) == 0);
    // QSettings keeps parsed files in a cache checked by size and time: a distinct time for
    // every input makes it read each one.
    static long long tick = 0;
    ++tick;
    const timespec times[2] = {{tick, 0}, {tick, 0}};
    FUZZ_CHECK(utimensat(AT_FDCWD, path.c_str(), times, 0) == 0);

    (void)ReadSettingInteger(QStringLiteral("Options"), QStringLiteral("Music"), 1);
    (void)ReadSettingInteger(QStringLiteral("Options"), QStringLiteral("Sounds"), 1);
    (void)ReadSettingString(QStringLiteral("Languages"), QStringLiteral("From"), QStringLiteral("1"));

    if (size > 0 && data[0] % 4 == 0) {
        WriteSettingString(QStringLiteral("Languages"), QStringLiteral("From"), QStringLiteral("3"));
        (void)ReadSettingString(QStringLiteral("Languages"), QStringLiteral("From"), QString());
    }
    return 0;
}
