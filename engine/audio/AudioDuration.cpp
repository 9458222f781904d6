// Decoding a whole file into a mixer chunk and dividing its byte count by the
// mixer's fixed output rate.
#include "audio/AudioDuration.h"

#include "audio/MixerDevice.h"
#include "audio/SoundFile.h"

#include <SDL_mixer.h>

namespace cc {

namespace {
// Holds the mixer open for probing until the process ends, so a test that
// plays many files does not reopen the device for each one.
bool holdProbeDevice(std::string& error)
{
    static bool held = false;
    if (!held) {
        held = MixerDevice::acquire(MixerDevice::Mode::DummyOnly, error);
    }
    return held;
}
} // namespace

double decodedAudioDuration(const std::string& fullPath, std::string& error)
{
    if (!holdProbeDevice(error)) {
        return -1.0;
    }
    SDL_RWops* file = openSoundFile(fullPath, error);
    if (!file) {
        return -1.0;
    }
    // The whole track is decoded below: its length is judged first, from
    // what the decoder can tell without decoding it.
    const int kKeepFile = 0;
    Mix_Music* music = Mix_LoadMUS_RW(file, kKeepFile);
    const bool withinBound = !music || soundWithinDuration(music, error);
    if (music) {
        Mix_FreeMusic(music);
    }
    if (!withinBound || SDL_RWseek(file, 0, RW_SEEK_SET) != 0) {
        if (withinBound) error = "cannot be read";
        SDL_RWclose(file);
        return -1.0;
    }
    const int kCloseFile = 1;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, kCloseFile);
    if (!chunk) {
        error = Mix_GetError();
        return -1.0;
    }
    const double seconds = static_cast<double>(chunk->alen) / MixerDevice::bytesPerFrame() / MixerDevice::frequency();
    Mix_FreeChunk(chunk);
    if (seconds <= 0.0) {
        error = "no samples";
        return -1.0;
    }
    return seconds;
}

} // namespace cc
