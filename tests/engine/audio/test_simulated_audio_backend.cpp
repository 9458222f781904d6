// The audio engine on the simulated backend: virtual-time playback for the
// decoded length, replacement, bad files, stop and volume.
#include "AudioTestFiles.h"

#include "audio/SimpleAudioEngine.h"
#include "audio/SimulatedAudioBackend.h"
#include "base/CCLog.h"
#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace cc;

namespace {

class SimulatedAudio : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine = SimpleAudioEngine::sharedEngine();
        sim = engine->useSimulatedBackend();
    }
    void TearDown() override { SimpleAudioEngine::end(); }

    SimpleAudioEngine* engine = nullptr;
    SimulatedAudioBackend* sim = nullptr;
};

TEST_F(SimulatedAudio, TrackPlaysForItsDecodedDurationThenStops)
{
    const std::string shortTone = audioTestFile("tone_short.mp3");
    engine->playBackgroundMusic(shortTone.c_str());
    ASSERT_TRUE(engine->isBackgroundMusicPlaying());
    const AudioEvent* play = sim->last(AudioEvent::Kind::Play);
    ASSERT_NE(play, nullptr);
    EXPECT_TRUE(play->ok);
    EXPECT_EQ(play->name, shortTone);
    EXPECT_EQ(play->time, 0.0);
    // The file holds 0.6 s of tone; the encoder pads it a little.
    const double d = play->duration;
    EXPECT_GT(d, 0.6);
    EXPECT_LT(d, 0.7);

    sim->advance(d - 0.001);
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    EXPECT_EQ(sim->countOf(AudioEvent::Kind::End), 0u);
    sim->advance(0.002);
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    const AudioEvent* end = sim->last(AudioEvent::Kind::End);
    ASSERT_NE(end, nullptr);
    EXPECT_DOUBLE_EQ(end->time, d);
    EXPECT_EQ(end->name, shortTone);

    // A longer file lasts longer, counted in 60 Hz frames as the frame driver
    // steps: playing on every frame that starts before the end.
    const std::string longTone = audioTestFile("tone_long.mp3");
    engine->playBackgroundMusic(longTone.c_str());
    const double longD = sim->last(AudioEvent::Kind::Play)->duration;
    EXPECT_GT(longD, 1.5);
    EXPECT_LT(longD, 1.6);
    int framesPlaying = 0;
    for (int frame = 0; frame < 200 && engine->isBackgroundMusicPlaying(); ++frame) {
        ++framesPlaying;
        sim->advance(1.0 / 60.0);
    }
    EXPECT_EQ(framesPlaying, static_cast<int>(std::ceil(longD * 60.0)));
}

TEST_F(SimulatedAudio, SecondPlayReplacesTheFirst)
{
    engine->playBackgroundMusic(audioTestFile("tone_long.mp3").c_str());
    sim->advance(0.2);
    engine->playBackgroundMusic(audioTestFile("tone_short.mp3").c_str());
    const double shortD = sim->last(AudioEvent::Kind::Play)->duration;
    EXPECT_DOUBLE_EQ(sim->currentTrackEnd(), 0.2 + shortD);

    sim->advance(shortD - 0.01);
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    sim->advance(0.02);
    // The long track would still have most of a second to go.
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    sim->advance(2.0);
    ASSERT_EQ(sim->countOf(AudioEvent::Kind::Play), 2u);
    ASSERT_EQ(sim->countOf(AudioEvent::Kind::End), 1u);
    EXPECT_EQ(sim->last(AudioEvent::Kind::End)->name, audioTestFile("tone_short.mp3"));
    EXPECT_DOUBLE_EQ(sim->record()[1].time, 0.2);
}

TEST_F(SimulatedAudio, MissingEmptyAndCorruptFilesNeverPlay)
{
    for (const char* bad : {"no_such_file.mp3", "empty.mp3", "corrupt.mp3"}) {
        SCOPED_TRACE(bad);
        const std::string path = audioTestFile(bad);
        // A bad file also ends the track that was playing.
        engine->playBackgroundMusic(audioTestFile("tone_long.mp3").c_str());
        ASSERT_TRUE(engine->isBackgroundMusicPlaying());

        CCLogCapture log;
        engine->playBackgroundMusic(path.c_str());
        EXPECT_FALSE(engine->isBackgroundMusicPlaying());
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_NE(log.lines()[0].find(path), std::string::npos) << log.lines()[0];
        const AudioEvent* play = sim->last(AudioEvent::Kind::Play);
        ASSERT_NE(play, nullptr);
        EXPECT_FALSE(play->ok);
        EXPECT_EQ(play->fullPath, path);

        const size_t ends = sim->countOf(AudioEvent::Kind::End);
        sim->advance(3.0);
        EXPECT_FALSE(engine->isBackgroundMusicPlaying());
        EXPECT_EQ(sim->countOf(AudioEvent::Kind::End), ends);
    }

    CCLogCapture log;
    engine->playBackgroundMusic(nullptr);
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(SimulatedAudio, StopEndsTheTrackAtOnce)
{
    engine->playBackgroundMusic(audioTestFile("tone_long.mp3").c_str());
    sim->advance(0.5);
    engine->stopBackgroundMusic();
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    const AudioEvent* stop = sim->last(AudioEvent::Kind::Stop);
    ASSERT_NE(stop, nullptr);
    EXPECT_DOUBLE_EQ(stop->time, 0.5);
    sim->advance(3.0);
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    EXPECT_EQ(sim->countOf(AudioEvent::Kind::End), 0u);

    // Stopping a silent channel is harmless and still recorded.
    engine->stopBackgroundMusic();
    EXPECT_EQ(sim->countOf(AudioEvent::Kind::Stop), 2u);
}

TEST_F(SimulatedAudio, VolumeIsClampedAndRecorded)
{
    EXPECT_FLOAT_EQ(engine->getBackgroundMusicVolume(), 1.0f);
    const float asked[] = {0.25f, -0.5f, 2.0f, std::numeric_limits<float>::quiet_NaN(), 1.0f};
    const float kept[] = {0.25f, 0.0f, 1.0f, 0.0f, 1.0f};
    for (size_t i = 0; i < 5; ++i) {
        engine->setBackgroundMusicVolume(asked[i]);
        EXPECT_FLOAT_EQ(engine->getBackgroundMusicVolume(), kept[i]) << i;
    }
    ASSERT_EQ(sim->countOf(AudioEvent::Kind::Volume), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(sim->record()[i].kind, AudioEvent::Kind::Volume);
        EXPECT_FLOAT_EQ(sim->record()[i].volume, kept[i]) << i;
    }
}

TEST_F(SimulatedAudio, RelativeNamesGoThroughTheSearchPath)
{
    const std::string folder = audioTestFile("");
    CCFileUtils::sharedFileUtils()->addSearchPath(folder);
    engine->playBackgroundMusic("tone_short.mp3");
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    const AudioEvent* play = sim->last(AudioEvent::Kind::Play);
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->name, "tone_short.mp3");
    EXPECT_EQ(play->fullPath, folder + "tone_short.mp3");
    CCFileUtils::purgeFileUtils();
}

TEST_F(SimulatedAudio, SharedClockAdvancesOnlyTheSimulatedBackend)
{
    engine->playBackgroundMusic(audioTestFile("tone_short.mp3").c_str());
    const double d = sim->last(AudioEvent::Kind::Play)->duration;
    SimpleAudioEngine::advanceSimulatedClock(d / 2);
    EXPECT_DOUBLE_EQ(sim->now(), d / 2);
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    SimpleAudioEngine::advanceSimulatedClock(d);
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());

    // Without an engine the listener must not build one (nor open a device).
    SimpleAudioEngine::end();
    SimpleAudioEngine::advanceSimulatedClock(1.0);
    engine = SimpleAudioEngine::sharedEngine();
    sim = engine->useSimulatedBackend();
    EXPECT_EQ(sim->now(), 0.0);
}

TEST_F(SimulatedAudio, EndDropsTheBackend)
{
    engine->playBackgroundMusic(audioTestFile("tone_short.mp3").c_str());
    SimpleAudioEngine::end();
    SimpleAudioEngine* fresh = SimpleAudioEngine::sharedEngine();
    EXPECT_EQ(fresh->simulatedBackend(), nullptr);
    sim = fresh->useSimulatedBackend();
    EXPECT_EQ(fresh->simulatedBackend(), sim);
    EXPECT_FALSE(fresh->isBackgroundMusicPlaying());
    EXPECT_TRUE(sim->record().empty());
}

} // namespace
