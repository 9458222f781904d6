// Real playback of one MP3 at a time with SDL2_mixer.
#include "audio/MixerAudioBackend.h"

#include "audio/MixerDevice.h"

#include <SDL_mixer.h>

#include <cmath>

namespace cc {

namespace {
// Mix_PlayMusic's loop count: 0 plays the track once.
constexpr int kPlayOnce = 0;
} // namespace

MixerAudioBackend::MixerAudioBackend() = default;

void MixerAudioBackend::prepare()
{
    // A failure is logged by the device and reported again by each play.
    std::string ignored;
    ensureDevice(ignored);
}

MixerAudioBackend::~MixerAudioBackend()
{
    stop();
    if (m_deviceHeld) {
        MixerDevice::release();
    }
}

bool MixerAudioBackend::ensureDevice(std::string& error)
{
    if (m_deviceHeld) {
        return true;
    }
    if (m_deviceFailed) {
        error = "no audio output";
        return false;
    }
    if (!MixerDevice::acquire(MixerDevice::Mode::PreferHardware, error)) {
        m_deviceFailed = true;
        return false;
    }
    m_deviceHeld = true;
    applyVolume();
    return true;
}

bool MixerAudioBackend::play(const std::string& name, const std::string& fullPath, std::string& error)
{
    stop();
    if (!ensureDevice(error)) {
        return false;
    }
    m_music = Mix_LoadMUS(fullPath.c_str());
    if (!m_music) {
        error = Mix_GetError();
        return false;
    }
    if (Mix_PlayMusic(m_music, kPlayOnce) != 0) {
        error = Mix_GetError();
        Mix_FreeMusic(m_music);
        m_music = nullptr;
        return false;
    }
    return true;
}

void MixerAudioBackend::stop()
{
    if (m_music) {
        Mix_HaltMusic();
        Mix_FreeMusic(m_music);
        m_music = nullptr;
    }
}

bool MixerAudioBackend::isPlaying() const
{
    return m_music && Mix_PlayingMusic() != 0;
}

void MixerAudioBackend::setVolume(float volume)
{
    // Kept for later tracks, and for nothing when the device never opened.
    m_volume = volume;
    if (m_deviceHeld) {
        applyVolume();
    }
}

void MixerAudioBackend::applyVolume() const
{
    Mix_VolumeMusic(static_cast<int>(std::lround(m_volume * MIX_MAX_VOLUME)));
}

} // namespace cc
