// The real SDL2_mixer backend. It must pass on a machine without a sound
// card, where the device falls back to the dummy driver. The volume is 0 so
// that a machine with speakers stays quiet.
#include "AudioTestFiles.h"

#include "audio/MixerDevice.h"
#include "audio/SimpleAudioEngine.h"
#include "base/CCLog.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace cc;

TEST(MixerAudio, TheDeviceOpensWhenPreparedOrAtTheFirstPlayNotBefore)
{
    SimpleAudioEngine::end();
    SimpleAudioEngine* engine = SimpleAudioEngine::sharedEngine();
    engine->setBackgroundMusicVolume(0.0f);
    engine->stopBackgroundMusic();
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    EXPECT_FALSE(MixerDevice::isOpen());
    engine->prepareOutput();
    EXPECT_TRUE(MixerDevice::isOpen());
    SimpleAudioEngine::end();
    EXPECT_FALSE(MixerDevice::isOpen());

    // Without preparing, the first play opens it, at the volume set before.
    engine = SimpleAudioEngine::sharedEngine();
    engine->setBackgroundMusicVolume(0.0f);
    engine->playBackgroundMusic(audioTestFile("tone_short.mp3").c_str());
    EXPECT_TRUE(MixerDevice::isOpen());
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    EXPECT_EQ(0, Mix_VolumeMusic(-1));
    SimpleAudioEngine::end();
}

TEST(MixerAudio, PlaysStopsAndNoticesTheEndOfATrack)
{
    SimpleAudioEngine::end();
    SimpleAudioEngine* engine = SimpleAudioEngine::sharedEngine();
    ASSERT_EQ(engine->simulatedBackend(), nullptr);
    engine->setBackgroundMusicVolume(0.0f);

    const std::string tone = audioTestFile("tone_short.mp3");
    engine->playBackgroundMusic(tone.c_str());
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    engine->stopBackgroundMusic();
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());

    // Left alone, a 0.65 s track ends by itself in real time.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    engine->playBackgroundMusic(tone.c_str());
    ASSERT_TRUE(engine->isBackgroundMusicPlaying());
    while (engine->isBackgroundMusicPlaying() && Clock::now() - start < std::chrono::seconds(5)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    EXPECT_GT(seconds, 0.5);
    EXPECT_LT(seconds, 2.0);

    CCLogCapture log;
    for (const char* bad : {"no_such_file.mp3", "empty.mp3", "corrupt.mp3"}) {
        engine->playBackgroundMusic(audioTestFile(bad).c_str());
        EXPECT_FALSE(engine->isBackgroundMusicPlaying()) << bad;
    }
    EXPECT_EQ(log.lines().size(), 3u);
    SimpleAudioEngine::end();
}
