// A media player for tests: records every call and can be told to fail.
#pragma once

#include "platform/MediaPlayer.h"

#include <string>
#include <vector>

class RecordingMediaPlayer : public MediaPlayer {
public:
    void setFileName(std::string fileName) override
    {
        calls.push_back("setFileName " + fileName);
        fileName_ = std::move(fileName);
    }
    std::string fileName() const override { return fileName_; }
    void open() override
    {
        calls.push_back("open");
        if (failOpen)
            throw MediaError("open failed");
        ++opens;
    }
    void setPosition(std::int64_t position) override
    {
        calls.push_back("setPosition " + std::to_string(position));
        position_ = position;
    }
    void play() override
    {
        calls.push_back("play");
        if (failPlay)
            throw MediaError("play failed");
        ++plays;
    }
    std::int64_t position() const override { return position_; }
    std::int64_t length() const override { return lengthValue; }

    std::vector<std::string> calls;
    int opens = 0;
    int plays = 0;
    bool failOpen = false;
    bool failPlay = false;
    std::int64_t lengthValue = 1000;

private:
    std::string fileName_;
    std::int64_t position_ = 0;
};
