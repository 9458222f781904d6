// Touch dispatch in one order: targeted delegates by priority then
// registration, then standard delegates likewise. Registration changes made
// during a dispatch are queued and applied when it ends.
#include "scene/CCTouchDispatcher.h"

#include "base/CCSet.h"
#include "scene/CCTouch.h"

#include <algorithm>

namespace cc {

// Out of line: the claims need CCTouch complete.
CCTouchDispatcher::CCTouchDispatcher() = default;

CCTouchDispatcher::~CCTouchDispatcher()
{
    for (Handler& h : m_handlers) {
        releaseClaims(h);
    }
    m_withheld.clear();
}

void CCTouchDispatcher::releaseClaims(Handler& handler)
{
    handler.claimed.clear();
}

void CCTouchDispatcher::insertHandler(const Handler& handler)
{
    // Targeted before standard, then priority, then registration order.
    auto before = [](const Handler& a, const Handler& b) {
        if (a.targeted != b.targeted) {
            return a.targeted;
        }
        if (a.priority != b.priority) {
            return a.priority < b.priority;
        }
        return a.order < b.order;
    };
    auto it = std::upper_bound(m_handlers.begin(), m_handlers.end(), handler, before);
    m_handlers.insert(it, handler);
}

void CCTouchDispatcher::addStandardDelegate(CCTouchDelegate* delegate, int priority)
{
    if (!delegate) {
        return;
    }
    Handler h{delegate, priority, m_nextOrder++, false, false, {}, false};
    if (m_bLocked) {
        m_toAdd.push_back(h);
    } else if (!isRegistered(delegate)) {
        insertHandler(h);
    }
}

void CCTouchDispatcher::addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches)
{
    if (!delegate) {
        return;
    }
    Handler h{delegate, priority, m_nextOrder++, true, swallowsTouches, {}, false};
    if (m_bLocked) {
        m_toAdd.push_back(h);
    } else if (!isRegistered(delegate)) {
        insertHandler(h);
    }
}

void CCTouchDispatcher::removeDelegate(CCTouchDelegate* delegate)
{
    m_toAdd.erase(std::remove_if(m_toAdd.begin(), m_toAdd.end(),
                                 [delegate](const Handler& h) { return h.delegate == delegate; }),
                  m_toAdd.end());
    for (Handler& h : m_handlers) {
        if (h.delegate == delegate) {
            // Marked at once so the running dispatch skips it; erased later.
            h.removed = true;
            releaseClaims(h);
        }
    }
    if (!m_bLocked) {
        applyPending();
    }
}

void CCTouchDispatcher::removeAllDelegates()
{
    m_toAdd.clear();
    for (Handler& h : m_handlers) {
        h.removed = true;
        releaseClaims(h);
    }
    if (!m_bLocked) {
        applyPending();
    }
}

bool CCTouchDispatcher::isRegistered(const CCTouchDelegate* delegate) const
{
    for (const Handler& h : m_handlers) {
        if (h.delegate == delegate && !h.removed) {
            return true;
        }
    }
    for (const Handler& h : m_toAdd) {
        if (h.delegate == delegate) {
            return true;
        }
    }
    return false;
}

void CCTouchDispatcher::applyPending()
{
    m_handlers.erase(std::remove_if(m_handlers.begin(), m_handlers.end(), [](const Handler& h) { return h.removed; }),
                     m_handlers.end());
    std::vector<Handler> toAdd;
    toAdd.swap(m_toAdd);
    for (const Handler& h : toAdd) {
        if (!isRegistered(h.delegate)) {
            insertHandler(h);
        }
    }
}

void CCTouchDispatcher::touches(CCSet* touchSet, CCEvent* event, TouchPhase phase)
{
    if (!m_bDispatchEvents || !touchSet || touchSet->count() == 0) {
        return;
    }
    ++m_dispatchCount;
    const bool wasLocked = m_bLocked;
    m_bLocked = true;

    // A touch claimed by a targeted delegate is withheld from the standard
    // delegates; a swallowing claimer also hides it from later targeted ones.
    CCRefPtr<CCSet> remaining = CCRefPtr<CCSet>::adopt(new CCSet(*touchSet));

    // Handlers are addressed by index: the vector is not resized while
    // locked, entries are only marked removed.
    const size_t handlerCount = m_handlers.size();
    for (CCObject* o : *touchSet) {
        CCTouch* touch = static_cast<CCTouch*>(o);
        for (size_t i = 0; i < handlerCount && m_handlers[i].targeted; ++i) {
            if (m_handlers[i].removed) {
                continue;
            }
            bool claimed = false;
            if (phase == kTouchBegan) {
                claimed = m_handlers[i].delegate->ccTouchBegan(touch, event);
                if (claimed && !m_handlers[i].removed) {
                    m_handlers[i].claimed.emplace_back(touch);
                }
            } else {
                Handler& h = m_handlers[i];
                auto it = std::find(h.claimed.begin(), h.claimed.end(), touch);
                if (it != h.claimed.end()) {
                    claimed = true;
                    if (phase == kTouchMoved) {
                        h.delegate->ccTouchMoved(touch, event);
                    } else {
                        // Forget the claim first: the handler may remove itself.
                        // The touch stays held until the handler has seen it.
                        CCRefPtr<CCTouch> held = std::move(*it);
                        h.claimed.erase(it);
                        if (phase == kTouchEnded) {
                            h.delegate->ccTouchEnded(touch, event);
                        } else {
                            h.delegate->ccTouchCancelled(touch, event);
                        }
                        held.reset();
                    }
                }
            }
            if (claimed) {
                if (phase == kTouchBegan && std::find(m_withheld.begin(), m_withheld.end(), touch) == m_withheld.end()) {
                    m_withheld.emplace_back(touch);
                }
                remaining->removeObject(touch);
                if (m_handlers[i].swallows) {
                    break;
                }
            }
        }
    }

    for (auto it = m_withheld.begin(); it != m_withheld.end();) {
        CCTouch* touch = it->get();
        if (touchSet->containsObject(touch)) {
            remaining->removeObject(touch);
            if (phase == kTouchEnded || phase == kTouchCancelled) {
                CCRefPtr<CCTouch> held = std::move(*it);
                it = m_withheld.erase(it);
                held.reset();
                continue;
            }
        }
        ++it;
    }

    if (remaining->count() > 0) {
        for (size_t i = 0; i < handlerCount; ++i) {
            Handler& h = m_handlers[i];
            if (h.targeted || h.removed) {
                continue;
            }
            switch (phase) {
            case kTouchBegan: h.delegate->ccTouchesBegan(remaining.get(), event); break;
            case kTouchMoved: h.delegate->ccTouchesMoved(remaining.get(), event); break;
            case kTouchEnded: h.delegate->ccTouchesEnded(remaining.get(), event); break;
            case kTouchCancelled: h.delegate->ccTouchesCancelled(remaining.get(), event); break;
            }
        }
    }
    remaining.reset();

    m_bLocked = wasLocked;
    if (!m_bLocked) {
        applyPending();
    }
}

void CCTouchDispatcher::touchesBegan(CCSet* t, CCEvent* e) { touches(t, e, kTouchBegan); }
void CCTouchDispatcher::touchesMoved(CCSet* t, CCEvent* e) { touches(t, e, kTouchMoved); }
void CCTouchDispatcher::touchesEnded(CCSet* t, CCEvent* e) { touches(t, e, kTouchEnded); }
void CCTouchDispatcher::touchesCancelled(CCSet* t, CCEvent* e) { touches(t, e, kTouchCancelled); }

} // namespace cc
