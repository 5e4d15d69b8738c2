// SDL2_mixer media player. The audio device is opened once, on the first open(); with no sound
// device the "dummy" driver takes its place, so every later call stays harmless. Return codes are
// checked, never Mix_GetError() alone (stale messages stay in it).
#include "platform/SdlMediaPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr const char* SoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

// The one music stream of the mixer belongs to the player that started it last.
const SdlMediaPlayer* musicOwner = nullptr;
int nextChannel = 0;

bool TryOpenAudio()
{
    // SDL would turn SIGTERM and SIGINT into events that nobody reads here, and the game would
    // no longer end on them; the application handles them itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

void EnsureAudio()
{
    static int state = 0; // 0 not tried, 1 open, -1 failed for good
    if (state == 1)
        return;
    if (state == 0) {
        if (!TryOpenAudio()) {
            SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
            if (!TryOpenAudio()) {
                state = -1;
                throw MediaError("No audio device");
            }
        }
        state = 1;
        Mix_Init(MIX_INIT_MID); // only MIDI needs a decoder library; its failure shows at load
        for (const char* font : SoundFonts) {
            std::error_code ec;
            if (std::filesystem::exists(font, ec)) {
                // A wrong path here fails silently later (no sound, no error), hence the check.
                Mix_SetSoundFonts(font);
                break;
            }
        }
        return;
    }
    throw MediaError("No audio device");
}

std::string Extension(const std::string& fileName)
{
    const std::string ext = std::filesystem::path(fileName).extension().string();
    std::string lower;
    std::transform(ext.begin(), ext.end(), std::back_inserter(lower),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Bytes of one sample frame and frames per second of the opened device.
bool DeviceFormat(int& frameBytes, int& frequency)
{
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0 || frequency <= 0 || channels <= 0)
        return false;
    frameBytes = static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8) * channels;
    return frameBytes > 0;
}

} // namespace

SdlMediaPlayer::SdlMediaPlayer() : channel_(nextChannel++) {}

SdlMediaPlayer::~SdlMediaPlayer()
{
    close();
}

void SdlMediaPlayer::setFileName(std::string fileName)
{
    fileName_ = std::move(fileName);
}

void SdlMediaPlayer::open()
{
    close();
    const std::string ext = Extension(fileName_);
    const Kind kind = ext == ".wav" ? Kind::Wave
                      : (ext == ".mid" || ext == ".midi" || ext == ".rmi") ? Kind::Midi
                                                                            : Kind::None;
    if (kind == Kind::None)
        throw MediaError("No device for \"" + fileName_ + "\"");
    EnsureAudio();
    if (kind == Kind::Wave) {
        if (Mix_AllocateChannels(-1) <= channel_)
            Mix_AllocateChannels(channel_ + 1);
        chunk_ = Mix_LoadWAV(fileName_.c_str());
        if (!chunk_)
            throw MediaError("Cannot open \"" + fileName_ + "\"");
        int frameBytes = 0, frequency = 0;
        if (DeviceFormat(frameBytes, frequency))
            length_ = std::int64_t(chunk_->alen / frameBytes) * 1000 / frequency;
    } else {
        music_ = Mix_LoadMUS(fileName_.c_str());
        if (!music_)
            throw MediaError("Cannot open \"" + fileName_ + "\"");
        // The mixer knows neither position nor length of MIDI music: the player answers both.
        length_ = MidiFileLength(fileName_);
    }
    kind_ = kind;
}

void SdlMediaPlayer::close()
{
    stop();
    if (chunk_) {
        Mix_FreeChunk(chunk_);
        chunk_ = nullptr;
    }
    if (music_) {
        Mix_FreeMusic(music_);
        music_ = nullptr;
    }
    kind_ = Kind::None;
    length_ = 0;
    position_ = 0;
}

void SdlMediaPlayer::stop()
{
    if (kind_ == Kind::Wave && playing())
        Mix_HaltChannel(channel_);
    if (kind_ == Kind::Midi && musicOwner == this) {
        Mix_HaltMusic();
        musicOwner = nullptr;
    }
    if (tail_) {
        Mix_FreeChunk(tail_); // frees only the chunk record; the samples belong to chunk_
        tail_ = nullptr;
    }
    started_ = false;
}

bool SdlMediaPlayer::playing() const
{
    if (!started_)
        return false;
    if (kind_ == Kind::Wave) {
        const Mix_Chunk* current = tail_ ? tail_ : chunk_;
        return Mix_Playing(channel_) != 0 && Mix_GetChunk(channel_) == current;
    }
    if (kind_ == Kind::Midi)
        return musicOwner == this && Mix_PlayingMusic() != 0;
    return false;
}

std::int64_t SdlMediaPlayer::position() const
{
    if (!started_)
        return position_;
    if (!playing())
        return length_; // the playback ran to the end
    const auto elapsed = static_cast<std::int64_t>(SDL_GetTicks64() - startTicks_);
    return std::min(startPosition_ + elapsed, length_);
}

void SdlMediaPlayer::setPosition(std::int64_t position)
{
    if (kind_ == Kind::None)
        throw MediaError("No file open");
    stop();
    position_ = std::clamp<std::int64_t>(position, 0, length_);
}

void SdlMediaPlayer::play()
{
    if (kind_ == Kind::None)
        throw MediaError("No file open");
    if (playing())
        return; // asked again while still sounding: it goes on
    std::int64_t from = started_ ? length_ : position_;
    if (from >= length_)
        from = 0;
    start(from);
}

void SdlMediaPlayer::start(std::int64_t from)
{
    stop();
    if (kind_ == Kind::Wave) {
        Mix_Chunk* chunk = chunk_;
        int frameBytes = 0, frequency = 0;
        if (from > 0 && DeviceFormat(frameBytes, frequency)) {
            const std::int64_t offset = from * frequency / 1000 * frameBytes;
            if (offset > 0 && offset < chunk_->alen) {
                tail_ = Mix_QuickLoad_RAW(chunk_->abuf + offset, static_cast<Uint32>(chunk_->alen - offset));
                if (tail_)
                    chunk = tail_;
            }
        }
        if (Mix_PlayChannel(channel_, chunk, 0) < 0)
            throw MediaError("Cannot play \"" + fileName_ + "\"");
        startPosition_ = chunk == chunk_ ? 0 : from;
    } else {
        // MIDI always starts at its beginning (the mixer cannot seek in it; the game never asks).
        if (Mix_PlayMusic(music_, 0) != 0)
            throw MediaError("Cannot play \"" + fileName_ + "\"");
        musicOwner = this;
        startPosition_ = 0;
    }
    startTicks_ = SDL_GetTicks64();
    started_ = true;
}

namespace {

class MidiReader {
public:
    MidiReader(const std::vector<unsigned char>& data, std::size_t begin, std::size_t end)
        : data_(data), pos_(begin), end_(end)
    {
    }
    bool atEnd() const { return pos_ >= end_; }
    bool byte(unsigned& value)
    {
        if (pos_ >= end_)
            return false;
        value = data_[pos_++];
        return true;
    }
    bool peek(unsigned& value) const
    {
        if (pos_ >= end_)
            return false;
        value = data_[pos_];
        return true;
    }
    bool varLength(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            unsigned b = 0;
            if (!byte(b))
                return false;
            value = (value << 7) | (b & 0x7Fu);
            if (!(b & 0x80u))
                return true;
        }
        return false;
    }
    bool skip(std::uint32_t count)
    {
        if (count > end_ - pos_)
            return false;
        pos_ += count;
        return true;
    }

private:
    const std::vector<unsigned char>& data_;
    std::size_t pos_;
    std::size_t end_;
};

std::uint32_t BigEndian(const std::vector<unsigned char>& d, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | d[at + static_cast<std::size_t>(i)];
    return v;
}

struct TempoChange {
    std::uint64_t tick;
    std::uint32_t microsPerQuarter;
};

// Reads one track's events: its last tick, and its tempo changes. False on a broken track.
bool ReadTrack(MidiReader in, std::uint64_t& lastTick, std::vector<TempoChange>& tempos)
{
    std::uint64_t tick = 0;
    unsigned running = 0;
    while (!in.atEnd()) {
        std::uint32_t delta = 0;
        if (!in.varLength(delta))
            return false;
        tick += delta;
        unsigned status = 0;
        if (!in.peek(status))
            return false;
        if (status & 0x80u)
            in.byte(status);
        else if (running)
            status = running; // running status: the byte read next is data
        else
            return false;
        if (status == 0xFF) {
            unsigned type = 0;
            std::uint32_t length = 0;
            if (!in.byte(type) || !in.varLength(length))
                return false;
            if (type == 0x51 && length == 3) {
                unsigned a = 0, b = 0, c = 0;
                in.byte(a);
                in.byte(b);
                in.byte(c);
                tempos.push_back({tick, (a << 16) | (b << 8) | c});
            } else if (!in.skip(length)) {
                return false;
            }
            if (type == 0x2F)
                break;
        } else if (status == 0xF0 || status == 0xF7) {
            std::uint32_t length = 0;
            if (!in.varLength(length) || !in.skip(length))
                return false;
        } else if (status >= 0xF0) {
            return false; // system common/real-time messages do not belong in a file
        } else {
            running = status;
            const unsigned kind = status & 0xF0u;
            if (!in.skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2))
                return false;
        }
    }
    lastTick = std::max(lastTick, tick);
    return true;
}

} // namespace

std::int64_t MidiFileLength(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return 0;
    constexpr std::size_t MaxBytes = 16u << 20;
    std::vector<unsigned char> data;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        data.insert(data.end(), buffer, buffer + file.gcount());
        if (data.size() > MaxBytes)
            return 0;
    }
    if (data.size() < 14 || std::string(data.begin(), data.begin() + 4) != "MThd")
        return 0;
    const std::uint32_t headerLength = BigEndian(data, 4, 4);
    if (headerLength < 6 || headerLength > data.size() - 8)
        return 0;
    const std::uint32_t division = BigEndian(data, 12, 2);
    if (division == 0)
        return 0;

    std::uint64_t lastTick = 0;
    std::vector<TempoChange> tempos;
    std::size_t at = 8 + headerLength;
    while (data.size() - at >= 8) {
        const std::string id(data.begin() + static_cast<std::ptrdiff_t>(at),
                             data.begin() + static_cast<std::ptrdiff_t>(at + 4));
        const std::uint32_t length = BigEndian(data, at + 4, 4);
        at += 8;
        if (length > data.size() - at)
            return 0;
        if (id == "MTrk" && !ReadTrack(MidiReader(data, at, at + length), lastTick, tempos))
            return 0;
        at += length;
    }

    if (division & 0x8000u) {
        // SMPTE time: frames per second (29 stands for 29.97) times ticks per frame.
        const int fps = -static_cast<int>(static_cast<signed char>(division >> 8));
        const int ticksPerFrame = static_cast<int>(division & 0xFFu);
        if (fps <= 0 || ticksPerFrame == 0)
            return 0;
        const double perSecond = (fps == 29 ? 29.97 : fps) * ticksPerFrame;
        return static_cast<std::int64_t>(static_cast<double>(lastTick) * 1000.0 / perSecond);
    }
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    double micros = 0.0;
    std::uint64_t tick = 0;
    std::uint32_t tempo = 500000; // 120 beats per minute until the file says otherwise
    for (const TempoChange& change : tempos) {
        if (change.tick >= lastTick)
            break;
        micros += static_cast<double>(change.tick - tick) * tempo / division;
        tick = change.tick;
        tempo = change.microsPerQuarter;
    }
    micros += static_cast<double>(lastTick - tick) * tempo / division;
    return static_cast<std::int64_t>(micros / 1000.0);
}
