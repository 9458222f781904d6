// The stretch itself is libsonic's (made for speech: it repeats or drops
// whole pitch periods, so the voice keeps its pitch). This file only feeds it
// the track in pieces and drains it.
#include "audio/TimeStretch.h"

#include <sonic.h>

#include <algorithm>
#include <cmath>

namespace cc {

namespace {
// Input handed to the stretcher at a time: about 46 ms at 44.1 kHz, so one
// device buffer never waits on more than a small piece of work.
constexpr size_t kFeedFrames = 2048;
// A speed within this of 1 is taken as 1.
constexpr float kUnitSpeedTolerance = 1e-4f;
// The piece size stretchedFrames() reads in: the mixer's device buffer.
constexpr int kProbeReadFrames = 512;
// A sample counts as sound from about -42 dBFS up; the silence an encoder or
// a speech synthesiser puts before a word stays below it.
constexpr int kAudibleLevel = 256;

// Frames before the first one with an audible sample on any channel.
size_t silentLeadIn(const std::vector<int16_t>& samples, int channels)
{
    for (size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] >= kAudibleLevel || samples[i] <= -kAudibleLevel) {
            return i / static_cast<size_t>(channels);
        }
    }
    return samples.size() / static_cast<size_t>(channels);
}
} // namespace

bool isUnstretchedSpeed(float speed) { return std::fabs(speed - 1.0f) < kUnitSpeedTolerance; }

TimeStretch::TimeStretch(std::vector<int16_t> samples, int channels, int sampleRate, float speed)
    : m_input(std::move(samples)), m_channels(channels > 0 ? channels : 1),
      m_inputFrames(m_input.size() / static_cast<size_t>(m_channels))
{
    if (m_inputFrames == 0 || sampleRate <= 0 || !(speed > 0.0f)) {
        m_ended = true;
        return;
    }
    m_stream = sonicCreateStream(sampleRate, m_channels);
    if (m_stream) {
        sonicSetSpeed(m_stream, speed);
    } else {
        m_ended = true;
    }
    if (speed < 1.0f) {
        m_leadInFrames = silentLeadIn(m_input, m_channels);
        m_fedFrames = m_leadInFrames;
    }
}

TimeStretch::~TimeStretch()
{
    if (m_stream) {
        sonicDestroyStream(m_stream);
    }
}

bool TimeStretch::feed()
{
    if (m_fedFrames < m_inputFrames) {
        const size_t frames = std::min(kFeedFrames, m_inputFrames - m_fedFrames);
        int16_t* piece = m_input.data() + m_fedFrames * static_cast<size_t>(m_channels);
        if (!sonicWriteShortToStream(m_stream, piece, static_cast<int>(frames))) {
            // Out of memory: end here rather than loop on the same piece.
            m_fedFrames = m_inputFrames;
            m_flushed = true;
            return false;
        }
        m_fedFrames += frames;
        return true;
    }
    if (!m_flushed) {
        // Everything held back for pitch matching comes out now.
        sonicFlushStream(m_stream);
        m_flushed = true;
        return true;
    }
    return false;
}

int TimeStretch::readLeadIn(int16_t* out, int frames)
{
    const size_t n = std::min(static_cast<size_t>(frames), m_leadInFrames - m_leadInDone);
    const size_t values = n * static_cast<size_t>(m_channels);
    std::copy_n(m_input.data() + m_leadInDone * static_cast<size_t>(m_channels), values, out);
    m_leadInDone += n;
    return static_cast<int>(n);
}

int TimeStretch::read(int16_t* out, int frames)
{
    if (!m_stream || m_ended || frames <= 0) {
        return 0;
    }
    int done = readLeadIn(out, frames);
    while (done < frames) {
        done += sonicReadShortFromStream(m_stream, out + static_cast<size_t>(done) * m_channels, frames - done);
        if (done < frames && !feed()) {
            // Nothing more to feed: drain what the last feed left, then stop.
            done += sonicReadShortFromStream(m_stream, out + static_cast<size_t>(done) * m_channels,
                                             frames - done);
            if (done < frames) {
                m_ended = true;
            }
            break;
        }
    }
    return done;
}

long TimeStretch::stretchedFrames(std::vector<int16_t> samples, int channels, int sampleRate, float speed)
{
    TimeStretch stretch(std::move(samples), channels, sampleRate, speed);
    std::vector<int16_t> scratch(static_cast<size_t>(kProbeReadFrames) * stretch.m_channels);
    long total = 0;
    while (!stretch.ended()) {
        total += stretch.read(scratch.data(), kProbeReadFrames);
    }
    return total;
}

} // namespace cc
