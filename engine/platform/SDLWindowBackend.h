// The real window: a resizable SDL2 window with a GL 2.1 context and the
// engine's renderer on it. Turns mouse input into the view's pointer calls,
// keys into the director's key dispatcher, closing into the director's end,
// minimise/restore into the application's background/foreground
// notifications, and every change of its size into the view's fit and the
// renderer's picture area. A hidden window serves tests and tools.
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
    void setFullScreen(bool on) override;
    bool isFullScreen() const override;
    std::string lastError() const override { return m_lastError; }

    CCRenderer* getRenderer() const { return m_renderer; }
    bool isHidden() const { return m_hidden; }
    // SDL's id of the window (0 when closed), for events aimed at it.
    unsigned int windowID() const;
    // Seconds SDL_Init of the needed subsystems took in this process.
    static double initSeconds();

private:
    void installInDirector();
    void handleWindowEvent(const void* event, CCEGLView* view);
    void handleKey(const void* event);
    // Reads the window's size, refits the view to it and gives the renderer
    // the picture's place in the drawable.
    void syncSize(CCEGLView* view);
    bool fail(const char* what);

    SDL_Window* m_window = nullptr;
    void* m_context = nullptr;
    CCRenderer* m_renderer = nullptr;
    bool m_hidden;
    bool m_pointerDown = false;
    bool m_minimised = false;
    bool m_sizeSynced = false;
    std::string m_lastError;
};

// Starts SDL's video, audio and events subsystems once (never joystick or
// haptic, which can take seconds); false without a display, with SDL's
// reason in sdlVideoError().
bool initSDLVideo();
const char* sdlVideoError();

} // namespace cc
