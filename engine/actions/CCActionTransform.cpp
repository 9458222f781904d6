// Position, scale and rotation interpolation.
#include "actions/CCActionTransform.h"

#include "scene/CCNode.h"

#include <cmath>

namespace cc {

namespace {
template <class T, class... Args>
T* make(Args... args)
{
    T* a = new T();
    if (a->initWithDuration(args...)) {
        a->autorelease();
        return a;
    }
    delete a;
    return nullptr;
}
} // namespace

// ---- Move ---------------------------------------------------------------

CCMoveBy* CCMoveBy::create(float duration, const CCPoint& delta) { return make<CCMoveBy>(duration, delta); }

bool CCMoveBy::initWithDuration(float duration, const CCPoint& delta)
{
    m_delta = delta;
    return CCActionInterval::initWithDuration(duration);
}

void CCMoveBy::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    if (target) {
        m_start = target->getPosition();
    }
}

void CCMoveBy::update(float t)
{
    if (m_pTarget) {
        m_pTarget->setPosition(m_start + m_delta * t);
    }
}

CCMoveBy* CCMoveBy::reverse() { return create(m_fDuration, -m_delta); }

CCMoveTo* CCMoveTo::create(float duration, const CCPoint& position)
{
    return make<CCMoveTo>(duration, position);
}

bool CCMoveTo::initWithDuration(float duration, const CCPoint& position)
{
    m_end = position;
    return CCActionInterval::initWithDuration(duration);
}

void CCMoveTo::startWithTarget(CCNode* target)
{
    CCMoveBy::startWithTarget(target);
    m_delta = m_end - m_start;
}

// ---- Scale --------------------------------------------------------------

CCScaleTo* CCScaleTo::create(float duration, float scale) { return create(duration, scale, scale); }

CCScaleTo* CCScaleTo::create(float duration, float scaleX, float scaleY)
{
    return make<CCScaleTo>(duration, scaleX, scaleY);
}

bool CCScaleTo::initWithDuration(float duration, float scaleX, float scaleY)
{
    m_argX = scaleX;
    m_argY = scaleY;
    return CCActionInterval::initWithDuration(duration);
}

void CCScaleTo::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    if (target) {
        m_startX = target->getScaleX();
        m_startY = target->getScaleY();
    }
    m_endX = m_argX;
    m_endY = m_argY;
}

void CCScaleTo::update(float t)
{
    if (m_pTarget) {
        m_pTarget->setScaleX(m_startX + (m_endX - m_startX) * t);
        m_pTarget->setScaleY(m_startY + (m_endY - m_startY) * t);
    }
}

CCScaleBy* CCScaleBy::create(float duration, float scale) { return create(duration, scale, scale); }

CCScaleBy* CCScaleBy::create(float duration, float scaleX, float scaleY)
{
    return make<CCScaleBy>(duration, scaleX, scaleY);
}

void CCScaleBy::startWithTarget(CCNode* target)
{
    CCScaleTo::startWithTarget(target);
    m_endX = m_startX * m_argX;
    m_endY = m_startY * m_argY;
}

CCScaleBy* CCScaleBy::reverse()
{
    if (m_argX == 0.0f || m_argY == 0.0f) {
        return nullptr;
    }
    return create(m_fDuration, 1.0f / m_argX, 1.0f / m_argY);
}

// ---- Rotate -------------------------------------------------------------

CCRotateTo* CCRotateTo::create(float duration, float angle) { return make<CCRotateTo>(duration, angle); }

bool CCRotateTo::initWithDuration(float duration, float angle)
{
    m_end = angle;
    return CCActionInterval::initWithDuration(duration);
}

void CCRotateTo::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    m_start = target ? target->getRotation() : 0.0f;
    // The turn, folded into [-180, 180] so it goes the shorter way.
    float diff = std::fmod(m_end - m_start, 360.0f);
    if (diff > 180.0f) {
        diff -= 360.0f;
    } else if (diff < -180.0f) {
        diff += 360.0f;
    }
    m_diff = diff;
}

void CCRotateTo::update(float t)
{
    if (m_pTarget) {
        m_pTarget->setRotation(t == 1.0f ? m_end : m_start + m_diff * t);
    }
}

CCRotateBy* CCRotateBy::create(float duration, float angle) { return make<CCRotateBy>(duration, angle); }

bool CCRotateBy::initWithDuration(float duration, float angle)
{
    m_angle = angle;
    return CCActionInterval::initWithDuration(duration);
}

void CCRotateBy::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    m_start = target ? target->getRotation() : 0.0f;
}

void CCRotateBy::update(float t)
{
    if (m_pTarget) {
        m_pTarget->setRotation(m_start + m_angle * t);
    }
}

} // namespace cc

