// Timers on the engine thread: interval selectors per target and per-frame
// update targets ordered by priority. Targets are not retained; a target
// must unschedule itself before it dies (nodes do so in cleanup and their
// destructor). Scheduling or unscheduling from inside a callback is safe:
// changes made during a walk are applied when the walk ends. Lookups by
// target are hashed, so many targets come and go in linear time.
#pragma once

#include "base/CCObject.h"

#include <climits>
#include <memory>
#include <unordered_map>
#include <vector>

namespace cc {

static const unsigned int kCCRepeatForever = UINT_MAX - 1;
static const int kCCPrioritySystem = INT_MIN;
static const int kCCPriorityNonSystemMin = kCCPrioritySystem + 1;

class CCScheduler : public CCObject {
public:
    CCScheduler();
    ~CCScheduler() override;

    // Advances every timer and update target by dt seconds (scaled).
    void update(float dt) override;
    void setTimeScale(float scale) { m_fTimeScale = scale; }
    float getTimeScale() const { return m_fTimeScale; }

    // Interval selectors. An interval of 0 fires every frame; repeat counts
    // the firings after the first (kCCRepeatForever for no end); with a delay
    // the first firing comes after the delay, otherwise after one interval.
    // Scheduling a selector that is already scheduled updates its interval.
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, unsigned int repeat,
                          float delay, bool paused);
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused);
    void unscheduleSelector(SEL_SCHEDULE selector, CCObject* target);
    bool isScheduled(SEL_SCHEDULE selector, CCObject* target) const;

    // Per-frame update targets: lower priority values run first; equal
    // priorities in order of registration. Registering again changes nothing.
    void scheduleUpdateForTarget(CCObject* target, int priority, bool paused);
    void unscheduleUpdateForTarget(const CCObject* target);
    bool isUpdateScheduled(const CCObject* target) const;

    void unscheduleAllForTarget(CCObject* target);
    void unscheduleAll();

    // Paused targets keep their timers but do not advance them. Pausing is a
    // property of the target's current entries; new entries take their own
    // paused argument (nodes pass whether they are off the stage).
    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);
    bool isTargetPaused(CCObject* target) const;

    // Seconds (of the loop's unscaled clock) until the scheduler next has
    // work: 0 while a busy update target (see CCObject::isUpdateIdle), a
    // timer firing every frame or a timer yet to start counting is waiting;
    // negative when no timer or busy target runs at all. A frame loop may
    // sleep that long without changing when anything fires.
    double secondsUntilNextWork() const;

    // Number of live timers and update entries, for tests and leak checks.
    size_t timerCount() const;
    size_t updateCount() const;

private:
    struct Timer {
        CCObject* target;
        SEL_SCHEDULE selector;
        float interval;
        unsigned int repeat;
        float delay;
        double elapsed;
        unsigned int timesExecuted;
        bool useDelay;
        bool paused;
        bool dead;
    };
    struct UpdateEntry {
        CCObject* target;
        int priority;
        unsigned long order;
        bool paused;
        bool dead;
    };

    // A target's live timers and update entry.
    struct TargetEntries {
        std::vector<Timer*> timers;
        UpdateEntry* update = nullptr;
    };

    Timer* findTimer(SEL_SCHEDULE selector, const CCObject* target) const;
    UpdateEntry* findUpdate(const CCObject* target) const;
    void killTimer(Timer* timer);
    void killUpdate(UpdateEntry* entry);
    void advanceTimer(Timer& timer, float dt);
    // Erases dead entries when no walk runs; with force false only once they
    // are many enough to be worth it.
    void purgeDead(bool force);

    std::vector<std::unique_ptr<Timer>> m_timers;
    std::vector<std::unique_ptr<UpdateEntry>> m_updates;
    std::unordered_map<const CCObject*, TargetEntries> m_byTarget;
    size_t m_deadCount = 0;
    float m_fTimeScale = 1.0f;
    unsigned long m_nextOrder = 0;
    int m_walkDepth = 0;
    bool m_updatesUnsorted = false;
};

} // namespace cc
