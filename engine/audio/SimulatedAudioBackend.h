// A backend for tests: nothing is heard, every call is written to a record,
// and a track "plays" for its real decoded duration (time-stretched when the
// speed is not 1) on a virtual clock that the test (or the frame driver, once
// per frame) moves with advance().
// Decoding goes through AudioDuration; SimpleAudioEngine does the logging.
#pragma once

#include "audio/AudioBackend.h"

#include <cstddef>
#include <string>
#include <vector>

namespace cc {

struct AudioEvent {
    enum class Kind { Play, Stop, Volume, End };

    Kind kind;
    double time;          // virtual seconds when it happened
    std::string name;     // Play and End: the path as the caller gave it
    std::string fullPath; // Play and End: the path that was opened
    bool ok;              // Play: whether the file decoded and started
    double duration;      // Play: decoded seconds, negative when it failed
    float volume;         // Volume: the value set
    float speed;          // Play: the speed the track was stretched to
};

class SimulatedAudioBackend : public AudioBackend {
public:
    bool play(const std::string& name, const std::string& fullPath, std::string& error) override;
    void stop() override;
    bool isPlaying() const override;
    void setVolume(float volume) override;
    float volume() const override { return m_volume; }
    void setSpeed(float speed) override { m_speed = speed; }
    float speed() const override { return m_speed; }

    // Moves the virtual clock on; a track whose end falls inside the step
    // ends there (an End event stamped with its exact end time).
    void advance(double dt);
    double now() const { return m_now; }

    const std::vector<AudioEvent>& record() const { return m_record; }
    size_t countOf(AudioEvent::Kind kind) const;
    // The latest event of a kind, or null.
    const AudioEvent* last(AudioEvent::Kind kind) const;
    void clearRecord() { m_record.clear(); }
    // Virtual second at which the current track ends; negative when silent.
    double currentTrackEnd() const { return m_playing ? m_trackEnd : -1.0; }

private:
    void record(AudioEvent::Kind kind, bool ok = true, double duration = 0.0);

    std::vector<AudioEvent> m_record;
    double m_now = 0.0;
    bool m_playing = false;
    double m_trackEnd = 0.0;
    std::string m_name;
    std::string m_fullPath;
    float m_volume = 1.0f;
    float m_speed = 1.0f;
};

} // namespace cc
