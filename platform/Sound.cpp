// PlaySound and PlayMusic over three media players: music, right-answer channel, other sounds.
#include "platform/Sound.h"

#include "platform/GameState.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/SdlMediaPlayer.h"

namespace {
std::unique_ptr<MediaPlayer> mplMIDI;
std::unique_ptr<MediaPlayer> mplWAV1;
std::unique_ptr<MediaPlayer> mplWAV2;

MediaPlayer* Lazy(std::unique_ptr<MediaPlayer>& player)
{
    if (!player)
        player = std::make_unique<SdlMediaPlayer>();
    return player.get();
}
} // namespace

void SetMediaPlayers(std::unique_ptr<MediaPlayer> midi, std::unique_ptr<MediaPlayer> wav1,
                     std::unique_ptr<MediaPlayer> wav2)
{
    mplMIDI = std::move(midi);
    mplWAV1 = std::move(wav1);
    mplWAV2 = std::move(wav2);
}

void CloseMediaPlayers()
{
    SetMediaPlayers(nullptr, nullptr, nullptr);
}

MediaPlayer* MediaPlayerMidi()
{
    return Lazy(mplMIDI);
}

MediaPlayer* MediaPlayerWav(int channel)
{
    return Lazy(channel == 1 ? mplWAV1 : mplWAV2);
}

void PlaySound(const std::string& fileName, int channel)
{
    if (!SoundOn)
        return;
    try {
        MediaPlayer* player = MediaPlayerWav(channel);
        const std::string path = ExePath(fileName);
        // Reopening only for a new file lets a sound still playing go on instead of restarting,
        // and keeps the frequent answer sounds cheap.
        if (player->fileName() != path) {
            player->setFileName(path);
            player->open();
        }
        player->play();
    } catch (...) {
        // A sound that cannot play is silence, never an error.
    }
}

void PlayMusic(const std::string& fileName, std::int64_t startPosition)
{
    if (!MusicOn)
        return;
    try {
        MediaPlayer* player = MediaPlayerMidi();
        player->setFileName(ExePath(fileName));
        player->open(); // every time: a tune still playing starts over
        player->setPosition(startPosition);
        player->play();
    } catch (...) {
        // As with sounds: failures are silent.
    }
}
