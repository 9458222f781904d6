// Easing curves.
#include "actions/CCActionEase.h"

#include "base/CCLog.h"

#include <cmath>

namespace cc {

namespace {
const float kTwoPi = 6.28318530717958647692f;

template <class T>
T* makeEase(CCActionInterval* action, float param, float T::*field)
{
    T* e = new T();
    if (e->initWithAction(action)) {
        e->*field = param;
        e->autorelease();
        return e;
    }
    delete e;
    return nullptr;
}
} // namespace

CCActionEase::~CCActionEase() = default;

bool CCActionEase::initWithAction(CCActionInterval* action)
{
    if (!action) {
        CCLog("CCActionEase: no action to ease");
        return false;
    }
    m_pInner.reset(action);
    return initWithDuration(action->getDuration());
}

void CCActionEase::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    m_pInner->startWithTarget(target);
}

void CCActionEase::stop()
{
    m_pInner->stop();
    CCActionInterval::stop();
}

CCEaseIn* CCEaseIn::create(CCActionInterval* action, float rate)
{
    return makeEase<CCEaseIn>(action, rate, &CCEaseIn::m_rate);
}

float CCEaseIn::ease(float t) const { return std::pow(t, m_rate); }

CCActionInterval* CCEaseIn::reverse()
{
    CCActionInterval* r = m_pInner->reverse();
    return r ? CCEaseOut::create(r, m_rate) : nullptr;
}

CCEaseOut* CCEaseOut::create(CCActionInterval* action, float rate)
{
    return makeEase<CCEaseOut>(action, rate, &CCEaseOut::m_rate);
}

float CCEaseOut::ease(float t) const { return m_rate != 0.0f ? std::pow(t, 1.0f / m_rate) : t; }

CCActionInterval* CCEaseOut::reverse()
{
    CCActionInterval* r = m_pInner->reverse();
    return r ? CCEaseIn::create(r, m_rate) : nullptr;
}

CCEaseElasticOut* CCEaseElasticOut::create(CCActionInterval* action) { return create(action, kDefaultPeriod); }

CCEaseElasticOut* CCEaseElasticOut::create(CCActionInterval* action, float period)
{
    if (period <= 0.0f) {
        period = kDefaultPeriod; // a zero period has no curve
    }
    return makeEase<CCEaseElasticOut>(action, period, &CCEaseElasticOut::m_period);
}

float CCEaseElasticOut::ease(float t) const
{
    if (t <= 0.0f || t >= 1.0f) {
        return t <= 0.0f ? 0.0f : 1.0f;
    }
    const float s = m_period / 4.0f;
    return std::pow(2.0f, -10.0f * t) * std::sin((t - s) * kTwoPi / m_period) + 1.0f;
}

} // namespace cc
