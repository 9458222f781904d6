// Real playback of one MP3 at a time with SDL2_mixer; at a speed other than
// 1 through the music hook, fed from the time stretch.
#include "audio/MixerAudioBackend.h"

#include "audio/AudioDuration.h"
#include "audio/MixerDevice.h"
#include "audio/SoundFile.h"
#include "audio/TimeStretch.h"

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
    if (!isUnstretchedSpeed(m_speed)) {
        return playStretched(fullPath, error);
    }
    SDL_RWops* file = openSoundFile(fullPath, error);
    if (!file) {
        return false;
    }
    const int kCloseFile = 1;
    m_music = Mix_LoadMUS_RW(file, kCloseFile);
    if (!m_music) {
        error = Mix_GetError();
        return false;
    }
    if (!soundWithinDuration(m_music, error)) {
        Mix_FreeMusic(m_music);
        m_music = nullptr;
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

bool MixerAudioBackend::playStretched(const std::string& fullPath, std::string& error)
{
    // The whole file is decoded here (a narration is a word or a sentence);
    // the stretch itself runs buffer by buffer on the audio thread, so the
    // first sound does not wait for the whole track to be stretched.
    std::vector<int16_t> samples;
    if (!decodeAudioFile(fullPath, samples, error)) {
        return false;
    }
    auto stretch = std::make_unique<TimeStretch>(std::move(samples), MixerDevice::channels(),
                                                 MixerDevice::frequency(), m_speed);
    if (!stretch->isReady()) {
        error = "the time stretch could not be started";
        return false;
    }
    m_stretch = std::move(stretch);
    m_stretchEnded.store(false);
    // Takes the mixer's lock: the next buffer is the track's first.
    Mix_HookMusic(&MixerAudioBackend::mixStretched, this);
    return true;
}

void MixerAudioBackend::mixStretched(void* backend, uint8_t* stream, int len)
{
    auto* self = static_cast<MixerAudioBackend*>(backend);
    if (!self->m_stretch || self->m_stretchEnded.load()) {
        return; // the buffer stays silent
    }
    const int frames = len / MixerDevice::bytesPerFrame();
    const size_t values = static_cast<size_t>(frames) * MixerDevice::channels();
    if (self->m_mixBuffer.size() < values) {
        self->m_mixBuffer.resize(values);
    }
    const int got = self->m_stretch->read(self->m_mixBuffer.data(), frames);
    if (got > 0) {
        SDL_MixAudioFormat(stream, reinterpret_cast<const Uint8*>(self->m_mixBuffer.data()), AUDIO_S16SYS,
                           static_cast<Uint32>(got * MixerDevice::bytesPerFrame()), self->m_mixVolume.load());
    }
    if (self->m_stretch->ended()) {
        self->m_stretchEnded.store(true);
    }
}

void MixerAudioBackend::stop()
{
    if (m_music) {
        Mix_HaltMusic();
        Mix_FreeMusic(m_music);
        m_music = nullptr;
    }
    if (m_stretch) {
        // Takes the mixer's lock, so no buffer is being filled from the
        // stretcher once it returns.
        Mix_HookMusic(nullptr, nullptr);
        m_stretch.reset();
        m_stretchEnded.store(true);
    }
}

bool MixerAudioBackend::isPlaying() const
{
    if (m_stretch) {
        return !m_stretchEnded.load();
    }
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

void MixerAudioBackend::applyVolume()
{
    const int level = static_cast<int>(std::lround(m_volume * MIX_MAX_VOLUME));
    Mix_VolumeMusic(level);
    // The stretched track is mixed by the hook, which the mixer's music
    // volume does not reach.
    m_mixVolume.store(level);
}

} // namespace cc
