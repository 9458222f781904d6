// The one background-music channel as a device: what SimpleAudioEngine asks
// of whatever actually makes (or pretends to make) the sound. Path lookup,
// volume clamping and logging stay in SimpleAudioEngine.
#pragma once

#include <string>

namespace cc {

class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Stops any current track, then starts fullPath once, without looping.
    // name is the path as the caller gave it, kept for records. On failure
    // nothing plays, error says why in a few words, and false comes back.
    virtual bool play(const std::string& name, const std::string& fullPath, std::string& error) = 0;
    virtual void stop() = 0;
    // True exactly while a track is sounding: false once it ended, was
    // stopped, or never started.
    virtual bool isPlaying() const = 0;
    // volume is already within 0..1; it applies to this and later tracks.
    virtual void setVolume(float volume) = 0;
    virtual float volume() const = 0;
    // speed is already within the engine's limits; it applies to the tracks
    // started from now on (a sounding track keeps its own). Other than 1 the
    // track is time-stretched with its pitch kept: 0.5 lasts twice as long.
    virtual void setSpeed(float speed) = 0;
    virtual float speed() const = 0;
    // Gets the output ready now instead of at the first play (opening a
    // sound device can take a while). Nothing to do by default.
    virtual void prepare() {}
};

} // namespace cc
