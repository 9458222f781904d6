// What the view needs from a window system: open, pump input, present.
// SDLWindowBackend is the real window; a view without a backend runs
// logic-only.
#pragma once

#include "base/CCGeometry.h"

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace cc {

class CCEGLView;

class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    // Opens a window with a GL context; false when it could not, with the
    // reason in lastError().
    virtual bool open(const char* title, int width, int height) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool hasGLContext() const = 0;
    // Feeds pending window events to the view and the application.
    virtual void pollEvents(CCEGLView* view) = 0;
    // Sleeps until a window event is waiting (it stays queued for
    // pollEvents) or the time is up. Without events of its own, just sleeps.
    virtual void waitEvents(double seconds);
    virtual void swapBuffers() = 0;
    virtual void setTitle(const char* title) = 0;
    virtual void setSize(int width, int height) = 0;
    // Full screen on the window's display (a window that cannot has none).
    virtual void setFullScreen(bool on) {}
    virtual bool isFullScreen() const { return false; }
    // Why the last open failed, in the window system's words.
    virtual std::string lastError() const { return std::string(); }
};

inline void WindowBackend::waitEvents(double seconds)
{
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// The real window of this platform (SDL); null when none can be made.
std::unique_ptr<WindowBackend> createPlatformWindowBackend();

} // namespace cc
