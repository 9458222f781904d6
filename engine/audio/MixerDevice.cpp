// Reference-counted opening of SDL audio plus the mixer, with the fallback to
// the dummy driver for machines without a sound card.
#include "audio/MixerDevice.h"

#include "base/CCLog.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace cc {

namespace {

// 512 frames at 44.1 kHz is 11.6 ms per buffer: a narration starts within a
// buffer or two of the tap. The mixer's usual 2,048 would add ~46 ms each.
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 512;
constexpr int kBytesPerSample = 2; // AUDIO_S16SYS
constexpr const char* kDummyDriver = "dummy";

int s_users = 0;
bool s_sdlAudioHeld = false;

bool openMixer()
{
    // No changes allowed: SDL converts to whatever the device wants, so the
    // mixer's own format is always the one above and callers can rely on it.
    constexpr int kNoChanges = 0;
    return Mix_OpenAudioDevice(kFrequency, AUDIO_S16SYS, kChannels, kBufferFrames, nullptr, kNoChanges) == 0;
}

bool holdSdlAudio()
{
    if (!s_sdlAudioHeld && SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        s_sdlAudioHeld = true;
    }
    return s_sdlAudioHeld;
}

void dropSdlAudio()
{
    if (s_sdlAudioHeld) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        s_sdlAudioHeld = false;
    }
}

bool openHardware(std::string& error)
{
    if (!holdSdlAudio()) {
        error = SDL_GetError();
        return false;
    }
    if (!openMixer()) {
        error = SDL_GetError();
        dropSdlAudio();
        return false;
    }
    return true;
}

bool openDummy(std::string& error)
{
    // The hint only matters while the subsystem starts; it is put back so a
    // later hardware open is not forced silent.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, kDummyDriver, SDL_HINT_OVERRIDE);
    bool held = holdSdlAudio();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (!held) {
        error = SDL_GetError();
        return false;
    }
    // Someone else may keep the subsystem alive on a real driver that has no
    // device; switch the driver itself then.
    const char* current = SDL_GetCurrentAudioDriver();
    if (!current || SDL_strcmp(current, kDummyDriver) != 0) {
        if (SDL_AudioInit(kDummyDriver) != 0) {
            error = SDL_GetError();
            dropSdlAudio();
            return false;
        }
    }
    if (!openMixer()) {
        error = SDL_GetError();
        dropSdlAudio();
        return false;
    }
    return true;
}

} // namespace

bool MixerDevice::acquire(Mode mode, std::string& error)
{
    if (s_users > 0) {
        ++s_users;
        return true;
    }
    Mix_Init(MIX_INIT_MP3);
    bool opened = false;
    if (mode == Mode::PreferHardware) {
        std::string why;
        opened = openHardware(why);
        if (!opened) {
            CCLog("audio: no sound device (%s); playing silently", why.c_str());
        }
    }
    if (!opened) {
        opened = openDummy(error);
    }
    if (!opened) {
        Mix_Quit();
        return false;
    }
    s_users = 1;
    return true;
}

void MixerDevice::release()
{
    if (s_users == 0) {
        return;
    }
    if (--s_users == 0) {
        Mix_HaltMusic();
        Mix_CloseAudio();
        Mix_Quit();
        dropSdlAudio();
    }
}

bool MixerDevice::isOpen() { return s_users > 0; }

std::string MixerDevice::driverName()
{
    const char* name = s_users > 0 ? SDL_GetCurrentAudioDriver() : nullptr;
    return name ? name : "";
}

int MixerDevice::bufferFrames() { return kBufferFrames; }

int MixerDevice::frequency() { return kFrequency; }

int MixerDevice::channels() { return kChannels; }

int MixerDevice::bytesPerFrame() { return kChannels * kBytesPerSample; }

} // namespace cc
