// The backend that really plays: MP3 through SDL2_mixer's music channel on
// the shared MixerDevice (silently on the dummy driver when there is no sound
// card). The device opens on prepare() or at the first play, whichever comes
// first: start-up prepares it once the first frame is shown, so neither the
// first frame nor the first narration waits for it. At a speed other than 1
// the track is decoded ahead and streamed through the time stretch in place
// of the mixer's own music player.
#pragma once

#include "audio/AudioBackend.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

typedef struct _Mix_Music Mix_Music;

namespace cc {

class TimeStretch;

class MixerAudioBackend : public AudioBackend {
public:
    MixerAudioBackend();
    ~MixerAudioBackend() override;
    MixerAudioBackend(const MixerAudioBackend&) = delete;
    MixerAudioBackend& operator=(const MixerAudioBackend&) = delete;

    bool play(const std::string& name, const std::string& fullPath, std::string& error) override;
    void stop() override;
    // Polls the mixer, so a track that ran out reports false at once.
    bool isPlaying() const override;
    void setVolume(float volume) override;
    float volume() const override { return m_volume; }
    void setSpeed(float speed) override { m_speed = speed; }
    float speed() const override { return m_speed; }
    void prepare() override;

private:
    bool ensureDevice(std::string& error);
    void applyVolume();
    bool playStretched(const std::string& fullPath, std::string& error);
    // The music hook: runs on the audio thread under the mixer's lock and
    // fills one device buffer from the stretcher.
    static void mixStretched(void* backend, uint8_t* stream, int len);

    Mix_Music* m_music = nullptr;
    bool m_deviceHeld = false;
    bool m_deviceFailed = false;
    float m_volume = 1.0f;
    float m_speed = 1.0f;

    // The stretched track: made before the hook is set and destroyed after
    // it is removed, so the audio thread only ever sees a whole one.
    std::unique_ptr<TimeStretch> m_stretch;
    std::vector<int16_t> m_mixBuffer;          // audio thread only
    std::atomic<bool> m_stretchEnded{true};    // written by the audio thread
    std::atomic<int> m_mixVolume{0};           // 0..MIX_MAX_VOLUME
};

} // namespace cc
