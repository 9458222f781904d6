// The audio engine's speed: kept within its limits, handed to every backend
// it is given, and honoured by the tracks started after it was set, which
// then last as long as the stretched sound.
#include "AudioTestFiles.h"

#include "audio/AudioDuration.h"
#include "audio/SimpleAudioEngine.h"
#include "audio/SimulatedAudioBackend.h"

#include <gtest/gtest.h>

using namespace cc;

TEST(AudioSpeed, LaterTracksPlayAtTheSpeedAndLastTheStretchedTime)
{
    SimpleAudioEngine::end();
    SimpleAudioEngine* engine = SimpleAudioEngine::sharedEngine();
    // Set before any backend exists: kept, and given to the one installed.
    engine->setBackgroundMusicSpeed(0.5f);
    SimulatedAudioBackend* sim = engine->useSimulatedBackend();
    EXPECT_FLOAT_EQ(0.5f, sim->speed());

    const std::string tone = audioTestFile("tone_long.mp3");
    std::string error;
    const double normal = decodedAudioDuration(tone, error);
    const double slow = decodedAudioDuration(tone, 0.5f, error);
    const double fast = decodedAudioDuration(tone, 2.0f, error);
    EXPECT_NEAR(2.0, slow / normal, 0.1);
    EXPECT_NEAR(0.5, fast / normal, 0.03);
    EXPECT_DOUBLE_EQ(normal, decodedAudioDuration(tone, 1.0f, error));

    engine->playBackgroundMusic(tone.c_str());
    const AudioEvent* play = sim->last(AudioEvent::Kind::Play);
    ASSERT_NE(nullptr, play);
    EXPECT_DOUBLE_EQ(slow, play->duration);
    EXPECT_FLOAT_EQ(0.5f, play->speed);

    // A change while a track sounds leaves that track as it started.
    engine->setBackgroundMusicSpeed(2.0f);
    sim->advance(slow - 0.01);
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    sim->advance(0.02);
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());

    engine->playBackgroundMusic(tone.c_str());
    EXPECT_DOUBLE_EQ(fast, sim->last(AudioEvent::Kind::Play)->duration);

    // A replaced backend gets the speed too; a bad file still fails.
    SimulatedAudioBackend* again = engine->useSimulatedBackend();
    EXPECT_FLOAT_EQ(2.0f, again->speed());
    engine->playBackgroundMusic(audioTestFile("corrupt.mp3").c_str());
    EXPECT_FALSE(again->last(AudioEvent::Kind::Play)->ok);
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    SimpleAudioEngine::end();
    EXPECT_FLOAT_EQ(1.0f, SimpleAudioEngine::sharedEngine()->getBackgroundMusicSpeed());
    SimpleAudioEngine::end();
}
