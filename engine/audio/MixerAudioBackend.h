// The backend that really plays: MP3 through SDL2_mixer's music channel on
// the shared MixerDevice (silently on the dummy driver when there is no sound
// card). The device opens when the backend is made, which SimpleAudioEngine
// does on its first use, so the first narration does not pay for it.
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

private:
    bool ensureDevice(std::string& error);
    void applyVolume() const;

    Mix_Music* m_music = nullptr;
    bool m_deviceHeld = false;
    bool m_deviceFailed = false;
    float m_volume = 1.0f;
};

} // namespace cc
