// good.mid: a short cheerful tune for a new high score, written as a Standard MIDI File.
// Seven bars in C major at 140 beats a minute: marimba melody, piano off-beats, bass, drums.
#include "ShellContent.h"

#include <algorithm>
#include <map>

namespace shellcontent {
namespace {

constexpr int Division = 480; // ticks per quarter note
constexpr int Beat = Division;
constexpr int Bar = 4 * Beat;

struct Event {
    int tick;
    int order; // at equal ticks: note-offs (0) before note-ons (1)
    std::string bytes;
};

class Track {
public:
    void Meta(int tick, int type, const std::string& data)
    {
        std::string b = {'\xFF', static_cast<char>(type)};
        b += VarLen(static_cast<std::uint32_t>(data.size())) + data;
        events_.push_back({tick, 0, b});
    }
    void Program(int channel, int program)
    {
        events_.push_back({0, 0, {static_cast<char>(0xC0 | channel), static_cast<char>(program)}});
    }
    void Control(int channel, int controller, int value)
    {
        events_.push_back({0, 0, {static_cast<char>(0xB0 | channel), static_cast<char>(controller), static_cast<char>(value)}});
    }
    void Note(int channel, int tick, int length, int key, int velocity)
    {
        events_.push_back({tick, 1, {static_cast<char>(0x90 | channel), static_cast<char>(key), static_cast<char>(velocity)}});
        events_.push_back({tick + length, 0, {static_cast<char>(0x80 | channel), static_cast<char>(key), 0}});
    }
    std::string Chunk()
    {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::string data;
        int last = 0;
        for (const Event& e : events_) {
            data += VarLen(static_cast<std::uint32_t>(e.tick - last)) + e.bytes;
            last = e.tick;
        }
        data += VarLen(0) + std::string("\xFF\x2F\x00", 3); // end of track
        return "MTrk" + Be32(static_cast<std::uint32_t>(data.size())) + data;
    }

    static std::string VarLen(std::uint32_t v)
    {
        std::string out(1, static_cast<char>(v & 0x7F));
        while (v >>= 7)
            out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7F)));
        return out;
    }
    static std::string Be32(std::uint32_t v)
    {
        return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
    }

private:
    std::vector<Event> events_;
};

// Note names to MIDI keys: "C5" = 72, "A#4" = 70.
int Key(const std::string& name)
{
    static const std::map<char, int> step = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    int key = step.at(name[0]);
    std::size_t i = 1;
    if (name[i] == '#') {
        ++key;
        ++i;
    }
    return key + 12 * (std::stoi(name.substr(i)) + 1);
}

struct Step {
    const char* note; // nullptr: rest
    int eighths;
};

// The melody, bar by bar (eighth notes).
const std::vector<Step> melody = {
    {"C5", 1}, {"E5", 1}, {"G5", 2}, {"E5", 1}, {"G5", 1}, {"C6", 2},
    {"A5", 1}, {"G5", 1}, {"F5", 1}, {"A5", 1}, {"G5", 2}, {"E5", 2},
    {"C5", 1}, {"E5", 1}, {"A5", 2}, {"G5", 1}, {"F5", 1}, {"E5", 2},
    {"D5", 1}, {"E5", 1}, {"F5", 1}, {"G5", 1}, {"A5", 1}, {"B5", 1}, {"D6", 2},
    {"E6", 2}, {"D6", 1}, {"C6", 1}, {"G5", 2}, {"E5", 2},
    {"F5", 1}, {"A5", 1}, {"C6", 1}, {"A5", 1}, {"G5", 1}, {"B5", 1}, {"D6", 2},
    {"C6", 6}, {nullptr, 2},
};

// Two chords a bar for the first six bars: root of the bass, then the chord's notes.
struct Chord {
    const char* bass;
    std::vector<const char*> notes;
};
const std::vector<Chord> chords = {
    {"C3", {"C4", "E4", "G4"}}, {"C3", {"C4", "E4", "G4"}},
    {"F2", {"C4", "F4", "A4"}}, {"G2", {"B3", "D4", "G4"}},
    {"A2", {"C4", "E4", "A4"}}, {"F2", {"C4", "F4", "A4"}},
    {"G2", {"B3", "D4", "G4"}}, {"G2", {"B3", "D4", "F4"}},
    {"C3", {"C4", "E4", "G4"}}, {"A2", {"C4", "E4", "A4"}},
    {"F2", {"C4", "F4", "A4"}}, {"G2", {"B3", "D4", "F4"}},
};

} // namespace

void WriteMusic(const QString& contentDir)
{
    constexpr int Melody = 0, Piano = 1, Bass = 2, Drums = 9;
    constexpr int bars = 6; // then the closing chord

    Track conductor;
    conductor.Meta(0, 0x03, "Globana - good");
    conductor.Meta(0, 0x58, std::string("\x04\x02\x18\x08", 4)); // 4/4
    const std::uint32_t microsPerBeat = 60000000 / 140;
    conductor.Meta(0, 0x51, Track::Be32(microsPerBeat).substr(1));

    Track lead;
    lead.Meta(0, 0x03, "Melody");
    lead.Program(Melody, 12); // marimba
    lead.Control(Melody, 7, 127); // channel volume: the melody leads
    int tick = 0;
    for (const Step& s : melody) {
        const int length = s.eighths * Beat / 2;
        if (s.note)
            lead.Note(Melody, tick, length - 20, Key(s.note), s.eighths >= 6 ? 96 : 104);
        tick += length;
    }

    Track piano;
    piano.Meta(0, 0x03, "Piano");
    piano.Program(Piano, 0);
    piano.Control(Piano, 7, 100);
    piano.Control(Piano, 10, 44); // a little to the left
    Track bass;
    bass.Meta(0, 0x03, "Bass");
    bass.Program(Bass, 33); // finger bass
    bass.Control(Bass, 7, 115);
    for (int half = 0; half < 2 * bars; ++half) {
        const Chord& c = chords[static_cast<std::size_t>(half)];
        const int start = half * 2 * Beat;
        // Short piano chords on the off-beats, a bouncing bass of root and octave.
        for (int offbeat : {Beat / 2, Beat + Beat / 2})
            for (const char* n : c.notes)
                piano.Note(Piano, start + offbeat, Beat / 3, Key(n), 62);
        bass.Note(Bass, start, Beat - 40, Key(c.bass), 96);
        bass.Note(Bass, start + Beat, Beat - 40, Key(c.bass) + 12, 84);
    }
    const int end = bars * Bar;
    for (const char* n : {"C4", "E4", "G4", "C5"})
        piano.Note(Piano, end, 3 * Beat, Key(n), 76);
    bass.Note(Bass, end, 3 * Beat, Key("C2"), 100);

    Track drums;
    drums.Meta(0, 0x03, "Drums");
    drums.Control(Drums, 7, 110);
    constexpr int kick = 36, snare = 38, hat = 42, crash = 49;
    for (int bar = 0; bar < bars; ++bar) {
        const int start = bar * Bar;
        for (int e = 0; e < 8; ++e)
            drums.Note(Drums, start + e * Beat / 2, Beat / 4, hat, e % 2 ? 46 : 62);
        drums.Note(Drums, start, Beat / 4, kick, 96);
        drums.Note(Drums, start + 2 * Beat, Beat / 4, kick, 90);
        drums.Note(Drums, start + Beat, Beat / 4, snare, 80);
        drums.Note(Drums, start + 3 * Beat, Beat / 4, snare, 84);
    }
    drums.Note(Drums, end - Beat / 2, Beat / 4, snare, 70); // pick-up into the last chord
    drums.Note(Drums, end, Beat / 2, kick, 100);
    drums.Note(Drums, end, Beat / 2, crash, 84);

    std::string file = "MThd" + Track::Be32(6);
    file += std::string("\x00\x01", 2); // format 1
    file += std::string("\x00\x05", 2); // five tracks
    file += std::string(1, static_cast<char>(Division >> 8)) + static_cast<char>(Division & 0xFF);
    for (Track* t : {&conductor, &lead, &piano, &bass, &drums})
        file += t->Chunk();
    WriteBytes(contentDir + "/good.mid", file);
}

} // namespace shellcontent
