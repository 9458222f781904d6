// Long runs through the real application: automatic narration through the
// whole book ten times over, and 500 page turns. Each time the main menu is
// shown again the count of live engine objects is back at its baseline. They
// take a while, so they run only in their own CTest entry (QUIBO_SOAK set,
// label "soak"); a sanitizer build checks the same process for leaks and bad
// accesses.
#include "JourneySupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quibo;
using namespace quibo::journey;

namespace {

const int kReadings = 10;
const int kTurns = 500;
const int kTurnsBetweenChecks = 50;

bool soakWanted() { return std::getenv("QUIBO_SOAK") != nullptr; }

// QUIBO_SOAK_SHORT shortens the runs for a slow checker (valgrind): two
// readings and 100 turns.
int readings() { return std::getenv("QUIBO_SOAK_SHORT") ? 2 : kReadings; }
int turnsWanted() { return std::getenv("QUIBO_SOAK_SHORT") ? 100 : kTurns; }

// Two frames: the director drops the old scene, the pool drains.
long liveAtMainMenu(App& a)
{
    a.driver->step(2);
    return cc::CCObject::liveObjectCount();
}

// Plays the book from page 1 until page 8's last word has ended.
bool readWholeBook(App& a)
{
    if (!a.openFromGrid(1)) return false;
    a.tapItem(a.page().play);
    const std::string lastWord = narrationFileOf(8, wordIndexesOf(8).back());
    const double limit = a.driver->now() + 600;
    while (a.driver->now() < limit) {
        a.driver->step();
        const cc::AudioEvent* last = a.sim->last(cc::AudioEvent::Kind::Play);
        if (bookSettings().currentPage == 8 && last && last->name == lastWord && !a.narrationPlaying()) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(Soak, TheWholeBookReadAloudTenTimesLeavesNothingBehind)
{
    if (!soakWanted()) GTEST_SKIP() << "runs in the soak entry (QUIBO_SOAK=1)";
    App a;
    ASSERT_TRUE(a.launch());
    // The first visit fills the caches that later visits reuse.
    ASSERT_TRUE(a.openFromGrid(1));
    ASSERT_TRUE(a.returnFromPage());
    const long baseline = liveAtMainMenu(a);
    size_t playsBefore = 0;
    for (int round = 0; round < readings(); ++round) {
        ASSERT_TRUE(readWholeBook(a)) << "round " << round;
        ASSERT_TRUE(a.returnFromPage());
        EXPECT_EQ(baseline, liveAtMainMenu(a)) << "round " << round;
        const size_t plays = a.sim->countOf(cc::AudioEvent::Kind::Play);
        EXPECT_GT(plays, playsBefore + 90) << "every round reads every word";
        playsBefore = plays;
    }
}

TEST(Soak, FiveHundredPageTurnsLeaveNothingBehind)
{
    if (!soakWanted()) GTEST_SKIP() << "runs in the soak entry (QUIBO_SOAK=1)";
    App a;
    ASSERT_TRUE(a.launch());
    ASSERT_TRUE(a.openFromGrid(1));
    ASSERT_TRUE(a.returnFromPage());
    const long baseline = liveAtMainMenu(a);
    int direction = +1, turns = 0;
    ASSERT_TRUE(a.openFromGrid(1));
    while (turns < turnsWanted()) {
        const int from = bookSettings().currentPage;
        if (from + direction < bookSettings().pageMin || from + direction > bookSettings().pageMax) direction = -direction;
        PageView v = a.page();
        ASSERT_NE(nullptr, v.layer);
        a.tapItem(direction > 0 ? v.next : v.previous);
        a.driver->advance(kTurn);
        ASSERT_EQ(from + direction, bookSettings().currentPage) << "turn " << turns;
        ++turns;
        if (turns % kTurnsBetweenChecks == 0) {
            const int at = bookSettings().currentPage;
            ASSERT_TRUE(a.returnFromPage());
            EXPECT_EQ(baseline, liveAtMainMenu(a)) << "after " << turns << " turns";
            ASSERT_TRUE(a.openFromGrid(at));
        }
    }
}
