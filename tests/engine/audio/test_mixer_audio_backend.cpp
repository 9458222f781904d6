// The real SDL2_mixer backend playing time-stretched: a tone made here goes
// through the engine at 0.5x and 2x, and what the mixer hands the device is
// caught after mixing and measured. The mixer is held on the dummy driver
// first, so nothing is heard even on a machine with speakers.
#include "AudioTestFiles.h"
#include "ToneTestSupport.h"

#include "audio/MixerDevice.h"
#include "audio/SimpleAudioEngine.h"
#include "base/CCLog.h"

#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace cc;
using namespace tonetest;

namespace {

// Every buffer the mixer hands to the driver while it is alive.
class OutputCapture {
public:
    OutputCapture() { Mix_SetPostMix(&OutputCapture::afterMix, this); }
    ~OutputCapture() { stop(); }
    // Removing the hook takes the mixer's lock: samples() is then stable.
    void stop() { Mix_SetPostMix(nullptr, nullptr); }
    const std::vector<int16_t>& samples() const { return m_samples; }

private:
    static void afterMix(void* self, Uint8* stream, int len)
    {
        auto* capture = static_cast<OutputCapture*>(self);
        const auto* values = reinterpret_cast<const int16_t*>(stream);
        capture->m_samples.insert(capture->m_samples.end(), values, values + len / 2);
    }
    std::vector<int16_t> m_samples;
};

class MixerStretch : public ::testing::Test {
protected:
    void SetUp() override
    {
        SimpleAudioEngine::end();
        std::string error;
        held = MixerDevice::acquire(MixerDevice::Mode::DummyOnly, error);
        ASSERT_TRUE(held) << error;
        ASSERT_EQ("dummy", MixerDevice::driverName());
        engine = SimpleAudioEngine::sharedEngine();
        ASSERT_EQ(engine->simulatedBackend(), nullptr);
        tone = folder.path() + "/tone.wav";
        ASSERT_TRUE(writeWav(tone, sine(1.0, 220, 1)));
    }
    void TearDown() override
    {
        SimpleAudioEngine::end();
        if (held) MixerDevice::release();
    }

    // Plays the file to its end and returns what reached the driver.
    std::vector<int16_t> playThrough(const std::string& file)
    {
        OutputCapture capture;
        engine->playBackgroundMusic(file.c_str());
        EXPECT_TRUE(engine->isBackgroundMusicPlaying());
        waitForEnd(std::chrono::seconds(10));
        // One more buffer or two, so the last one is surely caught.
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        capture.stop();
        return capture.samples();
    }
    void waitForEnd(std::chrono::seconds limit)
    {
        const auto start = std::chrono::steady_clock::now();
        while (engine->isBackgroundMusicPlaying() && std::chrono::steady_clock::now() - start < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    }

    tonetest::ScratchFolder folder;
    std::string tone;
    bool held = false;
    SimpleAudioEngine* engine = nullptr;
};

} // namespace

TEST_F(MixerStretch, AOneSecondToneLastsTwoSecondsAtHalfSpeedAndHalfASecondAtDouble)
{
    engine->setBackgroundMusicVolume(1.0f);

    engine->setBackgroundMusicSpeed(0.5f);
    const Measured slow = measure(playThrough(tone), MixerDevice::channels());
    EXPECT_NEAR(2.0, slow.seconds, 2.0 * 0.02);
    EXPECT_NEAR(220.0, slow.frequency, 220.0 * 0.03);

    engine->setBackgroundMusicSpeed(2.0f);
    const Measured fast = measure(playThrough(tone), MixerDevice::channels());
    EXPECT_NEAR(0.5, fast.seconds, 0.5 * 0.02);
    EXPECT_NEAR(220.0, fast.frequency, 220.0 * 0.03);

    // Back at 1 the mixer's own player plays the file as recorded.
    engine->setBackgroundMusicSpeed(1.0f);
    const Measured plain = measure(playThrough(tone), MixerDevice::channels());
    EXPECT_NEAR(1.0, plain.seconds, 0.02);
    EXPECT_NEAR(220.0, plain.frequency, 220.0 * 0.03);
}

TEST_F(MixerStretch, VolumeStopAndBadFilesHoldForAStretchedTrack)
{
    engine->setBackgroundMusicSpeed(0.5f);
    EXPECT_FLOAT_EQ(0.5f, engine->backend()->speed());

    // Volume 0 reaches the stretched track too: nothing but silence.
    engine->setBackgroundMusicVolume(0.0f);
    EXPECT_EQ(0.0, measure(playThrough(tone), MixerDevice::channels()).seconds);

    // Stopped part-way, the track reports silence at once and no more sound
    // reaches the driver afterwards.
    engine->setBackgroundMusicVolume(1.0f);
    engine->playBackgroundMusic(tone.c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    engine->stopBackgroundMusic();
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    {
        OutputCapture after;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        after.stop();
        EXPECT_EQ(0.0, measure(after.samples(), MixerDevice::channels()).seconds);
    }

    CCLogCapture log;
    for (const char* bad : {"no_such_file.mp3", "empty.mp3", "corrupt.mp3"}) {
        engine->playBackgroundMusic(audioTestFile(bad).c_str());
        EXPECT_FALSE(engine->isBackgroundMusicPlaying()) << bad;
    }
    EXPECT_EQ(log.lines().size(), 3u);

    // A new track replaces a stretched one that is still sounding.
    engine->playBackgroundMusic(tone.c_str());
    engine->setBackgroundMusicSpeed(1.0f);
    engine->playBackgroundMusic(audioTestFile("tone_short.mp3").c_str());
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    engine->stopBackgroundMusic();
}
