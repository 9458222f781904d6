// Narration speed: the quarter steps of the reading keys, the display text,
// the strict number reading, and the page's narration at other speeds on the
// frame driver's clock: a word at 0.5x lasts twice as long, and the rules of
// automatic narration hold on the stretched sound in every play mode.
#include "PageTestSupport.h"

#include "book/NarrationSpeed.h"

#include "audio/AudioDuration.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quibo;
using namespace quibo::pagetest;

namespace {

// The engine's speed for one test, put back to 1 afterwards.
struct SpeedFor {
    explicit SpeedFor(float speed) { cc::SimpleAudioEngine::sharedEngine()->setBackgroundMusicSpeed(speed); }
    ~SpeedFor() { cc::SimpleAudioEngine::sharedEngine()->setBackgroundMusicSpeed(1.0f); }
};

double toneSeconds(float speed)
{
    std::string error;
    return cc::decodedAudioDuration(testAudio("tone_short.mp3"), speed, error);
}

} // namespace

TEST(NarrationSpeed, StepsByQuartersWithinTheLimitsAndShowsTheValue)
{
    cc::SimpleAudioEngine::end();
    cc::SimpleAudioEngine* audio = cc::SimpleAudioEngine::sharedEngine();
    EXPECT_FLOAT_EQ(1.0f, audio->getBackgroundMusicSpeed());
    EXPECT_FLOAT_EQ(1.25f, stepNarrationSpeed(+1));
    EXPECT_FLOAT_EQ(1.5f, stepNarrationSpeed(+1));
    EXPECT_FLOAT_EQ(1.75f, stepNarrationSpeed(+1));
    EXPECT_FLOAT_EQ(2.0f, stepNarrationSpeed(+1));
    EXPECT_FLOAT_EQ(2.0f, stepNarrationSpeed(+1));
    EXPECT_FLOAT_EQ(2.0f, audio->getBackgroundMusicSpeed());
    for (float expected : {1.75f, 1.5f, 1.25f, 1.0f, 0.75f, 0.5f, 0.5f}) {
        EXPECT_FLOAT_EQ(expected, stepNarrationSpeed(-1));
    }
    EXPECT_FLOAT_EQ(0.5f, stepNarrationSpeed(0));
    // A value between quarters moves to the next quarter in that direction.
    audio->setBackgroundMusicSpeed(0.8f);
    EXPECT_FLOAT_EQ(1.0f, stepNarrationSpeed(+1));
    audio->setBackgroundMusicSpeed(0.8f);
    EXPECT_FLOAT_EQ(0.75f, stepNarrationSpeed(-1));
    audio->setBackgroundMusicSpeed(1.9f);
    EXPECT_FLOAT_EQ(2.0f, stepNarrationSpeed(+1));
    // The engine keeps any speed within its limits.
    audio->setBackgroundMusicSpeed(5.0f);
    EXPECT_FLOAT_EQ(2.0f, audio->getBackgroundMusicSpeed());
    audio->setBackgroundMusicSpeed(0.1f);
    EXPECT_FLOAT_EQ(0.5f, audio->getBackgroundMusicSpeed());
    audio->setBackgroundMusicSpeed(std::nanf(""));
    EXPECT_FLOAT_EQ(1.0f, audio->getBackgroundMusicSpeed());
    cc::SimpleAudioEngine::end();

    EXPECT_EQ("0.5x", narrationSpeedText(0.5f));
    EXPECT_EQ("0.75x", narrationSpeedText(0.75f));
    EXPECT_EQ("1.0x", narrationSpeedText(1.0f));
    EXPECT_EQ("1.25x", narrationSpeedText(1.25f));
    EXPECT_EQ("1.5x", narrationSpeedText(1.5f));
    EXPECT_EQ("2.0x", narrationSpeedText(2.0f));
    EXPECT_EQ("0.8x", narrationSpeedText(0.8f));
}

TEST(NarrationSpeed, ReadsOnlyPlainNumbersWithinTheLimits)
{
    const std::pair<const char*, float> good[] = {
        {"0.5", 0.5f}, {"2", 2.0f}, {"2.0", 2.0f}, {"1.25", 1.25f}, {" 0.75\t", 0.75f},
        {"1.5x", 1.5f}, {"1X", 1.0f}, {".75", 0.75f}, {"1.", 1.0f}, {"0.500000", 0.5f},
    };
    for (const auto& g : good) {
        float speed = -1;
        EXPECT_TRUE(parseNarrationSpeed(g.first, speed)) << g.first;
        EXPECT_FLOAT_EQ(g.second, speed) << g.first;
    }
    for (const char* bad : {"", " ", "x", "fast", "0.49", "2.01", "3", "0", "-1", "+1", "1,5", "1.2.3", "1e0",
                            "0x1", "1 .5", "nan", "inf", "1.5xx", "00000000000000001"}) {
        float speed = 7.0f;
        EXPECT_FALSE(parseNarrationSpeed(bad, speed)) << bad;
        EXPECT_FLOAT_EQ(7.0f, speed) << bad;
    }
}

TEST(NarrationSpeed, AWordTappedAtHalfSpeedLastsTwiceAsLong)
{
    TimedBook tb;
    Journey j;
    SpeedFor half(0.5f);
    pageState().playMode = PlayMode::manual;
    j.open(1);
    const double normal = toneSeconds(1.0f);
    const double slow = toneSeconds(0.5f);
    ASSERT_GT(normal, 0.5);
    EXPECT_NEAR(2.0, slow / normal, 0.1);

    PageView p = j.page();
    const double tapped = j.driver->now();
    j.tapWord(p.word(1, 1));
    ASSERT_EQ(1u, j.plays());
    const cc::AudioEvent first = j.playEvents()[0];
    EXPECT_FLOAT_EQ(0.5f, first.speed);
    EXPECT_DOUBLE_EQ(slow, first.duration);
    // Past the end the word would have at 1.0x it still sounds: tapping it
    // again changes nothing, and its sentence stays.
    j.driver->advance(normal + 0.2 - (j.driver->now() - tapped));
    EXPECT_TRUE(cc::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying());
    j.tapWord(p.word(1, 1));
    EXPECT_EQ(1u, j.plays());
    ASSERT_NE(nullptr, j.page().sentenceLabel());
    EXPECT_TRUE(j.page().sentenceLabel()->isVisible());
    // After the stretched end the idle check hides the sentence within a
    // second, and a tap plays the word again.
    j.driver->advance(first.time + slow + 1.05 - j.driver->now());
    EXPECT_FALSE(cc::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying());
    EXPECT_FALSE(j.page().sentenceLabel()->isVisible());
    j.tapWord(p.word(1, 1));
    EXPECT_EQ(2u, j.plays());
}

TEST(NarrationSpeed, RepeatPageGapsHoldOnTheStretchedSound)
{
    TimedBook tb;
    Journey j;
    SpeedFor half(0.5f);
    pageState().playMode = PlayMode::repeatPage;
    j.open(1);
    j.tapItem(j.page().play);
    j.driver->advance(16.0);
    const std::vector<cc::AudioEvent> plays = j.playEvents();
    ASSERT_GE(plays.size(), 5u);
    const double slow = toneSeconds(0.5f);
    for (size_t k = 1; k < plays.size(); ++k) {
        EXPECT_DOUBLE_EQ(slow, plays[k - 1].duration) << k;
        const double gap = plays[k].time - (plays[k - 1].time + plays[k - 1].duration);
        const double low = k % 3 == 0 ? 1.2 : 0.5;
        const double high = k % 3 == 0 ? 1.7 : 1.0;
        EXPECT_GE(gap, low - 0.02) << k;
        EXPECT_LE(gap, high + 0.02) << k;
    }
    EXPECT_NE(std::string::npos, plays[3].name.find(md5Hex(narrationName(1, 1))));
}

TEST(NarrationSpeed, AutoTurnWaitsForTheStretchedLastWordAtEitherLimit)
{
    for (float speed : {0.5f, 2.0f}) {
        TimedBook tb;
        Journey j;
        SpeedFor set(speed);
        j.open(1);
        j.tapItem(j.page().play);
        while (j.driver->now() < 30 && bookSettings().currentPage == 1) j.driver->step();
        const double turnedAt = j.driver->now();
        ASSERT_EQ(2, bookSettings().currentPage) << speed;
        const std::vector<cc::AudioEvent> page1 = j.playEvents();
        ASSERT_EQ(3u, page1.size()) << speed;
        for (size_t k = 0; k < page1.size(); ++k) {
            EXPECT_DOUBLE_EQ(toneSeconds(speed), page1[k].duration) << speed;
            if (k > 0) {
                const double gap = page1[k].time - (page1[k - 1].time + page1[k - 1].duration);
                EXPECT_GE(gap, 0.5 - 0.02) << speed << " word " << k;
                EXPECT_LE(gap, 1.0 + 0.02) << speed << " word " << k;
            }
        }
        const double lastEnd = page1[2].time + page1[2].duration;
        EXPECT_GE(turnedAt - lastEnd, 0.5 - 0.02) << speed;
        EXPECT_LE(turnedAt - lastEnd, 1.0 + 0.02) << speed;
        // The next page's first word about 0.7 s after it came on stage.
        j.driver->advance(1.0);
        ASSERT_EQ(4u, j.plays()) << speed;
        EXPECT_NEAR(0.7, j.playEvents()[3].time - turnedAt, 0.05) << speed;
    }
}
