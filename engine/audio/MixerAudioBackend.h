// The backend that really plays: MP3 through SDL2_mixer's music channel on
// the shared MixerDevice (silently on the dummy driver when there is no sound
// card). The device opens on prepare() or at the first play, whichever comes
// first: start-up prepares it once the first frame is shown, so neither the
// first frame nor the first narration waits for it.
#pragma once

#include "audio/AudioBackend.h"

typedef struct _Mix_Music Mix_Music;

namespace cc {

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
    void prepare() override;

private:
    bool ensureDevice(std::string& error);
    void applyVolume() const;

    Mix_Music* m_music = nullptr;
    bool m_deviceHeld = false;
    bool m_deviceFailed = false;
    float m_volume = 1.0f;
};

} // namespace cc
