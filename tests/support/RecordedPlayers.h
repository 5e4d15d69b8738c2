// The three media players behind platform/Sound replaced by recorders, kept reachable by the test.
// Fresh recorders stay installed afterwards, so a sound after the test never opens a device.
#pragma once

#include "platform/RecordingMediaPlayer.h"
#include "platform/Sound.h"

#include <memory>

struct RecordedPlayers {
    RecordedPlayers()
    {
        auto m = std::make_unique<RecordingMediaPlayer>();
        auto w1 = std::make_unique<RecordingMediaPlayer>();
        auto w2 = std::make_unique<RecordingMediaPlayer>();
        midi = m.get();
        wav1 = w1.get();
        wav2 = w2.get();
        SetMediaPlayers(std::move(m), std::move(w1), std::move(w2));
    }
    ~RecordedPlayers()
    {
        SetMediaPlayers(std::make_unique<RecordingMediaPlayer>(), std::make_unique<RecordingMediaPlayer>(),
                        std::make_unique<RecordingMediaPlayer>());
    }
    RecordedPlayers(const RecordedPlayers&) = delete;
    RecordedPlayers& operator=(const RecordedPlayers&) = delete;

    RecordingMediaPlayer* midi;
    RecordingMediaPlayer* wav1;
    RecordingMediaPlayer* wav2;
};
