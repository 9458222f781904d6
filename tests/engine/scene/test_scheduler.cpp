// Scheduler timing on virtual time, update priorities, and changes made from
// inside callbacks.
#include "engine.h"
#include "platform/FrameDriver.h"
#include "scene/CCDirector.h"
#include "scene/CCScheduler.h"

#include <gtest/gtest.h>

using namespace cc;

namespace {
struct Target : CCObject {
    std::vector<double>* times = nullptr;
    CCScheduler* scheduler = nullptr;
    int fired = 0;
    int updates = 0;
    std::string name;
    std::vector<std::string>* order = nullptr;

    void tick(float) { ++fired; if (times) times->push_back(CCDirector::sharedDirector()->getTotalTime()); }
    // Like a narration step: unschedules itself, then schedules itself again
    // with another interval.
    void rescheduling(float)
    {
        ++fired;
        if (times) times->push_back(CCDirector::sharedDirector()->getTotalTime());
        scheduler->unscheduleSelector(schedule_selector(Target::rescheduling), this);
        scheduler->scheduleSelector(schedule_selector(Target::rescheduling), this, 0.5f, false);
    }
    void update(float) override { ++updates; if (order) order->push_back(name); }
};
} // namespace

TEST(Scheduler, IntervalsFireOnVirtualTime)
{
    FrameDriver driver;
    CCScheduler* s = driver.director()->getScheduler();
    Target t;
    s->scheduleSelector(schedule_selector(Target::tick), &t, 0.5f, false);
    driver.advance(1.0);
    EXPECT_EQ(t.fired, 2);
    driver.advance(0.45);
    EXPECT_EQ(t.fired, 2);
    driver.advance(0.06);
    EXPECT_EQ(t.fired, 3);

    // Interval 0 fires once per frame; repeat counts firings after the first.
    Target every, thrice;
    s->scheduleSelector(schedule_selector(Target::tick), &every, 0.0f, false);
    s->scheduleSelector(schedule_selector(Target::tick), &thrice, 0.1f, 2, 0.0f, false);
    driver.step(10);
    EXPECT_EQ(every.fired, 10);
    driver.advance(1.0);
    EXPECT_EQ(thrice.fired, 3);
    EXPECT_FALSE(s->isScheduled(schedule_selector(Target::tick), &thrice));

    // A delay shifts the first firing.
    Target delayed;
    s->scheduleSelector(schedule_selector(Target::tick), &delayed, 1.0f, kCCRepeatForever, 0.25f, false);
    driver.advance(0.2);
    EXPECT_EQ(delayed.fired, 0);
    driver.advance(0.1);
    EXPECT_EQ(delayed.fired, 1);
    s->unscheduleAllForTarget(&t);
    s->unscheduleAllForTarget(&every);
    s->unscheduleAllForTarget(&delayed);
    EXPECT_EQ(s->timerCount(), 0u);
}

TEST(Scheduler, ASelectorThatReschedulesItselfKeepsItsNewCadence)
{
    FrameDriver driver;
    CCScheduler* s = driver.director()->getScheduler();
    std::vector<double> times;
    Target t;
    t.times = &times;
    t.scheduler = s;
    s->scheduleSelector(schedule_selector(Target::rescheduling), &t, 0.2f, false);
    driver.advance(1.25);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_NEAR(times[0], 0.2, 0.02);
    EXPECT_NEAR(times[1], 0.7, 0.02);
    EXPECT_NEAR(times[2], 1.2, 0.02);
    EXPECT_EQ(s->timerCount(), 1u);
    s->unscheduleAllForTarget(&t);
}

TEST(Scheduler, UpdatesRunByPriorityAndPausedTargetsWait)
{
    std::vector<std::string> order;
    FrameDriver driver;
    CCScheduler* s = driver.director()->getScheduler();
    Target late, early, first;
    late.name = "late"; early.name = "early"; first.name = "first";
    late.order = early.order = first.order = &order;
    s->scheduleUpdateForTarget(&late, 5, false);
    s->scheduleUpdateForTarget(&early, 0, false);
    s->scheduleUpdateForTarget(&first, -1, false);
    s->scheduleUpdateForTarget(&early, -9, false); // already registered: unchanged
    driver.step();
    EXPECT_EQ(order, (std::vector<std::string>{"first", "early", "late"}));

    s->pauseTarget(&early);
    EXPECT_TRUE(s->isTargetPaused(&early));
    driver.step(3);
    EXPECT_EQ(early.updates, 1);
    EXPECT_EQ(late.updates, 4);
    s->resumeTarget(&early);
    driver.step();
    EXPECT_EQ(early.updates, 2);

    s->unscheduleUpdateForTarget(&late);
    s->unscheduleUpdateForTarget(&early);
    s->unscheduleUpdateForTarget(&first);
    EXPECT_FALSE(s->isUpdateScheduled(&late));
}

namespace {
// Removes another target's update from inside its own update.
struct Remover : CCObject {
    CCScheduler* scheduler;
    CCObject* victim;
    void update(float) override { scheduler->unscheduleUpdateForTarget(victim); scheduler->unscheduleUpdateForTarget(this); }
};
} // namespace

TEST(Scheduler, RemovalDuringTheWalkIsSafeAndTakesEffectAtOnce)
{
    FrameDriver driver;
    CCScheduler* s = driver.director()->getScheduler();
    Target victim;
    Remover remover;
    remover.scheduler = s;
    remover.victim = &victim;
    s->scheduleUpdateForTarget(&remover, -5, false);
    s->scheduleUpdateForTarget(&victim, 5, false);
    driver.step(2);
    EXPECT_EQ(victim.updates, 0);
    EXPECT_EQ(s->updateCount(), 1u); // the director's action manager is left
}

TEST(Scheduler, ManyTargetsComeAndGoAndEachKeepsItsOwnTimers)
{
    // Enough targets that dead entries are erased in bulk; lookups, pausing
    // and counts must stay right throughout.
    FrameDriver driver;
    CCScheduler* s = driver.director()->getScheduler();
    const size_t timersBefore = s->timerCount(), updatesBefore = s->updateCount();
    const int kTargets = 300;
    std::vector<Target> targets(kTargets);
    for (Target& t : targets) {
        s->scheduleSelector(schedule_selector(Target::tick), &t, 0.0f, false);
        s->scheduleUpdateForTarget(&t, 0, false);
    }
    EXPECT_EQ(timersBefore + kTargets, s->timerCount());
    for (int i = 0; i < kTargets; ++i) {
        if (i % 3 == 0) s->unscheduleAllForTarget(&targets[i]);
        else if (i % 2 == 0) s->pauseTarget(&targets[i]);
    }
    driver.step(3);
    for (int i = 0; i < kTargets; ++i) {
        SCOPED_TRACE(i);
        const bool gone = i % 3 == 0, paused = !gone && i % 2 == 0;
        EXPECT_EQ(!gone, s->isScheduled(schedule_selector(Target::tick), &targets[i]));
        EXPECT_EQ(!gone, s->isUpdateScheduled(&targets[i]));
        EXPECT_EQ(paused, s->isTargetPaused(&targets[i]));
        EXPECT_EQ(gone || paused ? 0 : 3, targets[i].fired);
        EXPECT_EQ(gone || paused ? 0 : 3, targets[i].updates);
    }
    for (int i = 0; i < kTargets; ++i) {
        if (i % 3 != 0 && i % 2 == 0) s->resumeTarget(&targets[i]);
        if (i % 3 != 0 && i % 2 != 0) s->unscheduleUpdateForTarget(&targets[i]);
    }
    driver.step(1);
    for (int i = 0; i < kTargets; ++i) {
        SCOPED_TRACE(i);
        if (i % 3 == 0) continue;
        EXPECT_EQ(i % 2 == 0 ? 1 : 4, targets[i].fired);
        EXPECT_EQ(i % 2 == 0 ? 1 : 3, targets[i].updates);
    }
    for (Target& t : targets) s->unscheduleAllForTarget(&t);
    EXPECT_EQ(timersBefore, s->timerCount());
    EXPECT_EQ(updatesBefore, s->updateCount());
}

namespace {
// An update target that says when it has nothing to do.
struct Quiet : CCObject {
    bool idle = true;
    void update(float) override {}
    bool isUpdateIdle() const override { return idle; }
};
} // namespace

TEST(Scheduler, SaysHowLongNothingIsDueWhileIdleTargetsAndPausedTimersWait)
{
    FrameDriver driver;
    CCScheduler* s = driver.director()->getScheduler();
    // Only the director's own (idle) action manager: nothing is ever due.
    EXPECT_LT(s->secondsUntilNextWork(), 0);

    Target t;
    s->scheduleSelector(schedule_selector(Target::tick), &t, 0.5f, false);
    EXPECT_EQ(s->secondsUntilNextWork(), 0); // counts from the next frame
    driver.step();
    EXPECT_NEAR(s->secondsUntilNextWork(), 0.5 - driver.frameTime(), 1e-6);
    driver.advance(0.2);
    EXPECT_NEAR(s->secondsUntilNextWork(), 0.5 - 13 * driver.frameTime(), 1e-5);

    // A delay comes first; the nearest timer decides.
    Target delayed;
    s->scheduleSelector(schedule_selector(Target::tick), &delayed, 2.0f, kCCRepeatForever, 0.1f, false);
    driver.step();
    EXPECT_NEAR(s->secondsUntilNextWork(), 0.1 - driver.frameTime(), 1e-6);
    // Paused timers are not waited for; a faster clock brings timers closer.
    s->pauseTarget(&delayed);
    const double left = s->secondsUntilNextWork();
    EXPECT_NEAR(left, 0.5 - 14 * driver.frameTime(), 1e-5);
    s->setTimeScale(2.0f);
    EXPECT_NEAR(s->secondsUntilNextWork(), left / 2, 1e-6);
    s->setTimeScale(1.0f);

    // An idle update target waits too; a busy one (or one that does not
    // say) needs the very next frame, unless it is paused.
    Quiet quiet;
    s->scheduleUpdateForTarget(&quiet, 0, false);
    EXPECT_GT(s->secondsUntilNextWork(), 0);
    quiet.idle = false;
    EXPECT_EQ(s->secondsUntilNextWork(), 0);
    s->pauseTarget(&quiet);
    EXPECT_GT(s->secondsUntilNextWork(), 0);
    Target busy;
    s->scheduleUpdateForTarget(&busy, 0, false);
    EXPECT_EQ(s->secondsUntilNextWork(), 0);
    // A timer firing every frame is due every frame.
    s->unscheduleAllForTarget(&busy);
    Target every;
    s->scheduleSelector(schedule_selector(Target::tick), &every, 0.0f, false);
    driver.step();
    EXPECT_EQ(s->secondsUntilNextWork(), 0);
    for (CCObject* o : std::initializer_list<CCObject*>{&t, &delayed, &quiet, &every}) s->unscheduleAllForTarget(o);
    EXPECT_LT(s->secondsUntilNextWork(), 0);
}
