// The real window: an SDL2 window with a GL 2.1 context and the engine's
// renderer on it. Turns mouse input into the view's pointer calls, closing
// into the director's end, minimise/restore into the application's
// background/foreground notifications. A hidden window serves tests and tools.
#pragma once

#include "platform/WindowBackend.h"

struct SDL_Window;

namespace cc {

class CCRenderer;

class SDLWindowBackend : public WindowBackend {
public:
    explicit SDLWindowBackend(bool hidden = false);
    ~SDLWindowBackend() override;

    // Also makes the renderer and gives it to the director with the frame
    // hooks that clear, flush and present each frame.
    bool open(const char* title, int width, int height) override;
    void close() override;
    bool isOpen() const override { return m_window != nullptr; }
    bool hasGLContext() const override { return m_context != nullptr; }
    void pollEvents(CCEGLView* view) override;
    void waitEvents(double seconds) override;
    void swapBuffers() override;
    void setTitle(const char* title) override;
    void setSize(int width, int height) override;

    CCRenderer* getRenderer() const { return m_renderer; }
    bool isHidden() const { return m_hidden; }
    // Seconds SDL_Init of the needed subsystems took in this process.
    static double initSeconds();

private:
    void installInDirector();
    void handleWindowEvent(const void* event, CCEGLView* view);

    SDL_Window* m_window = nullptr;
    void* m_context = nullptr;
    CCRenderer* m_renderer = nullptr;
    bool m_hidden;
    bool m_pointerDown = false;
    bool m_minimised = false;
};

// Starts SDL's video, audio and events subsystems once (never joystick or
// haptic, which can take seconds); false plus one log line without a display.
bool initSDLVideo();

} // namespace cc
