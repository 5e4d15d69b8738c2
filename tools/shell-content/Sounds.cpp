// The three sound effects, synthesised: a soft pop, a two-note chime and a short rattle.
// 16-bit PCM, 44.1 kHz, mono. Noise comes from a fixed-seed generator, so every run writes the
// same bytes.
#include "ShellContent.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <functional>

namespace shellcontent {
namespace {

constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;

void Put16(std::string& out, int v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

// A canonical RIFF/WAVE file: "fmt " chunk of 16 bytes, then "data".
std::string WavFile(const std::vector<double>& samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    Put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);        // PCM
    Put16(out, 1);        // mono
    Put32(out, Rate);
    Put32(out, Rate * 2); // bytes per second
    Put16(out, 2);        // block align
    Put16(out, 16);       // bits per sample
    out += "data";
    Put32(out, dataBytes);
    for (double s : samples) {
        const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        Put16(out, static_cast<int>(v));
    }
    return out;
}

// Renders seconds of sound; the last 8 ms fade to silence so playback ends without a click.
std::vector<double> Render(double seconds, const std::function<double(double)>& at)
{
    const int n = static_cast<int>(seconds * Rate);
    const int fade = Rate * 8 / 1000;
    std::vector<double> s(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        double v = at(static_cast<double>(i) / Rate);
        if (i >= n - fade)
            v *= static_cast<double>(n - 1 - i) / fade;
        s[static_cast<std::size_t>(i)] = v;
    }
    return s;
}

// Scales to the given peak, so the three sounds sit at a similar, moderate loudness.
void Normalise(std::vector<double>& s, double peak)
{
    double most = 0;
    for (double v : s)
        most = std::max(most, std::abs(v));
    if (most > 0)
        for (double& v : s)
            v *= peak / most;
}

// The pop: a sine whose pitch drops fast from about 700 Hz to 180 Hz, like a cork.
std::vector<double> Pop()
{
    double phase = 0;
    auto s = Render(0.14, [&](double t) {
        const double f = 180.0 + 520.0 * std::exp(-t / 0.018);
        phase += 2 * Pi * f / Rate;
        const double env = (1 - std::exp(-t / 0.0015)) * std::exp(-t / 0.035);
        return env * (std::sin(phase) + 0.15 * std::sin(2 * phase));
    });
    Normalise(s, 0.7);
    return s;
}

// One struck bell note: a few partials, the higher ones dying sooner.
double Bell(double t, double f)
{
    if (t < 0)
        return 0;
    const double attack = 1 - std::exp(-t / 0.002);
    const double partials[][3] = {{1.0, 1.0, 0.22}, {2.0, 0.30, 0.10}, {3.0, 0.10, 0.06}, {4.2, 0.06, 0.03}};
    double v = 0;
    for (const auto& p : partials)
        v += p[1] * std::sin(2 * Pi * f * p[0] * t) * std::exp(-t / p[2]);
    return attack * v;
}

// The chime: C6 and then E6 and G6, a rising major arpeggio of bell tones.
std::vector<double> Chime()
{
    auto s = Render(0.5, [](double t) {
        return Bell(t, 1046.50) + 0.9 * Bell(t - 0.07, 1318.51) + 0.8 * Bell(t - 0.14, 1567.98);
    });
    Normalise(s, 0.6);
    return s;
}

// The rattle: a low buzz (band-limited sawtooth gliding 150 -> 105 Hz) chopped 26 times a second,
// with a little noise on each stroke, then smoothed by a two-pole low-pass so it is not harsh.
std::vector<double> Rattle()
{
    std::uint32_t noise = 0x2545F491u;
    double phase = 0, lowpass = 0, lowpass2 = 0;
    auto s = Render(0.34, [&](double t) {
        const double f = 105.0 + 45.0 * std::exp(-t / 0.12);
        phase += 2 * Pi * f / Rate;
        double saw = 0;
        for (int k = 1; k <= 12; ++k)
            saw += std::sin(k * phase) / k;
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        const double white = static_cast<double>(noise) / 4294967295.0 * 2 - 1;
        const double stroke = std::fmod(t * 26.0, 1.0); // 0..1 within one stroke of the rattle
        const double chop = std::exp(-stroke / 0.35);
        const double env = (1 - std::exp(-t / 0.004)) * std::exp(-t / 0.2);
        lowpass += 0.35 * ((saw + 0.6 * white) * chop - lowpass);
        lowpass2 += 0.35 * (lowpass - lowpass2);
        return env * lowpass2;
    });
    Normalise(s, 0.7); // a low buzz sounds quieter than a bright chime at the same peak
    return s;
}

} // namespace

void WriteSounds(const QString& contentDir)
{
    WriteBytes(contentDir + "/Plopp.WAV", WavFile(Pop()));
    WriteBytes(contentDir + "/Plopp4.WAV", WavFile(Chime()));
    WriteBytes(contentDir + "/Rassel11.WAV", WavFile(Rattle()));
}

} // namespace shellcontent
