// A media player for tests: counts opens and plays, keeps the file and position, and can be
// told to fail.
#pragma once

#include "platform/MediaPlayer.h"

#include <string>

class RecordingMediaPlayer : public MediaPlayer {
public:
    void setFileName(std::string fileName) override
    {
        fileName_ = std::move(fileName);
    }
    std::string fileName() const override { return fileName_; }
    void open() override
    {
        if (failOpen)
            throw MediaError("open failed");
        ++opens;
    }
    void setPosition(std::int64_t position) override
    {
        position_ = position;
    }
    void play() override
    {
        if (failPlay)
            throw MediaError("play failed");
        ++plays;
    }
    std::int64_t position() const override { return position_; }
    std::int64_t length() const override { return lengthValue; }

    int opens = 0;
    int plays = 0;
    bool failOpen = false;
    bool failPlay = false;
    std::int64_t lengthValue = 1000;

private:
    std::string fileName_;
    std::int64_t position_ = 0;
};
