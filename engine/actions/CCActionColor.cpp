// Opacity and colour interpolation through the node's colour interface.
#include "actions/CCActionColor.h"

#include "scene/CCNodeRGBA.h"

#include <algorithm>
#include <cmath>

namespace cc {

namespace {

CCRGBAProtocol* colourOf(CCNode* node) { return dynamic_cast<CCRGBAProtocol*>(node); }

// Eases may overshoot past either end; the channel stays in range.
GLubyte channel(float from, float to, float t)
{
    float v = std::round(from + (to - from) * t);
    return static_cast<GLubyte>(std::min(255.0f, std::max(0.0f, v)));
}

} // namespace

CCFadeTo* CCFadeTo::create(float duration, GLubyte opacity)
{
    CCFadeTo* a = new CCFadeTo();
    a->initWithDuration(duration, opacity);
    a->autorelease();
    return a;
}

bool CCFadeTo::initWithDuration(float duration, GLubyte opacity)
{
    m_to = opacity;
    return CCActionInterval::initWithDuration(duration);
}

CCRGBAProtocol* CCFadeTo::rgba() const { return colourOf(m_pTarget); }

void CCFadeTo::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    if (CCRGBAProtocol* c = colourOf(target)) {
        m_from = c->getOpacity();
    }
}

void CCFadeTo::update(float t)
{
    if (CCRGBAProtocol* c = rgba()) {
        c->setOpacity(channel(m_from, m_to, t));
    }
}

CCFadeIn* CCFadeIn::create(float duration)
{
    CCFadeIn* a = new CCFadeIn();
    a->CCFadeTo::initWithDuration(duration, 255);
    a->autorelease();
    return a;
}

void CCFadeIn::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    m_from = 0.0f;
    m_to = 255.0f;
}

CCActionInterval* CCFadeIn::reverse() { return CCFadeOut::create(m_fDuration); }

CCFadeOut* CCFadeOut::create(float duration)
{
    CCFadeOut* a = new CCFadeOut();
    a->CCFadeTo::initWithDuration(duration, 0);
    a->autorelease();
    return a;
}

void CCFadeOut::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    m_from = 255.0f;
    m_to = 0.0f;
}

CCActionInterval* CCFadeOut::reverse() { return CCFadeIn::create(m_fDuration); }

CCTintTo* CCTintTo::create(float duration, GLubyte red, GLubyte green, GLubyte blue)
{
    CCTintTo* a = new CCTintTo();
    a->initWithDuration(duration, ccc3(red, green, blue));
    a->autorelease();
    return a;
}

bool CCTintTo::initWithDuration(float duration, const ccColor3B& color)
{
    m_to = color;
    return CCActionInterval::initWithDuration(duration);
}

void CCTintTo::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    if (CCRGBAProtocol* c = colourOf(target)) {
        m_from = c->getColor();
    }
}

void CCTintTo::update(float t)
{
    if (CCRGBAProtocol* c = colourOf(m_pTarget)) {
        c->setColor(ccc3(channel(m_from.r, m_to.r, t), channel(m_from.g, m_to.g, t),
                         channel(m_from.b, m_to.b, t)));
    }
}

} // namespace cc
