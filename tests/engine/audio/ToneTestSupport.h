// Tones made by the tests themselves and what is measured on sound: the
// length of the part that is not silent and the frequency from the
// zero crossings inside it. A scratch folder removes itself.
#pragma once

#include <cmath>
#include "ScratchFolder.h"
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace tonetest {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// Interleaved 16-bit frames of a sine at half scale on every channel.
inline std::vector<int16_t> sine(double seconds, double frequency, int channels, int rate = kRate)
{
    const size_t frames = static_cast<size_t>(seconds * rate);
    std::vector<int16_t> out(frames * channels);
    for (size_t i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(std::lround(16000.0 * std::sin(2 * kPi * frequency * i / rate)));
        for (int c = 0; c < channels; ++c) out[i * channels + c] = v;
    }
    return out;
}

// A mono 16-bit PCM WAV file.
inline bool writeWav(const std::string& path, const std::vector<int16_t>& mono, int rate = kRate)
{
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = static_cast<uint32_t>(mono.size() * 2);
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);          // PCM
    u16(1);          // mono
    u32(rate);
    u32(rate * 2);   // bytes a second
    u16(2);          // bytes a frame
    u16(16);         // bits
    out.write("data", 4);
    u32(bytes);
    out.write(reinterpret_cast<const char*>(mono.data()), bytes);
    return static_cast<bool>(out);
}

struct Measured {
    double seconds = 0;   // first to last sample above the silence level
    double frequency = 0; // rising zero crossings a second, inside that span
};

// Measures channel 0 of interleaved frames.
inline Measured measure(const std::vector<int16_t>& samples, int channels, int rate = kRate)
{
    const int kSilence = 200;
    const size_t frames = samples.size() / channels;
    size_t first = frames, last = 0;
    for (size_t i = 0; i < frames; ++i) {
        if (std::abs(samples[i * channels]) > kSilence) {
            if (first == frames) first = i;
            last = i;
        }
    }
    Measured m;
    if (first == frames) return m;
    m.seconds = static_cast<double>(last - first + 1) / rate;
    size_t crossings = 0, firstCrossing = 0, lastCrossing = 0;
    for (size_t i = first + 1; i <= last; ++i) {
        if (samples[(i - 1) * channels] < 0 && samples[i * channels] >= 0) {
            if (crossings == 0) firstCrossing = i;
            lastCrossing = i;
            ++crossings;
        }
    }
    if (crossings > 1) {
        m.frequency = (crossings - 1) * static_cast<double>(rate) / static_cast<double>(lastCrossing - firstCrossing);
    }
    return m;
}

// A fresh folder under /tmp, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder()
    {
        quibotest::ScratchTemplate pattern("quibo_tone_XXXXXX");
        const char* dir = mkdtemp(pattern);
        m_path = dir ? dir : "";
    }
    ~ScratchFolder()
    {
        if (!m_path.empty()) (void)std::system(("rm -rf '" + m_path + "'").c_str());
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace tonetest
