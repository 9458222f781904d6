// Running an action again and again: a fixed number of times, or until it
// is stopped.
#pragma once

#include "actions/CCActionInterval.h"
#include "base/CCRefPtr.h"

namespace cc {

class CCRepeat : public CCActionInterval {
public:
    static CCRepeat* create(CCFiniteTimeAction* action, unsigned int times);
    ~CCRepeat() override;
    bool initWithAction(CCFiniteTimeAction* action, unsigned int times);

    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override;
    CCRepeat* reverse() override;

private:
    CCRefPtr<CCFiniteTimeAction> m_pInner;
    unsigned int m_times = 0;
    unsigned int m_completed = 0;
};

// Never done: when the inner action ends it starts over, carrying the time
// left over from the step into the new round.
class CCRepeatForever : public CCAction {
public:
    static CCRepeatForever* create(CCActionInterval* action);
    ~CCRepeatForever() override;

    bool isDone() const override { return false; }
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void step(float dt) override;
    // Puts the target at progress t of the current round.
    void update(float t) override;

    CCActionInterval* getInnerAction() const { return m_pInner.get(); }
    unsigned int getCompletedRounds() const { return m_rounds; }

private:
    CCRefPtr<CCActionInterval> m_pInner;
    unsigned int m_rounds = 0;
};

} // namespace cc
