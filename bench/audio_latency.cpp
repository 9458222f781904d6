// Measures how long a playBackgroundMusic call takes to reach the device on
// the real SDL2_mixer backend: the call itself (lookup, open, decoder set-up),
// the wait until the mixer hands the buffer holding the track's first sample
// to the driver, and the wait until a sample loud enough to hear is handed
// over (this last one includes the silence an MP3 encoder puts in front of
// every file). The device then plays the buffer out, up to one buffer more on
// real hardware. At a speed other than 1 the call also decodes the whole file
// for the time stretch. Usage: audio_latency [file.mp3] [runs] [speed]
#include "audio/MixerDevice.h"
#include "audio/SimpleAudioEngine.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace cc;
using Clock = std::chrono::steady_clock;

namespace {

// A sample counts as sound from about -42 dBFS up; the decoder's lead-in and
// the encoder's padding stay below that.
constexpr int kAudibleLevel = 256;

std::atomic<bool> s_armed{false};
std::atomic<long long> s_playReturnedNs{0};
std::atomic<long long> s_firstBufferNs{0};
std::atomic<long long> s_firstSoundNs{0};
std::atomic<int> s_bufferBytes{0};

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// Runs on the audio thread after each buffer is mixed, just before SDL hands
// it to the driver.
void afterMix(void*, Uint8* stream, int len)
{
    s_bufferBytes.store(len);
    if (!s_armed.load()) {
        return;
    }
    // Mix_PlayMusic (Mix_HookMusic for a stretched track) holds the audio
    // lock that every mix runs under, so the first mix to finish after the
    // call returned started the track.
    const long long now = nowNs();
    const long long returned = s_playReturnedNs.load();
    if (returned != 0 && now >= returned && s_firstBufferNs.load() == 0) {
        s_firstBufferNs.store(now);
    }
    const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
    for (int i = 0; i < len / 2; ++i) {
        if (samples[i] >= kAudibleLevel || samples[i] <= -kAudibleLevel) {
            s_firstSoundNs.store(now);
            s_armed.store(false);
            return;
        }
    }
}

double ms(long long ns) { return ns / 1e6; }

std::string defaultFile()
{
    std::string here = __FILE__; // .../bench/audio_latency.cpp
    here = here.substr(0, here.find_last_of('/'));
    return here + "/../tests/data/audio/tone_long.mp3";
}

void printStats(const char* what, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    std::printf("%-34s min %6.2f  median %6.2f  p90 %6.2f  max %6.2f ms\n", what, v.front(), v[v.size() / 2],
                v[v.size() * 9 / 10], v.back());
}

} // namespace

int main(int argc, char** argv)
{
    const std::string file = argc > 1 ? argv[1] : defaultFile();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 40;
    const float speed = argc > 3 ? static_cast<float>(std::atof(argv[3])) : 1.0f;
    SimpleAudioEngine* engine = SimpleAudioEngine::sharedEngine();
    engine->setBackgroundMusicSpeed(speed);

    // The engine's first use opens the device; then the first play of all.
    long long t0 = nowNs();
    engine->backend();
    const double openMs = ms(nowNs() - t0);
    t0 = nowNs();
    engine->playBackgroundMusic(file.c_str());
    const double coldCallMs = ms(nowNs() - t0);
    if (!engine->isBackgroundMusicPlaying()) {
        std::printf("cannot play %s\n", file.c_str());
        return 1;
    }
    Mix_SetPostMix(afterMix, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    std::mt19937 random(7);
    std::uniform_int_distribution<int> pauseMs(20, 60);
    std::vector<double> callMs, bufferWaitMs, soundMs;
    for (int run = 0; run < runs; ++run) {
        engine->stopBackgroundMusic();
        // Random pauses so the calls land at every phase of the buffer cycle.
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs(random)));
        s_firstSoundNs.store(0);
        s_firstBufferNs.store(0);
        s_playReturnedNs.store(0);
        t0 = nowNs();
        s_armed.store(true);
        engine->playBackgroundMusic(file.c_str());
        const long long t1 = nowNs();
        s_playReturnedNs.store(t1);
        while (s_firstSoundNs.load() == 0 && nowNs() - t0 < 2000000000LL) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (s_firstSoundNs.load() == 0) {
            std::printf("run %d: no sound within 2 s\n", run);
            continue;
        }
        callMs.push_back(ms(t1 - t0));
        bufferWaitMs.push_back(ms(s_firstBufferNs.load() - t0));
        soundMs.push_back(ms(s_firstSoundNs.load() - t0));
    }
    engine->stopBackgroundMusic();
    Mix_SetPostMix(nullptr, nullptr);

    const int frames = s_bufferBytes.load() / MixerDevice::bytesPerFrame();
    const double bufferMs = 1000.0 * frames / MixerDevice::frequency();
    std::printf("driver %s, buffer %d frames at %d Hz = %.1f ms, speed %.2fx, file %s\n",
                MixerDevice::driverName().c_str(), frames, MixerDevice::frequency(), bufferMs,
                engine->getBackgroundMusicSpeed(), file.c_str());
    std::printf("device open on first use            %6.2f ms\n", openMs);
    std::printf("first play call                     %6.2f ms\n", coldCallMs);
    if (soundMs.empty()) {
        return 1;
    }
    printStats("play call returns", callMs);
    printStats("play call to first sample handed", bufferWaitMs);
    printStats("play call to first loud sample", soundMs);
    std::sort(bufferWaitMs.begin(), bufferWaitMs.end());
    std::printf("first sample out of a real device (max + one buffer) %.2f ms\n", bufferWaitMs.back() + bufferMs);
    SimpleAudioEngine::end();
    return 0;
}
