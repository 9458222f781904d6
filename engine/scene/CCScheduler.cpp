// Interval timers and per-frame update targets. Walks run over a snapshot of
// the entry list; entries removed during a walk are only marked dead and are
// erased once no walk runs, entries added during it wait for the next frame.
#include "scene/CCScheduler.h"

#include "base/CCLog.h"

#include <algorithm>

namespace cc {

namespace {
// Dead entries are erased outside a frame's walk once they are this many and
// make up half the lists; the walk at each frame's end erases them all.
const size_t kMinDeadToPurge = 64;
} // namespace

CCScheduler::CCScheduler() = default;
CCScheduler::~CCScheduler() = default;

CCScheduler::Timer* CCScheduler::findTimer(SEL_SCHEDULE selector, const CCObject* target) const
{
    auto found = m_byTarget.find(target);
    if (found == m_byTarget.end()) {
        return nullptr;
    }
    for (Timer* t : found->second.timers) {
        if (t->selector == selector) {
            return t;
        }
    }
    return nullptr;
}

CCScheduler::UpdateEntry* CCScheduler::findUpdate(const CCObject* target) const
{
    auto found = m_byTarget.find(target);
    return found == m_byTarget.end() ? nullptr : found->second.update;
}

void CCScheduler::killTimer(Timer* timer)
{
    if (timer->dead) {
        return;
    }
    timer->dead = true;
    ++m_deadCount;
    auto found = m_byTarget.find(timer->target);
    if (found == m_byTarget.end()) {
        return;
    }
    std::vector<Timer*>& timers = found->second.timers;
    timers.erase(std::find(timers.begin(), timers.end(), timer));
    if (timers.empty() && !found->second.update) {
        m_byTarget.erase(found);
    }
}

void CCScheduler::killUpdate(UpdateEntry* entry)
{
    if (entry->dead) {
        return;
    }
    entry->dead = true;
    ++m_deadCount;
    auto found = m_byTarget.find(entry->target);
    if (found == m_byTarget.end()) {
        return;
    }
    found->second.update = nullptr;
    if (found->second.timers.empty()) {
        m_byTarget.erase(found);
    }
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused)
{
    scheduleSelector(selector, target, interval, kCCRepeatForever, 0.0f, paused);
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, unsigned int repeat,
                                   float delay, bool paused)
{
    if (!selector || !target) {
        return;
    }
    if (Timer* existing = findTimer(selector, target)) {
        existing->interval = interval;
        return;
    }
    auto timer = std::make_unique<Timer>();
    timer->target = target;
    timer->selector = selector;
    timer->interval = std::max(0.0f, interval);
    timer->repeat = repeat;
    timer->delay = delay;
    timer->elapsed = -1.0;
    timer->timesExecuted = 0;
    timer->useDelay = delay > 0.0f;
    timer->paused = paused;
    timer->dead = false;
    m_byTarget[target].timers.push_back(timer.get());
    m_timers.push_back(std::move(timer));
}

void CCScheduler::unscheduleSelector(SEL_SCHEDULE selector, CCObject* target)
{
    if (Timer* t = findTimer(selector, target)) {
        killTimer(t);
        purgeDead(false);
    }
}

bool CCScheduler::isScheduled(SEL_SCHEDULE selector, CCObject* target) const
{
    return findTimer(selector, target) != nullptr;
}

void CCScheduler::scheduleUpdateForTarget(CCObject* target, int priority, bool paused)
{
    if (!target || findUpdate(target)) {
        return;
    }
    auto entry = std::make_unique<UpdateEntry>();
    entry->target = target;
    entry->priority = priority;
    entry->order = m_nextOrder++;
    entry->paused = paused;
    entry->dead = false;
    m_byTarget[target].update = entry.get();
    m_updates.push_back(std::move(entry));
    m_updatesUnsorted = true;
}

void CCScheduler::unscheduleUpdateForTarget(const CCObject* target)
{
    if (UpdateEntry* u = findUpdate(target)) {
        killUpdate(u);
        purgeDead(false);
    }
}

bool CCScheduler::isUpdateScheduled(const CCObject* target) const { return findUpdate(target) != nullptr; }

void CCScheduler::unscheduleAllForTarget(CCObject* target)
{
    auto found = m_byTarget.find(target);
    if (found == m_byTarget.end()) {
        return;
    }
    const TargetEntries entries = found->second;
    for (Timer* t : entries.timers) {
        killTimer(t);
    }
    if (entries.update) {
        killUpdate(entries.update);
    }
    purgeDead(false);
}

void CCScheduler::unscheduleAll()
{
    for (auto& t : m_timers) {
        killTimer(t.get());
    }
    for (auto& u : m_updates) {
        killUpdate(u.get());
    }
    purgeDead(true);
}

void CCScheduler::pauseTarget(CCObject* target)
{
    auto found = m_byTarget.find(target);
    if (found == m_byTarget.end()) {
        return;
    }
    for (Timer* t : found->second.timers) {
        t->paused = true;
    }
    if (found->second.update) {
        found->second.update->paused = true;
    }
}

void CCScheduler::resumeTarget(CCObject* target)
{
    auto found = m_byTarget.find(target);
    if (found == m_byTarget.end()) {
        return;
    }
    for (Timer* t : found->second.timers) {
        t->paused = false;
    }
    if (found->second.update) {
        found->second.update->paused = false;
    }
}

bool CCScheduler::isTargetPaused(CCObject* target) const
{
    auto found = m_byTarget.find(target);
    if (found == m_byTarget.end()) {
        return false;
    }
    if (!found->second.timers.empty()) {
        return found->second.timers.front()->paused;
    }
    return found->second.update && found->second.update->paused;
}

size_t CCScheduler::timerCount() const
{
    return static_cast<size_t>(std::count_if(m_timers.begin(), m_timers.end(), [](const auto& t) { return !t->dead; }));
}

size_t CCScheduler::updateCount() const
{
    return static_cast<size_t>(
        std::count_if(m_updates.begin(), m_updates.end(), [](const auto& u) { return !u->dead; }));
}

double CCScheduler::secondsUntilNextWork() const
{
    for (const auto& u : m_updates) {
        if (!u->dead && !u->paused && !u->target->isUpdateIdle()) {
            return 0.0;
        }
    }
    if (m_fTimeScale <= 0.0f) {
        return -1.0; // time stands still: no timer will ever come due
    }
    double next = -1.0;
    for (const auto& t : m_timers) {
        if (t->dead || t->paused) {
            continue;
        }
        if (t->elapsed < 0.0) {
            return 0.0; // starts counting with the next frame
        }
        const double due = t->useDelay ? t->delay : t->interval;
        const double left = std::max(0.0, (due - t->elapsed) / m_fTimeScale);
        if (next < 0.0 || left < next) {
            next = left;
        }
    }
    return next;
}

void CCScheduler::purgeDead(bool force)
{
    if (m_walkDepth > 0 || m_deadCount == 0) {
        return;
    }
    if (!force && (m_deadCount < kMinDeadToPurge || m_deadCount * 2 < m_timers.size() + m_updates.size())) {
        return;
    }
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(), [](const auto& t) { return t->dead; }),
                   m_timers.end());
    m_updates.erase(std::remove_if(m_updates.begin(), m_updates.end(), [](const auto& u) { return u->dead; }),
                    m_updates.end());
    m_deadCount = 0;
}

void CCScheduler::advanceTimer(Timer& timer, float dt)
{
    if (timer.elapsed < 0.0) {
        // The frame that follows scheduling starts the count.
        timer.elapsed = 0.0;
        timer.timesExecuted = 0;
    }
    timer.elapsed += dt;
    // A tiny slack so that intervals that are whole multiples of the frame
    // time fire on the expected frame despite float accumulation.
    const double slack = 1e-6;
    if (timer.useDelay) {
        if (timer.elapsed + slack < timer.delay) {
            return;
        }
        timer.elapsed -= timer.delay;
        timer.useDelay = false;
    } else if (timer.elapsed + slack < timer.interval) {
        return;
    } else {
        timer.elapsed -= timer.interval;
    }
    // One firing per frame at most: a long frame does not cause a burst.
    if (timer.elapsed > timer.interval) {
        timer.elapsed = 0.0;
    }
    if (timer.elapsed < 0.0) {
        timer.elapsed = 0.0;
    }
    const bool last = timer.repeat != kCCRepeatForever && timer.timesExecuted >= timer.repeat;
    ++timer.timesExecuted;
    if (last) {
        killTimer(&timer);
    }
    (timer.target->*timer.selector)(timer.elapsed + timer.interval);
}

void CCScheduler::update(float dt)
{
    dt *= m_fTimeScale;
    ++m_walkDepth;

    if (m_updatesUnsorted) {
        std::stable_sort(m_updates.begin(), m_updates.end(), [](const auto& a, const auto& b) {
            return a->priority != b->priority ? a->priority < b->priority : a->order < b->order;
        });
        m_updatesUnsorted = false;
    }
    // Snapshot sizes: entries added during this walk start next frame.
    const size_t updateCount = m_updates.size();
    for (size_t i = 0; i < updateCount; ++i) {
        UpdateEntry* u = m_updates[i].get();
        if (!u->dead && !u->paused) {
            u->target->update(dt);
        }
    }
    const size_t timerCount = m_timers.size();
    for (size_t i = 0; i < timerCount; ++i) {
        Timer* t = m_timers[i].get();
        if (!t->dead && !t->paused) {
            advanceTimer(*t, dt);
        }
    }

    --m_walkDepth;
    purgeDead(true);
}

} // namespace cc
