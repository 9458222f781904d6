// Virtual-time playback and the call record.
#include "audio/SimulatedAudioBackend.h"

#include "audio/AudioDuration.h"

namespace cc {

bool SimulatedAudioBackend::play(const std::string& name, const std::string& fullPath, std::string& error)
{
    m_playing = false;
    m_name = name;
    m_fullPath = fullPath;
    const double duration = decodedAudioDuration(fullPath, m_speed, error);
    if (duration < 0.0) {
        record(AudioEvent::Kind::Play, false, duration);
        return false;
    }
    m_playing = true;
    m_trackEnd = m_now + duration;
    record(AudioEvent::Kind::Play, true, duration);
    return true;
}

void SimulatedAudioBackend::stop()
{
    m_playing = false;
    record(AudioEvent::Kind::Stop);
}

bool SimulatedAudioBackend::isPlaying() const { return m_playing && m_now < m_trackEnd; }

void SimulatedAudioBackend::setVolume(float volume)
{
    m_volume = volume;
    record(AudioEvent::Kind::Volume);
}

void SimulatedAudioBackend::advance(double dt)
{
    if (dt <= 0.0) {
        return;
    }
    const double later = m_now + dt;
    if (m_playing && m_trackEnd <= later) {
        m_now = m_trackEnd;
        m_playing = false;
        record(AudioEvent::Kind::End);
    }
    m_now = later;
}

size_t SimulatedAudioBackend::countOf(AudioEvent::Kind kind) const
{
    size_t n = 0;
    for (const AudioEvent& e : m_record) {
        n += e.kind == kind ? 1 : 0;
    }
    return n;
}

const AudioEvent* SimulatedAudioBackend::last(AudioEvent::Kind kind) const
{
    for (auto it = m_record.rbegin(); it != m_record.rend(); ++it) {
        if (it->kind == kind) {
            return &*it;
        }
    }
    return nullptr;
}

void SimulatedAudioBackend::record(AudioEvent::Kind kind, bool ok, double duration)
{
    const bool aboutTrack = kind == AudioEvent::Kind::Play || kind == AudioEvent::Kind::End;
    m_record.push_back(AudioEvent{kind, m_now, aboutTrack ? m_name : std::string(),
                                  aboutTrack ? m_fullPath : std::string(), ok, duration, m_volume, m_speed});
}

} // namespace cc
