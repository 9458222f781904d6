// Actions made of other actions: one after another (sequence) or all at
// once (spawn). Either holds any number of actions, none included (then it
// takes no time and does nothing). Repetition is in CCActionRepeat.
#pragma once

#include "actions/CCActionInterval.h"
#include "base/CCRefPtr.h"

#include <cstdarg>
#include <vector>

namespace cc {

class CCArray;

// Shared storage: the retained child actions.
class CCActionList : public CCActionInterval {
public:
    ~CCActionList() override;
    void stop() override;
    unsigned int actionCount() const { return static_cast<unsigned int>(m_actions.size()); }

protected:
    // False (with a log line) when the array holds something that is not a
    // timed action.
    bool initWithArray(CCArray* actions, const char* kind);
    bool initWithList(CCFiniteTimeAction* first, va_list rest);
    void ensureStarted(size_t index);
    // Each child reversed, in the given order; null when one cannot be.
    CCArray* reversedChildren(bool reverseOrder) const;

    std::vector<CCRefPtr<CCFiniteTimeAction>> m_actions;
    std::vector<bool> m_started;
};

// A child starts when the sequence reaches it, so "to" actions begin from
// where the previous one left the target. Children passed over in one
// update are run to their end on the way.
class CCSequence : public CCActionList {
public:
    static CCSequence* create();
    static CCSequence* create(CCArray* actions);
    // A null-terminated list of actions.
    static CCSequence* create(CCFiniteTimeAction* first, ...);
    static CCSequence* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);

    void startWithTarget(CCNode* target) override;
    void update(float t) override;
    CCSequence* reverse() override;

private:
    bool finishInit();
    void runChild(size_t index, float progress);

    std::vector<float> m_starts;
    size_t m_done = 0;    // children [0, m_done) are at their end state
    size_t m_reached = 0; // the child the last update fell in
};

// All children start together; the spawn lasts as long as the longest one.
class CCSpawn : public CCActionList {
public:
    static CCSpawn* create();
    static CCSpawn* create(CCArray* actions);
    // A null-terminated list of actions.
    static CCSpawn* create(CCFiniteTimeAction* first, ...);
    static CCSpawn* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);

    void startWithTarget(CCNode* target) override;
    void update(float t) override;
    CCSpawn* reverse() override;

private:
    bool finishInit();

    std::vector<bool> m_finished;
};

} // namespace cc
