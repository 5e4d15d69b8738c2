// MediaPlayer over SDL2_mixer: a WAV file is one chunk on a mixer channel of its own player;
// a MIDI file is the mixer's music, played by FluidSynth with the General MIDI sound font.
#pragma once

#include "platform/MediaPlayer.h"

#include <cstdint>
#include <string>

struct Mix_Chunk;
struct _Mix_Music;

class SdlMediaPlayer : public MediaPlayer {
public:
    SdlMediaPlayer();
    ~SdlMediaPlayer() override;
    SdlMediaPlayer(const SdlMediaPlayer&) = delete;
    SdlMediaPlayer& operator=(const SdlMediaPlayer&) = delete;

    void setFileName(std::string fileName) override;
    std::string fileName() const override { return fileName_; }
    void open() override;
    void setPosition(std::int64_t position) override;
    void play() override;
    std::int64_t position() const override;
    std::int64_t length() const override { return length_; }

    bool playing() const;

private:
    enum class Kind { None, Wave, Midi };

    void close();
    void stop();
    void start(std::int64_t from);

    std::string fileName_;
    Kind kind_ = Kind::None;
    int channel_;
    Mix_Chunk* chunk_ = nullptr;
    Mix_Chunk* tail_ = nullptr; // the part of chunk_ after a start position
    _Mix_Music* music_ = nullptr;
    std::int64_t length_ = 0;
    std::int64_t position_ = 0; // while not playing
    bool started_ = false;      // a playback was started and has not been stopped
    std::int64_t startPosition_ = 0;
    std::uint64_t startTicks_ = 0;
};

// Length in milliseconds of a Standard MIDI File, from its tempo map; 0 when it cannot be read.
std::int64_t MidiFileLength(const std::string& path);
