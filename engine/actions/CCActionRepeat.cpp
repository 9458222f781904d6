// Repetition: counting rounds and restarting the inner action.
#include "actions/CCActionRepeat.h"

#include "base/CCLog.h"

#include <algorithm>
#include <cmath>

namespace cc {

namespace {
// A frame far longer than the inner action must not spin: the rest of the
// time is carried into later frames instead.
const int kMaxRestartsPerStep = 64;
} // namespace

CCRepeat* CCRepeat::create(CCFiniteTimeAction* action, unsigned int times)
{
    CCRepeat* r = new CCRepeat();
    if (r->initWithAction(action, times)) {
        r->autorelease();
        return r;
    }
    delete r;
    return nullptr;
}

CCRepeat::~CCRepeat() = default;

bool CCRepeat::initWithAction(CCFiniteTimeAction* action, unsigned int times)
{
    if (!action) {
        CCLog("CCRepeat: no action to repeat");
        return false;
    }
    m_pInner.reset(action);
    m_times = times;
    return initWithDuration(action->getDuration() * static_cast<float>(times));
}

void CCRepeat::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    m_completed = 0;
    m_pInner->startWithTarget(target);
}

void CCRepeat::stop()
{
    m_pInner->stop();
    CCActionInterval::stop();
}

void CCRepeat::update(float t)
{
    if (m_times == 0 || !m_pTarget) {
        return;
    }
    const float rounds = std::max(0.0f, t) * static_cast<float>(m_times);
    unsigned int whole = rounds >= static_cast<float>(m_times) ? m_times : static_cast<unsigned int>(rounds);
    if (whole < m_completed) {
        // Set back to an earlier round: start that round afresh.
        m_completed = whole;
        m_pInner->startWithTarget(m_pTarget);
    }
    while (m_completed < whole && m_pTarget) {
        m_pInner->update(1.0f);
        ++m_completed;
        if (m_completed < m_times && m_pTarget) {
            m_pInner->stop();
            m_pInner->startWithTarget(m_pTarget);
        }
    }
    if (m_completed < m_times && m_pTarget) {
        m_pInner->update(rounds - static_cast<float>(m_completed));
    }
}

CCRepeat* CCRepeat::reverse()
{
    CCFiniteTimeAction* r = m_pInner->reverse();
    return r ? create(r, m_times) : nullptr;
}

CCRepeatForever* CCRepeatForever::create(CCActionInterval* action)
{
    if (!action) {
        CCLog("CCRepeatForever: no action to repeat");
        return nullptr;
    }
    CCRepeatForever* r = new CCRepeatForever();
    r->m_pInner.reset(action);
    r->autorelease();
    return r;
}

CCRepeatForever::~CCRepeatForever() = default;

void CCRepeatForever::startWithTarget(CCNode* target)
{
    CCAction::startWithTarget(target);
    m_rounds = 0;
    m_pInner->startWithTarget(target);
}

void CCRepeatForever::stop()
{
    m_pInner->stop();
    CCAction::stop();
}

void CCRepeatForever::step(float dt)
{
    if (!m_pTarget) {
        return;
    }
    m_pInner->step(dt);
    for (int i = 0; i < kMaxRestartsPerStep && m_pTarget && m_pInner->isDone(); ++i) {
        const float over = m_pInner->getElapsed() - m_pInner->getDuration();
        ++m_rounds;
        m_pInner->stop();
        m_pInner->startWithTarget(m_pTarget);
        if (over <= 0.0f || m_pInner->getDuration() <= 0.0f) {
            break; // the new round begins with the next step
        }
        m_pInner->step(over);
    }
}

void CCRepeatForever::update(float t)
{
    if (m_pTarget) {
        m_pInner->update(t);
    }
}

} // namespace cc
