// Key dispatch. Registration changes made by a delegate while a key is
// handed round (a screen that leaves and the next that arrives) apply to
// the walk at once for removals and after it for additions.
#include "scene/CCKeyDispatcher.h"

#include <algorithm>

namespace cc {

CCKeyDispatcher::CCKeyDispatcher(std::function<bool()> heldBack) : m_heldBack(std::move(heldBack)) {}

void CCKeyDispatcher::addDelegate(CCKeyDelegate* delegate)
{
    if (!delegate || isRegistered(delegate)) return;
    // Screens newest first, after every window delegate.
    auto firstScreen = std::find_if(m_handlers.begin(), m_handlers.end(), [](const Handler& h) { return !h.window; });
    m_handlers.insert(firstScreen, Handler{delegate, false, false});
}

void CCKeyDispatcher::addWindowDelegate(CCKeyDelegate* delegate)
{
    if (!delegate || isRegistered(delegate)) return;
    auto firstScreen = std::find_if(m_handlers.begin(), m_handlers.end(), [](const Handler& h) { return !h.window; });
    m_handlers.insert(firstScreen, Handler{delegate, true, false});
}

void CCKeyDispatcher::removeDelegate(CCKeyDelegate* delegate)
{
    for (Handler& h : m_handlers) {
        if (h.delegate == delegate) h.removed = true;
    }
    if (m_walks == 0) compact();
}

bool CCKeyDispatcher::isRegistered(const CCKeyDelegate* delegate) const
{
    return std::any_of(m_handlers.begin(), m_handlers.end(),
                       [delegate](const Handler& h) { return h.delegate == delegate && !h.removed; });
}

void CCKeyDispatcher::compact()
{
    m_handlers.erase(std::remove_if(m_handlers.begin(), m_handlers.end(), [](const Handler& h) { return h.removed; }),
                     m_handlers.end());
}

bool CCKeyDispatcher::dispatchKeyPressed(const CCKeyEvent& event)
{
    if (event.key == kCCKeyNone) return false;
    const bool heldBack = isHeldBack();
    // The walk goes over a copy: delegates added meanwhile wait for the next
    // key, removed ones are skipped through their mark.
    const std::vector<Handler> walk = m_handlers;
    ++m_walks;
    bool used = false;
    for (const Handler& h : walk) {
        if (!h.window && heldBack) break;
        if (!isRegistered(h.delegate)) continue;
        if (h.delegate->ccKeyPressed(event)) {
            used = true;
            break;
        }
    }
    if (--m_walks == 0) compact();
    return used;
}

} // namespace cc
