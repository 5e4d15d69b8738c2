// Sound effects and music: two WAV channels and one MIDI player, all failures swallowed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class MediaPlayer;

// Plays ExeDir()/fileName on channel 1 (right answers) or 2 (anything else). Obeys SoundOn.
void PlaySound(const std::string& fileName, int channel);
// Plays ExeDir()/fileName once from startPosition. Obeys MusicOn.
void PlayMusic(const std::string& fileName, std::int64_t startPosition);

// The three players (mplMIDI, mplWAV1, mplWAV2). Tests install recording fakes.
void SetMediaPlayers(std::unique_ptr<MediaPlayer> midi, std::unique_ptr<MediaPlayer> wav1,
                     std::unique_ptr<MediaPlayer> wav2);
// Frees the players (the main window does this when it closes); the next call creates new ones.
void CloseMediaPlayers();
// The players, created on first use when none was installed.
MediaPlayer* MediaPlayerMidi();
MediaPlayer* MediaPlayerWav(int channel);
