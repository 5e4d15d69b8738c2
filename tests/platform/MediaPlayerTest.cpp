// SdlMediaPlayer on SDL's dummy audio driver (which plays at real-time pace, silently).
#include "platform/SdlMediaPlayer.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <SDL.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <vector>

namespace {

void Put16(std::string& s, unsigned v)
{
    s.push_back(char(v & 0xFF));
    s.push_back(char((v >> 8) & 0xFF));
}
void Put32(std::string& s, unsigned v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

// A 44.1 kHz 16-bit stereo WAV of the given length, a quiet square wave.
void WriteWav(const std::string& path, int milliseconds)
{
    const unsigned frames = 44100u * unsigned(milliseconds) / 1000u;
    std::string s = "RIFF";
    Put32(s, 36 + frames * 4);
    s += "WAVEfmt ";
    Put32(s, 16);
    Put16(s, 1);
    Put16(s, 2);
    Put32(s, 44100);
    Put32(s, 44100 * 4);
    Put16(s, 4);
    Put16(s, 16);
    s += "data";
    Put32(s, frames * 4);
    for (unsigned i = 0; i < frames; ++i) {
        const unsigned v = (i / 50) % 2 ? 0x0400 : 0xFC00;
        Put16(s, v);
        Put16(s, v);
    }
    std::ofstream(path, std::ios::binary) << s;
}

std::string Be32(unsigned v)
{
    return {char(v >> 24), char((v >> 16) & 0xFF), char((v >> 8) & 0xFF), char(v & 0xFF)};
}

// Format 0, 96 ticks per quarter: one quarter at 120 bpm (500 ms), then a tempo change to
// 60 bpm and one more quarter (1000 ms): 1500 ms in all.
std::string MidiWithTempoChange()
{
    const std::string events = std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7) // tempo 500000
                               + std::string("\x00\x90\x3C\x40", 4)          // note on
                               + std::string("\x60\xFF\x51\x03\x0F\x42\x40", 7) // +96: 1000000
                               + std::string("\x60\x3C\x00", 3)              // +96: off (running)
                               + std::string("\x00\xFF\x2F\x00", 4);         // end of track
    return "MThd" + Be32(6) + std::string("\x00\x00\x00\x01\x00\x60", 6) + "MTrk" + Be32(unsigned(events.size()))
           + events;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (condition())
            return true;
        SDL_Delay(10);
    }
    return condition();
}

class MediaTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(MediaTest, WaveContinuesWhenAskedAgainAndRestartsWhenFinished)
{
    WriteWav(file("beep.wav"), 300);
    SdlMediaPlayer player;
    player.setFileName(file("beep.wav"));
    player.open();
    EXPECT_NEAR(double(player.length()), 300.0, 1.0);
    EXPECT_EQ(player.position(), 0);

    player.play();
    ASSERT_TRUE(player.playing());
    ASSERT_TRUE(WaitFor([&] { return player.position() >= 100; }, 1000));
    const std::int64_t before = player.position();
    player.play(); // still sounding: goes on, no restart
    EXPECT_GE(player.position(), before);

    ASSERT_TRUE(WaitFor([&] { return !player.playing(); }, 2000));
    EXPECT_EQ(player.position(), player.length());
    player.play(); // finished: rewinds and plays again
    EXPECT_TRUE(player.playing());
    EXPECT_LT(player.position(), 150);
}

TEST_F(MediaTest, SetPositionStopsAndStartsThereNext)
{
    WriteWav(file("long.wav"), 1000);
    SdlMediaPlayer player;
    player.setFileName(file("long.wav"));
    player.open();
    player.play();
    player.setPosition(600);
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.position(), 600);
    player.play();
    EXPECT_TRUE(player.playing());
    EXPECT_GE(player.position(), 600);
}

TEST_F(MediaTest, TwoPlayersSoundTogether)
{
    WriteWav(file("a.wav"), 400);
    WriteWav(file("b.wav"), 400);
    SdlMediaPlayer one, two;
    one.setFileName(file("a.wav"));
    two.setFileName(file("b.wav"));
    one.open();
    two.open();
    one.play();
    two.play();
    EXPECT_TRUE(one.playing());
    EXPECT_TRUE(two.playing());
}

TEST_F(MediaTest, MidiPlaysAndTheLayerKnowsItsLength)
{
    std::ofstream(file("tune.mid"), std::ios::binary) << MidiWithTempoChange();
    EXPECT_EQ(MidiFileLength(file("tune.mid")), 1500);
    SdlMediaPlayer player;
    player.setFileName(file("tune.mid"));
    player.open();
    EXPECT_EQ(player.length(), 1500);
    player.setPosition(0);
    player.play();
    EXPECT_TRUE(player.playing());
    player.open(); // reopening stops the tune
    EXPECT_FALSE(player.playing());
}

TEST_F(MediaTest, FailuresAreThrownForTheCallerToSwallow)
{
    SdlMediaPlayer player;
    EXPECT_THROW(player.play(), MediaError); // nothing open
    player.setFileName(file("missing.wav"));
    EXPECT_THROW(player.open(), MediaError);
    EXPECT_THROW(player.play(), MediaError);
    std::ofstream(file("noise.wav"), std::ios::binary) << "RIFF but not really";
    player.setFileName(file("noise.wav"));
    EXPECT_THROW(player.open(), MediaError);
    player.setFileName(file("picture.bmp"));
    EXPECT_THROW(player.open(), MediaError);

    std::ofstream(file("bad.mid"), std::ios::binary) << "MThd garbage";
    EXPECT_EQ(MidiFileLength(file("bad.mid")), 0);
    std::string cut = MidiWithTempoChange();
    cut.resize(cut.size() - 6);
    std::ofstream(file("cut.mid"), std::ios::binary) << cut;
    EXPECT_EQ(MidiFileLength(file("cut.mid")), 0);
}

} // namespace
