// The media player operations the game's sound routines need. Positions and lengths are in
// milliseconds. Failures are thrown as MediaError; the sound routines swallow them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class MediaError : public std::runtime_error {
public:
    explicit MediaError(const std::string& message) : std::runtime_error(message) {}
};

class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    virtual void setFileName(std::string fileName) = 0;
    virtual std::string fileName() const = 0;
    // Opens the device that fits the file type, closing whatever was open.
    virtual void open() = 0;
    // Stops playback and moves to the position.
    virtual void setPosition(std::int64_t position) = 0;
    // Starts at the current position, rewinding first when the last playback reached the end;
    // a playback still running just continues. Returns at once.
    virtual void play() = 0;
    virtual std::int64_t position() const = 0;
    virtual std::int64_t length() const = 0;
};
