// Eases: wrap a timed action and reshape its progress curve. The wrapped
// action does the work; an ease only changes when it gets there.
#pragma once

#include "actions/CCActionInterval.h"
#include "base/CCRefPtr.h"

namespace cc {

class CCActionEase : public CCActionInterval {
public:
    ~CCActionEase() override;
    bool initWithAction(CCActionInterval* action);

    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override { if (m_pInner) m_pInner->update(ease(t)); }
    // The curve: progress in, eased progress out.
    virtual float ease(float t) const { return t; }
    CCActionInterval* getInnerAction() const { return m_pInner.get(); }

protected:
    CCRefPtr<CCActionInterval> m_pInner;
};

// Slow start: t^rate.
class CCEaseIn : public CCActionEase {
public:
    static CCEaseIn* create(CCActionInterval* action, float rate);
    float ease(float t) const override;
    CCActionInterval* reverse() override;

private:
    float m_rate = 1.0f;
};

// Slow end: t^(1/rate).
class CCEaseOut : public CCActionEase {
public:
    static CCEaseOut* create(CCActionInterval* action, float rate);
    float ease(float t) const override;
    CCActionInterval* reverse() override;

private:
    float m_rate = 1.0f;
};

// Springs past the end and settles back: 2^(-10t) sin((t - p/4) 2pi / p) + 1,
// exactly 0 at the start and 1 at the end.
class CCEaseElasticOut : public CCActionEase {
public:
    static constexpr float kDefaultPeriod = 0.3f;
    static CCEaseElasticOut* create(CCActionInterval* action);
    static CCEaseElasticOut* create(CCActionInterval* action, float period);
    float ease(float t) const override;
    float getPeriod() const { return m_period; }

private:
    float m_period = kDefaultPeriod;
};

} // namespace cc
