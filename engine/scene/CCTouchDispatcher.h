// Hands each touch phase to the registered delegates. One rule orders them:
// targeted (one-by-one) delegates before standard (all-at-once) ones; among
// targeted ones lower priority values first (menus use -128, layers 0);
// otherwise order of registration. A touch claimed by a swallowing targeted
// delegate is withheld from the standard ones. Adding or removing delegates
// while a touch is being dispatched takes effect when the dispatch ends; a
// removed delegate gets no further phases of the touches it claimed.
#pragma once

#include "base/CCObject.h"
#include "base/CCRefPtr.h"
#include "scene/CCTouchPhase.h"

#include <vector>

namespace cc {

class CCSet;
class CCTouch;
class CCEvent;
class CCTouchDelegate;

static const int kCCMenuHandlerPriority = -128;

class CCTouchDispatcher : public CCObject {
public:
    CCTouchDispatcher();
    ~CCTouchDispatcher() override;

    void addStandardDelegate(CCTouchDelegate* delegate, int priority);
    void addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches);
    void removeDelegate(CCTouchDelegate* delegate);
    void removeAllDelegates();
    bool isRegistered(const CCTouchDelegate* delegate) const;

    // While off, touches are dropped (the director turns this off during a
    // scene transition so one gesture cannot act on two scenes).
    void setDispatchEvents(bool dispatch) { m_bDispatchEvents = dispatch; }
    bool isDispatchEvents() const { return m_bDispatchEvents; }

    void touchesBegan(CCSet* touches, CCEvent* event);
    void touchesMoved(CCSet* touches, CCEvent* event);
    void touchesEnded(CCSet* touches, CCEvent* event);
    void touchesCancelled(CCSet* touches, CCEvent* event);
    // Touch phases handed to delegates so far (a loop can tell that input arrived).
    unsigned long getDispatchCount() const { return m_dispatchCount; }

private:
    struct Handler {
        // Not retained: a layer (a menu is one) removes itself on exit and in
        // its destructor, and a removed handler is never called again.
        CCTouchDelegate* delegate;
        int priority;
        unsigned long order;
        bool targeted;
        bool swallows;
        std::vector<CCRefPtr<CCTouch>> claimed;
        bool removed;
    };
    void touches(CCSet* touches, CCEvent* event, TouchPhase phase);
    void insertHandler(const Handler& handler);
    void applyPending();
    static void releaseClaims(Handler& handler);

    std::vector<Handler> m_handlers;
    std::vector<Handler> m_toAdd;
    // Touches some targeted delegate claimed at their start: withheld from
    // the standard delegates for their whole life, even once the claimer is gone.
    std::vector<CCRefPtr<CCTouch>> m_withheld;
    unsigned long m_nextOrder = 0;
    unsigned long m_dispatchCount = 0;
    bool m_bDispatchEvents = true;
    bool m_bLocked = false;
};

} // namespace cc
