// Playing a decoded track faster or slower with its pitch kept, on libsonic:
// the track goes in whole, the stretched samples come out in whatever pieces
// the caller asks for, so a player can stream them while a duration probe
// counts them the same way. Decoding and the device are the callers'.
// Slowing down leaves the silence before the first audible sample as
// recorded, so a slow word is heard as soon after the tap as a normal one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct sonicStreamStruct;

namespace cc {

// Speeds this close to 1 leave the sound as recorded: callers play it
// without a stretcher at all.
bool isUnstretchedSpeed(float speed);

class TimeStretch {
public:
    // samples are interleaved 16-bit frames of `channels` values each.
    TimeStretch(std::vector<int16_t> samples, int channels, int sampleRate, float speed);
    ~TimeStretch();
    TimeStretch(const TimeStretch&) = delete;
    TimeStretch& operator=(const TimeStretch&) = delete;

    // False when the stretcher could not be made (out of memory, no frames).
    bool isReady() const { return m_stream != nullptr; }

    // Writes up to `frames` stretched frames to out and returns how many;
    // fewer only once the whole track has come out (then ended() is true).
    int read(int16_t* out, int frames);
    bool ended() const { return m_ended; }

    // The number of frames the whole track comes to: read to the end in
    // player-sized pieces, so it matches what a player hands the device.
    static long stretchedFrames(std::vector<int16_t> samples, int channels, int sampleRate, float speed);

private:
    // Hands the stretcher its next piece of input, or the end of it.
    // False when nothing is left to give.
    bool feed();
    // Copies up to `frames` frames of the unstretched lead-in to out.
    int readLeadIn(int16_t* out, int frames);

    std::vector<int16_t> m_input;
    int m_channels;
    size_t m_inputFrames;
    size_t m_leadInFrames = 0; // played as recorded
    size_t m_leadInDone = 0;
    size_t m_fedFrames = 0;
    bool m_flushed = false;
    bool m_ended = false;
    sonicStreamStruct* m_stream = nullptr;
};

} // namespace cc
