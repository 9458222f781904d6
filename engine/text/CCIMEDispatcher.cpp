// Attach and detach ask both sides first: the old receiver may refuse to let
// go, the new one may refuse to take over.
#include "text/CCIMEDispatcher.h"

#include <algorithm>

namespace cc {

CCIMEDelegate::CCIMEDelegate()
{
    CCIMEDispatcher::sharedDispatcher()->addDelegate(this);
}

CCIMEDelegate::~CCIMEDelegate()
{
    CCIMEDispatcher::sharedDispatcher()->removeDelegate(this);
}

bool CCIMEDelegate::attachWithIME()
{
    return CCIMEDispatcher::sharedDispatcher()->attachDelegateWithIME(this);
}

bool CCIMEDelegate::detachWithIME()
{
    return CCIMEDispatcher::sharedDispatcher()->detachDelegateWithIME(this);
}

CCIMEDispatcher* CCIMEDispatcher::sharedDispatcher()
{
    static CCIMEDispatcher dispatcher;
    return &dispatcher;
}

void CCIMEDispatcher::setTextInputListener(std::function<void(bool)> listener)
{
    m_listener = std::move(listener);
}

void CCIMEDispatcher::tellWindow(bool active)
{
    if (m_listener) m_listener(active);
}

bool CCIMEDispatcher::isRegistered(CCIMEDelegate* delegate) const
{
    return std::find(m_delegates.begin(), m_delegates.end(), delegate) != m_delegates.end();
}

void CCIMEDispatcher::addDelegate(CCIMEDelegate* delegate)
{
    if (delegate && !isRegistered(delegate)) m_delegates.push_back(delegate);
}

void CCIMEDispatcher::removeDelegate(CCIMEDelegate* delegate)
{
    // A receiver going away takes the keyboard with it, without asking: it
    // is being destroyed and must not be called again.
    if (delegate && delegate == m_pAttached) {
        m_pAttached = nullptr;
        tellWindow(false);
    }
    m_delegates.erase(std::remove(m_delegates.begin(), m_delegates.end(), delegate), m_delegates.end());
}

bool CCIMEDispatcher::attachDelegateWithIME(CCIMEDelegate* delegate)
{
    if (!delegate || !isRegistered(delegate)) return false;
    if (delegate == m_pAttached) return true;
    if (m_pAttached) {
        if (!m_pAttached->canDetachWithIME() || !delegate->canAttachWithIME()) return false;
        CCIMEDelegate* old = m_pAttached;
        m_pAttached = nullptr;
        old->didDetachWithIME();
        m_pAttached = delegate;
        delegate->didAttachWithIME();
        return true;
    }
    if (!delegate->canAttachWithIME()) return false;
    m_pAttached = delegate;
    delegate->didAttachWithIME();
    tellWindow(true);
    return true;
}

bool CCIMEDispatcher::detachDelegateWithIME(CCIMEDelegate* delegate)
{
    if (!delegate || delegate != m_pAttached) return false;
    if (!delegate->canDetachWithIME()) return false;
    m_pAttached = nullptr;
    delegate->didDetachWithIME();
    tellWindow(false);
    return true;
}

void CCIMEDispatcher::dispatchInsertText(const char* text, int len)
{
    if (!m_pAttached || !text || len <= 0) return;
    m_pAttached->insertText(text, len);
}

void CCIMEDispatcher::dispatchDeleteBackward()
{
    if (m_pAttached) m_pAttached->deleteBackward();
}

const char* CCIMEDispatcher::getContentText()
{
    return m_pAttached ? m_pAttached->getContentText() : "";
}

} // namespace cc
