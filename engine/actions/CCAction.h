// The action base classes: an action changes its target over time, stepped
// by the action manager once a frame. Concrete actions live beside this file.
#pragma once

#include "base/CCObject.h"

namespace cc {

class CCNode;

enum { kCCActionTagInvalid = -1 };

class CCAction : public CCObject {
public:
    CCAction() = default;
    ~CCAction() override = default;

    virtual bool isDone() const { return true; }
    // Binds the action to its target and resets its progress.
    virtual void startWithTarget(CCNode* target);
    // Called when the action is removed from its target.
    virtual void stop();
    // Advances by dt seconds.
    virtual void step(float dt) {}
    // Puts the target at progress t (0..1) of the action.
    virtual void update(float t) override {}

    CCNode* getTarget() const { return m_pTarget; }
    void setTarget(CCNode* target) { m_pTarget = target; }
    CCNode* getOriginalTarget() const { return m_pOriginalTarget; }
    int getTag() const { return m_nTag; }
    void setTag(int tag) { m_nTag = tag; }

protected:
    // Not retained: a node removes its actions when it goes, and stop()
    // clears m_pTarget; the original target is only handed out, never used.
    CCNode* m_pOriginalTarget = nullptr;
    CCNode* m_pTarget = nullptr;
    int m_nTag = kCCActionTagInvalid;
};

// An action with a known duration (which sequences and spawns combine).
class CCFiniteTimeAction : public CCAction {
public:
    float getDuration() const { return m_fDuration; }
    void setDuration(float d) { m_fDuration = d; }
    virtual CCFiniteTimeAction* reverse() { return nullptr; }

protected:
    float m_fDuration = 0.0f;
};

} // namespace cc
