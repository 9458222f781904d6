// Elapsed time and progress of timed actions.
#include "actions/CCActionInterval.h"

#include <algorithm>

namespace cc {

bool CCActionInterval::initWithDuration(float duration)
{
    m_fDuration = std::max(0.0f, duration);
    m_elapsed = 0.0f;
    m_firstTick = true;
    return true;
}

bool CCActionInterval::isDone() const { return !m_firstTick && m_elapsed >= m_fDuration; }

void CCActionInterval::startWithTarget(CCNode* target)
{
    CCFiniteTimeAction::startWithTarget(target);
    m_elapsed = 0.0f;
    m_firstTick = true;
}

void CCActionInterval::step(float dt)
{
    m_firstTick = false;
    m_elapsed += std::max(0.0f, dt);
    float t = m_fDuration > 0.0f ? std::min(1.0f, m_elapsed / m_fDuration) : 1.0f;
    update(t);
}

CCDelayTime* CCDelayTime::create(float duration)
{
    CCDelayTime* a = new CCDelayTime();
    a->initWithDuration(duration);
    a->autorelease();
    return a;
}

} // namespace cc
