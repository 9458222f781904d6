// Actions that run over a span of time: the elapsed-time bookkeeping every
// timed action shares, and the plain delay. What each action changes lives
// in its own file (transforms, colours, composites, eases).
#pragma once

#include "actions/CCAction.h"

namespace cc {

// Each step advances the elapsed time by dt (the first one included) and
// puts the target at progress elapsed / duration, clamped to 1. A zero
// duration completes on its first step, at its end state.
class CCActionInterval : public CCFiniteTimeAction {
public:
    bool initWithDuration(float duration);

    bool isDone() const override;
    void startWithTarget(CCNode* target) override;
    void step(float dt) override;
    CCActionInterval* reverse() override { return nullptr; }

    float getElapsed() const { return m_elapsed; }

protected:
    float m_elapsed = 0.0f;
    bool m_firstTick = true;
};

class CCDelayTime : public CCActionInterval {
public:
    static CCDelayTime* create(float duration);
    void update(float t) override {}
    CCDelayTime* reverse() override { return create(m_fDuration); }
};

} // namespace cc
