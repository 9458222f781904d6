// The program's audio engine: one background-music channel that plays a file
// once, replacing whatever played before. It resolves names through the file
// utilities, clamps the volume and logs failures; the sound itself is made
// by an AudioBackend (SDL2_mixer by default, a simulated one in tests).
#pragma once

#include "audio/AudioBackend.h"

#include <memory>

namespace cc {

class SimulatedAudioBackend;

class SimpleAudioEngine {
public:
    static SimpleAudioEngine* sharedEngine();
    // Destroys the shared engine and its backend; the next sharedEngine()
    // builds a fresh one on the real backend.
    static void end();

    // Plays the file once. A missing, empty or undecodable file plays
    // nothing, leaves the channel silent and writes one log line. loop is
    // accepted for the usual call shape; tracks never loop.
    void playBackgroundMusic(const char* path, bool loop = false);
    void stopBackgroundMusic();
    bool isBackgroundMusicPlaying();
    // 0 is silent, 1 full volume; values outside are clamped.
    void setBackgroundMusicVolume(float volume);
    float getBackgroundMusicVolume();
    // How fast every later track plays, its pitch kept: 1 as recorded, 0.5
    // twice as long, 2 half as long. Values outside kMinMusicSpeed ..
    // kMaxMusicSpeed are clamped, NaN gives 1. A sounding track keeps its
    // speed. The speed stays with the engine when the backend is replaced.
    void setBackgroundMusicSpeed(float speed);
    float getBackgroundMusicSpeed() const { return m_speed; }
    static constexpr float kMinMusicSpeed = 0.5f;
    static constexpr float kMaxMusicSpeed = 2.0f;
    // Opens the sound output now rather than at the first play.
    void prepareOutput();

    // Replaces the backend (the old one is stopped and destroyed). Null puts
    // the default real backend back on next use.
    void setBackend(std::unique_ptr<AudioBackend> backend);
    AudioBackend* backend();
    // The installed backend when it is the simulated one, else null: the
    // frame driver advances its clock, tests read its record.
    SimulatedAudioBackend* simulatedBackend();
    // Installs a fresh simulated backend and returns it.
    SimulatedAudioBackend* useSimulatedBackend();
    // Moves the simulated backend's clock on by dt; does nothing (and creates
    // nothing) when no engine or no simulated backend is there. Made to be
    // handed to a frame driver as its per-frame clock listener.
    static void advanceSimulatedClock(double dt);

private:
    SimpleAudioEngine() = default;

    std::unique_ptr<AudioBackend> m_backend;
    float m_speed = 1.0f;
};

} // namespace cc
