// Actions that happen at once: showing, hiding and calling back. They take
// no time, so a sequence runs them the moment it reaches them.
#pragma once

#include "actions/CCAction.h"

namespace cc {

class CCActionInstant : public CCFiniteTimeAction {
public:
    bool isDone() const override { return true; }
    // Any step performs the action (as progress 1).
    void step(float dt) override { update(1.0f); }
};

class CCShow : public CCActionInstant {
public:
    static CCShow* create();
    void update(float t) override;
    CCFiniteTimeAction* reverse() override;
};

class CCHide : public CCActionInstant {
public:
    static CCHide* create();
    void update(float t) override;
    CCFiniteTimeAction* reverse() override;
};

// Calls a member function of a target that is not retained: the target must
// outlive the action or stop it first.
class CCCallFunc : public CCActionInstant {
public:
    static CCCallFunc* create(CCObject* target, SEL_CallFunc selector);
    void update(float t) override;

private:
    // Not retained (a listener's target never is): whoever makes this action
    // keeps the target alive while the action can run.
    CCObject* m_pCallTarget = nullptr;
    SEL_CallFunc m_selector = nullptr;
};

// Like CCCallFunc, passing the node the action runs on.
class CCCallFuncN : public CCActionInstant {
public:
    static CCCallFuncN* create(CCObject* target, SEL_CallFuncN selector);
    void update(float t) override;

private:
    // Not retained (a listener's target never is): whoever makes this action
    // keeps the target alive while the action can run.
    CCObject* m_pCallTarget = nullptr;
    SEL_CallFuncN m_selector = nullptr;
};

} // namespace cc
