// Automatic narration on the frame driver's virtual clock with narration
// files of known decoded length: the gaps between words, repeatPage,
// autoTurn to the end of the book, pause and resume, and that only the page
// on stage ever plays, highlights or schedules. Also the live-object check
// over many page turns.
#include "PageTestSupport.h"

#include "base/CCObject.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quibo;
using namespace quibo::pagetest;

namespace {

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long value = 0;
        if (key == "VmRSS:" && status >> value) return value;
    }
    return 0;
}

} // namespace

TEST(Narration, EachNextWordStartsHalfToOneSecondAfterThePreviousEnded)
{
    TimedBook tb;
    Journey j;
    pageState().playMode = PlayMode::repeatPage;
    j.open(1);
    const double pressed = j.driver->now();
    j.tapItem(j.page().play);
    EXPECT_TRUE(pageState().autoPlay);
    j.driver->advance(9.0);
    const std::vector<cc::AudioEvent> plays = j.playEvents();
    ASSERT_GE(plays.size(), 5u);
    EXPECT_NEAR(0.2, plays[0].time - pressed, 0.05);
    for (size_t k = 1; k < plays.size(); ++k) {
        const double ended = plays[k - 1].time + plays[k - 1].duration;
        const double gap = plays[k].time - ended;
        if (k % 3 == 0) {
            // Word 1 again after the last word: 1.2 to 1.7 s.
            EXPECT_GE(gap, 1.2 - 0.02) << k;
            EXPECT_LE(gap, 1.7 + 0.02) << k;
            EXPECT_NE(std::string::npos, plays[k].name.find(md5Hex(narrationName(1, 1)))) << k;
        } else {
            EXPECT_GE(gap, 0.5 - 0.02) << k;
            EXPECT_LE(gap, 1.0 + 0.02) << k;
        }
    }
    EXPECT_TRUE(j.driver->logged("bnName-----------bn012---------===="));
    EXPECT_EQ(1, bookSettings().currentPage);
}

TEST(Narration, AutoTurnReadsTheBookToTheEndAndHaltsWithThePauseImage)
{
    TimedBook tb;
    Journey j;
    j.open(1);
    j.tapItem(j.page().play);
    // Page 1 ends; the turn happens at the second silent tick.
    double turnedAt = -1;
    while (j.driver->now() < 20 && bookSettings().currentPage == 1) j.driver->step();
    turnedAt = j.driver->now();
    ASSERT_EQ(2, bookSettings().currentPage);
    const std::vector<cc::AudioEvent> page1 = j.playEvents();
    ASSERT_EQ(3u, page1.size());
    const double lastEnd = page1[2].time + page1[2].duration;
    EXPECT_GE(turnedAt - lastEnd, 0.5 - 0.02);
    EXPECT_LE(turnedAt - lastEnd, 1.0 + 0.02);
    // The new page keeps autoPlay and its first word starts about 0.7 s in.
    EXPECT_TRUE(pageState().autoPlay);
    j.driver->advance(1.0);
    const std::vector<cc::AudioEvent> plays = j.playEvents();
    ASSERT_EQ(4u, plays.size());
    EXPECT_NEAR(0.7, plays[3].time - turnedAt, 0.05);
    EXPECT_NE(std::string::npos, plays[3].name.find(md5Hex(narrationName(2, 1))));

    // On to page 3, the last: nothing more happens, the pause image stays.
    j.driver->advance(12.0);
    EXPECT_EQ(3, bookSettings().currentPage);
    const size_t total = j.plays();
    EXPECT_EQ(9u, total);
    j.driver->advance(3.0);
    EXPECT_EQ(total, j.plays());
    EXPECT_TRUE(pageState().autoPlay);
    // Play/pause now stops; pressing again starts ticks that halt at once.
    j.tapItem(j.page().play);
    EXPECT_FALSE(pageState().autoPlay);
    j.tapItem(j.page().play);
    j.driver->advance(2.0);
    EXPECT_EQ(total, j.plays());
    EXPECT_EQ(3, bookSettings().currentPage);
}

TEST(Narration, PauseDuringAWordResumesWithTheNextAndTapsRedirectTheNarration)
{
    TimedBook tb;
    Journey j;
    pageState().playMode = PlayMode::repeatPage;
    j.open(1);
    PageView p = j.page();
    j.tapItem(p.play);
    j.driver->advance(0.3); // word 1 plays
    ASSERT_EQ(1u, j.plays());
    // Pause during word 1: the sound stops at once and nothing follows.
    j.tapItem(p.play);
    EXPECT_FALSE(cc::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying());
    j.driver->advance(3.0);
    EXPECT_EQ(1u, j.plays());
    // Resume: word 2 (one skipped tick carried over, then the next plays).
    const double resumed = j.driver->now();
    j.tapItem(p.play);
    j.driver->advance(0.8);
    ASSERT_EQ(2u, j.plays());
    EXPECT_NE(std::string::npos, j.lastPlayed().find(md5Hex(narrationName(1, 2))));
    EXPECT_NEAR(0.7, j.playEvents()[1].time - resumed, 0.05);
    // Tapping word 3 during word 2 plays it at once; then the page starts over.
    j.tapWord(p.word(1, 3));
    EXPECT_EQ(3u, j.plays());
    EXPECT_EQ(4, j.page().nextWordIndex());
    j.driver->advance(3.0);
    ASSERT_GE(j.plays(), 4u);
    EXPECT_NE(std::string::npos, j.playEvents()[3].name.find(md5Hex(narrationName(1, 1))));
}

TEST(Narration, OnlyThePageOnStagePlaysHighlightsOrSchedules)
{
    TimedBook tb;
    Journey j;
    j.open(1);
    PageView first = j.page();
    j.tapItem(first.play);
    j.driver->advance(0.3);
    ASSERT_EQ(1u, j.plays());
    // Turn by button while word 1 plays: the sound stops with the new page build.
    j.tapItem(first.next);
    EXPECT_FALSE(cc::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying());
    EXPECT_EQ(nullptr, j.page().currentWord());
    // Touch the page while its transition plays: nothing reaches it.
    PageView second = j.page();
    ASSERT_EQ(2, second.variant);
    j.tapWord(second.word(2, 2));
    j.tapItem(second.next);
    j.driver->advance(0.6);
    EXPECT_EQ(2, bookSettings().currentPage);
    // Every play from now on is a word of page 2, and the highlighted word is the new page's.
    j.driver->advance(1.0);
    const std::vector<cc::AudioEvent> plays = j.playEvents();
    ASSERT_EQ(2u, plays.size());
    EXPECT_NE(std::string::npos, plays[1].name.find(md5Hex(narrationName(2, 1))));
    EXPECT_EQ(second.word(2, 1), j.page().currentWord());
    EXPECT_NE(nullptr, j.page().hintLabel());
    EXPECT_NE(nullptr, j.page().sentenceBubble());

    // Swipe while paused, then auto-turn: no sound of page 2 after the turn.
    j.tapItem(second.play); // pause
    j.driver->drag(cc::CCPoint(400, 300), cc::CCPoint(300, 300), 2);
    j.driver->advance(0.7);
    ASSERT_EQ(3, bookSettings().currentPage);
    EXPECT_FALSE(pageState().autoPlay);
    const size_t before = j.plays();
    j.driver->advance(3.0);
    EXPECT_EQ(before, j.plays());
    for (const cc::AudioEvent& e : j.playEvents()) {
        EXPECT_EQ(std::string::npos, e.name.find(md5Hex(narrationName(1, 2)))) << e.name;
    }
}

TEST(PageLifetime, TwoHundredTurnsLeaveLiveObjectsAndMemoryFlat)
{
    Journey j;
    j.open(4);
    auto turns = [&](int count) {
        for (int k = 0; k < count; ++k) {
            PageView p = j.page();
            j.tapItem(k % 2 == 0 ? p.next : p.previous);
            j.tapWord(j.page().word(bookSettings().currentPage, 2));
            j.driver->advance(0.6);
        }
    };
    turns(20);
    const long objects = cc::CCObject::liveObjectCount();
    const long memory = residentKilobytes();
    turns(200);
    EXPECT_EQ(4, bookSettings().currentPage);
    EXPECT_LE(cc::CCObject::liveObjectCount(), objects + 20);
    EXPECT_LT(residentKilobytes() - memory, 8 * 1024);
}
