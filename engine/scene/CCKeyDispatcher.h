// Keys pressed on the window, in the engine's own key codes, handed to the
// registered delegates on the engine thread. Which platform key becomes which
// code is the window backend's; what a key does is the delegates'.
#pragma once

#include "base/CCObject.h"

#include <functional>
#include <vector>

namespace cc {

enum CCKeyCode {
    kCCKeyNone = 0,
    kCCKeyLeft,
    kCCKeyRight,
    kCCKeyUp,
    kCCKeyDown,
    kCCKeyPageUp,
    kCCKeyPageDown,
    kCCKeySpace,
    kCCKeyReturn,
    kCCKeyEscape,
    kCCKeyF11,
    kCCKeyQ,
    kCCKeyLeftBracket,
    kCCKeyRightBracket,
    kCCKeyOther,
};

enum CCKeyModifier : unsigned {
    kCCKeyModifierNone = 0,
    kCCKeyModifierCtrl = 1,
    kCCKeyModifierShift = 2,
    kCCKeyModifierAlt = 4,
};

struct CCKeyEvent {
    CCKeyCode key = kCCKeyNone;
    unsigned modifiers = kCCKeyModifierNone; // CCKeyModifier bits
    bool repeat = false;                      // sent again by a key held down

    bool hasOnly(unsigned wanted) const { return modifiers == wanted; }
};

class CCKeyDelegate {
public:
    virtual ~CCKeyDelegate() = default;
    // True when the key was used: no later delegate hears it.
    virtual bool ccKeyPressed(const CCKeyEvent& event) = 0;
};

class CCKeyDispatcher : public CCObject {
public:
    // heldBack tells when screen keys must wait (a scene transition plays);
    // null: never.
    explicit CCKeyDispatcher(std::function<bool()> heldBack = nullptr);

    // Screen delegates hear keys only while nothing holds them back; the one
    // registered last hears a key first (the screen on top). Window delegates
    // (full screen, quit) hear every key, before the screens.
    void addDelegate(CCKeyDelegate* delegate);
    void addWindowDelegate(CCKeyDelegate* delegate);
    // Takes effect at once: a removed delegate hears nothing more, even in
    // the dispatch that is running.
    void removeDelegate(CCKeyDelegate* delegate);
    bool isRegistered(const CCKeyDelegate* delegate) const;

    // True when some delegate used the key.
    bool dispatchKeyPressed(const CCKeyEvent& event);
    bool isHeldBack() const { return m_heldBack && m_heldBack(); }

private:
    struct Handler {
        CCKeyDelegate* delegate;
        bool window;
        bool removed;
    };
    void compact();

    // Window delegates first, then screens from the newest to the oldest.
    std::vector<Handler> m_handlers;
    std::function<bool()> m_heldBack;
    int m_walks = 0;
};

} // namespace cc
