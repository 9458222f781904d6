// Decoding a whole file into a mixer chunk and dividing its byte count by the
// mixer's fixed output rate; a stretched duration counts the stretcher's
// output frames instead.
#include "audio/AudioDuration.h"

#include "audio/MixerDevice.h"
#include "audio/SoundFile.h"
#include "audio/TimeStretch.h"

#include <SDL_mixer.h>

#include <cstring>

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

// The decoded file in the mixer's format, or null (and error). The file is
// opened through the book-file guard, and its length is judged before the
// whole track is decoded, from what the decoder can tell without decoding it.
Mix_Chunk* loadChunk(const std::string& fullPath, std::string& error)
{
    SDL_RWops* file = openSoundFile(fullPath, error);
    if (!file) {
        return nullptr;
    }
    const int kKeepFile = 0;
    Mix_Music* music = Mix_LoadMUS_RW(file, kKeepFile);
    const bool withinBound = !music || soundWithinDuration(music, error);
    if (music) {
        Mix_FreeMusic(music);
    }
    if (!withinBound || SDL_RWseek(file, 0, RW_SEEK_SET) != 0) {
        if (withinBound) error = "cannot be read";
        SDL_RWclose(file);
        return nullptr;
    }
    const int kCloseFile = 1;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, kCloseFile);
    if (!chunk) {
        error = Mix_GetError();
    }
    return chunk;
}
} // namespace

double decodedAudioDuration(const std::string& fullPath, std::string& error)
{
    if (!holdProbeDevice(error)) {
        return -1.0;
    }
    Mix_Chunk* chunk = loadChunk(fullPath, error);
    if (!chunk) {
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

double decodedAudioDuration(const std::string& fullPath, float speed, std::string& error)
{
    if (isUnstretchedSpeed(speed)) {
        return decodedAudioDuration(fullPath, error);
    }
    if (!holdProbeDevice(error)) {
        return -1.0;
    }
    std::vector<int16_t> samples;
    if (!decodeAudioFile(fullPath, samples, error)) {
        return -1.0;
    }
    const long frames =
        TimeStretch::stretchedFrames(std::move(samples), MixerDevice::channels(), MixerDevice::frequency(), speed);
    if (frames <= 0) {
        error = "nothing left after the time stretch";
        return -1.0;
    }
    return static_cast<double>(frames) / MixerDevice::frequency();
}

bool decodeAudioFile(const std::string& fullPath, std::vector<int16_t>& samples, std::string& error)
{
    samples.clear();
    Mix_Chunk* chunk = loadChunk(fullPath, error);
    if (!chunk) {
        return false;
    }
    const size_t count = chunk->alen / sizeof(int16_t);
    samples.resize(count);
    if (count > 0) {
        std::memcpy(samples.data(), chunk->abuf, count * sizeof(int16_t));
    }
    Mix_FreeChunk(chunk);
    if (samples.size() < static_cast<size_t>(MixerDevice::channels())) {
        error = "no samples";
        samples.clear();
        return false;
    }
    return true;
}

} // namespace cc
