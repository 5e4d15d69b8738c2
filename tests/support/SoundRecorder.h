// Sounds recorded instead of played. SoundRecorder stands in for a PlaySound hook (the exercises'
// own); RecordedPlayers replaces the media players behind platform/Sound for its lifetime.
#pragma once

#include <functional>
#include <memory>
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
