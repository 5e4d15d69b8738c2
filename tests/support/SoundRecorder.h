// Sounds asked for through a PlaySound hook (the exercises' own), recorded instead of played. Code
// that plays through platform/Sound is heard by support/RecordedPlayers.h instead: the exercises
// link no players.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

class SoundRecorder {
public:
    // What to give an exercise as its PlaySound.
    std::function<void(const std::string&, int)> Player()
    {
        return [this](const std::string& fileName, int channel) { sounds_.emplace_back(fileName, channel); };
    }
    // How often `fileName` was asked for on `channel`; any file when it is empty.
    int Plays(int channel, const std::string& fileName = {}) const
    {
        int n = 0;
        for (const auto& [file, c] : sounds_)
            n += c == channel && (fileName.empty() || file == fileName);
        return n;
    }

private:
    std::vector<std::pair<std::string, int>> sounds_;
};
