// The sound routines on the real SDL2_mixer players with SDL's "disk" driver, which writes what
// would be heard to a file: after a tune and a sound, that file must hold more than silence.
#include "platform/GameState.h"
#include "platform/Paths.h"
#include "platform/Sound.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Copies a shipped game file beside the test program, where the sound routines look for it.
bool ProvideContent(const std::string& name)
{
    const fs::path from = fs::path(GLOBANA_CONTENT_DIR) / name;
    if (!fs::exists(from))
        return false;
    std::error_code ec;
    fs::copy_file(from, ExePath(name), fs::copy_options::overwrite_existing, ec);
    return !ec;
}

TEST(SoundDeviceTest, TuneAndSoundReachTheAudioOutput)
{
    if (!ProvideContent("good.mid") || !ProvideContent("Plopp.WAV"))
        GTEST_SKIP() << "the shipped sounds are not in " << GLOBANA_CONTENT_DIR;

    const std::string output = ExePath("sound-device-test.raw");
    fs::remove(output);
    // Before the first player exists, so SDL's audio starts on the disk driver.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    SoundOn = true;
    MusicOn = true;

    PlayMusic("good.mid", 0);
    PlaySound("Plopp.WAV", 2);
    // The disk driver writes at real-time pace.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    CloseMediaPlayers();

    std::ifstream in(output, std::ios::binary);
    ASSERT_TRUE(in) << "no audio was written to " << output;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 44100u) << "less than a quarter second of audio";
    std::size_t loud = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(
            static_cast<std::uint8_t>(bytes[i]) | (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
        if (sample > 512 || sample < -512)
            ++loud;
    }
    EXPECT_GT(loud, 1000u) << "the written audio is silent";
    for (const char* name : {"good.mid", "Plopp.WAV"})
        fs::remove(ExePath(name));
    fs::remove(output);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // ExeDir() needs the application object
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
