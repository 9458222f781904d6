// Show, hide and call-back actions.
#include "actions/CCActionInstant.h"

#include "scene/CCNode.h"

namespace cc {

CCShow* CCShow::create()
{
    CCShow* a = new CCShow();
    a->autorelease();
    return a;
}

void CCShow::update(float t)
{
    if (m_pTarget) {
        m_pTarget->setVisible(true);
    }
}

CCFiniteTimeAction* CCShow::reverse() { return CCHide::create(); }

CCHide* CCHide::create()
{
    CCHide* a = new CCHide();
    a->autorelease();
    return a;
}

void CCHide::update(float t)
{
    if (m_pTarget) {
        m_pTarget->setVisible(false);
    }
}

CCFiniteTimeAction* CCHide::reverse() { return CCShow::create(); }

CCCallFunc* CCCallFunc::create(CCObject* target, SEL_CallFunc selector)
{
    CCCallFunc* a = new CCCallFunc();
    a->m_pCallTarget = target;
    a->m_selector = selector;
    a->autorelease();
    return a;
}

void CCCallFunc::update(float t)
{
    if (m_pCallTarget && m_selector) {
        (m_pCallTarget->*m_selector)();
    }
}

CCCallFuncN* CCCallFuncN::create(CCObject* target, SEL_CallFuncN selector)
{
    CCCallFuncN* a = new CCCallFuncN();
    a->m_pCallTarget = target;
    a->m_selector = selector;
    a->autorelease();
    return a;
}

void CCCallFuncN::update(float t)
{
    if (m_pCallTarget && m_selector) {
        (m_pCallTarget->*m_selector)(m_pTarget);
    }
}

} // namespace cc
