// Keyboard text input: objects that can take typed text (CCIMEDelegate)
// register with the process-wide dispatcher, at most one is attached at a
// time, and the window feeds typed text, Backspace and Return to it. The
// window is told through a listener when text input should start or stop.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cc {

class CCIMEDelegate {
public:
    virtual ~CCIMEDelegate();
    // Ask the dispatcher to make this the keyboard's receiver, or to stop.
    virtual bool attachWithIME();
    virtual bool detachWithIME();

protected:
    friend class CCIMEDispatcher;
    // Registers with the dispatcher; the destructor unregisters (and detaches).
    CCIMEDelegate();

    virtual bool canAttachWithIME() { return false; }
    virtual void didAttachWithIME() {}
    virtual bool canDetachWithIME() { return false; }
    virtual void didDetachWithIME() {}
    virtual void insertText(const char* text, int len) {}
    virtual void deleteBackward() {}
    virtual const char* getContentText() { return ""; }
};

class CCIMEDispatcher {
public:
    static CCIMEDispatcher* sharedDispatcher();

    // Typed text (UTF-8, len bytes); Return arrives as "\n".
    void dispatchInsertText(const char* text, int len);
    void dispatchDeleteBackward();
    // Text of the attached delegate ("" when none).
    const char* getContentText();
    CCIMEDelegate* attachedDelegate() const { return m_pAttached; }
    bool hasAttachedDelegate() const { return m_pAttached != nullptr; }

    // The window registers this to start (true) or stop (false) its text
    // input when a delegate attaches or detaches. Null removes it.
    void setTextInputListener(std::function<void(bool active)> listener);

    void addDelegate(CCIMEDelegate* delegate);
    void removeDelegate(CCIMEDelegate* delegate);
    bool attachDelegateWithIME(CCIMEDelegate* delegate);
    bool detachDelegateWithIME(CCIMEDelegate* delegate);

private:
    CCIMEDispatcher() = default;
    bool isRegistered(CCIMEDelegate* delegate) const;
    void tellWindow(bool active);

    std::vector<CCIMEDelegate*> m_delegates; // not retained: delegates unregister themselves
    CCIMEDelegate* m_pAttached = nullptr; // not retained: cleared when that delegate unregisters
    std::function<void(bool)> m_listener;
};

} // namespace cc
