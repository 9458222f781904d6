// SDL2 window, GL context, event pump and presentation.
#include "platform/SDLWindowBackend.h"

#include "base/CCLog.h"
#include "platform/CCApplication.h"
#include "platform/CCEGLView.h"
#include "render/CCGL.h"
#include "render/CCRenderer.h"
#include "scene/CCDirector.h"
#include "text/CCIMEDispatcher.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>

namespace cc {

namespace {
double s_initSeconds = 0;
// A renderer whose window closed stays allocated (inert) until the next
// window, because nodes and the director may still hold its pointer.
CCRenderer* s_retiredRenderer = nullptr;
// The visible window frames are presented to (null when hidden or closed).
SDL_Window* s_presentWindow = nullptr;

// Window events after which what the window shows must be drawn again.
bool uncoversPicture(Uint8 event)
{
    return event == SDL_WINDOWEVENT_EXPOSED || event == SDL_WINDOWEVENT_SHOWN || event == SDL_WINDOWEVENT_RESTORED ||
           event == SDL_WINDOWEVENT_SIZE_CHANGED || event == SDL_WINDOWEVENT_MAXIMIZED;
}
} // namespace

bool initSDLVideo()
{
    static int state = 0; // 0 untried, 1 ready, -1 failed
    if (state == 0) {
        const auto start = std::chrono::steady_clock::now();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            CCLog("SDLWindowBackend: no display (%s)", SDL_GetError());
            state = -1;
        } else {
            // Sound is optional here: without a device the program stays silent.
            SDL_InitSubSystem(SDL_INIT_AUDIO);
            state = 1;
        }
        s_initSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    return state == 1;
}

double SDLWindowBackend::initSeconds() { return s_initSeconds; }

std::unique_ptr<WindowBackend> createPlatformWindowBackend()
{
    return std::unique_ptr<WindowBackend>(new SDLWindowBackend(false));
}

SDLWindowBackend::SDLWindowBackend(bool hidden) : m_hidden(hidden) {}

SDLWindowBackend::~SDLWindowBackend()
{
    close();
}

bool SDLWindowBackend::open(const char* title, int width, int height)
{
    if (m_window) {
        setTitle(title);
        setSize(width, height);
        return true;
    }
    if (!initSDLVideo()) return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    const Uint32 flags = SDL_WINDOW_OPENGL | (m_hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    m_window = SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                flags);
    if (!m_window) {
        CCLog("SDLWindowBackend: cannot open a %dx%d window (%s)", width, height, SDL_GetError());
        return false;
    }
    m_context = SDL_GL_CreateContext(m_window);
    if (!m_context) {
        CCLog("SDLWindowBackend: no OpenGL context (%s)", SDL_GetError());
        close();
        return false;
    }
    SDL_GL_MakeCurrent(m_window, m_context);
    SDL_GL_SetSwapInterval(m_hidden ? 0 : 1);
    delete s_retiredRenderer;
    s_retiredRenderer = nullptr;
    int dw = width, dh = height;
    SDL_GL_GetDrawableSize(m_window, &dw, &dh);
    m_renderer = CCRenderer::create(dw, dh, /*drawIntoWindow=*/!m_hidden);
    if (!m_renderer) {
        close();
        return false;
    }
    if (!m_hidden) s_presentWindow = m_window;
    installInDirector();
    // Text input is on only while a text field holds the keyboard.
    SDL_StopTextInput();
    CCIMEDispatcher::sharedDispatcher()->setTextInputListener([](bool on) {
        if (on) {
            SDL_StartTextInput();
        } else {
            SDL_StopTextInput();
        }
    });
    return true;
}

void SDLWindowBackend::installInDirector()
{
    CCDirector* director = CCDirector::sharedDirector();
    director->setRenderer(m_renderer);
    director->setFrameHooks(
        [] {
            if (CCRenderer* r = CCRenderer::current()) r->beginFrame(CCDirector::sharedDirector()->getWinSize());
        },
        [] {
            CCRenderer* r = CCRenderer::current();
            if (!r) return;
            r->endFrame();
            if (s_presentWindow) {
                r->present();
                SDL_GL_SwapWindow(s_presentWindow);
            }
        });
}

void SDLWindowBackend::close()
{
    if (m_window) {
        CCIMEDispatcher::sharedDispatcher()->setTextInputListener(nullptr);
    }
    if (m_renderer) {
        m_renderer->shutdown();
        delete s_retiredRenderer;
        s_retiredRenderer = m_renderer;
        m_renderer = nullptr;
    }
    if (s_presentWindow == m_window) s_presentWindow = nullptr;
    if (m_context) {
        SDL_GL_DeleteContext(m_context);
        m_context = nullptr;
    }
    if (m_window) {
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
    }
}

void SDLWindowBackend::pollEvents(CCEGLView* view)
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT:
            CCDirector::sharedDirector()->end();
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button == SDL_BUTTON_LEFT && view) {
                m_pointerDown = true;
                // Keep receiving the drag when it leaves the window.
                SDL_CaptureMouse(SDL_TRUE);
                view->handlePointerDown(static_cast<float>(e.button.x), static_cast<float>(e.button.y));
            }
            break;
        case SDL_MOUSEMOTION:
            if (m_pointerDown && view) {
                view->handlePointerMove(static_cast<float>(e.motion.x), static_cast<float>(e.motion.y));
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (e.button.button == SDL_BUTTON_LEFT && m_pointerDown && view) {
                m_pointerDown = false;
                SDL_CaptureMouse(SDL_FALSE);
                view->handlePointerUp(static_cast<float>(e.button.x), static_cast<float>(e.button.y));
            }
            break;
        case SDL_WINDOWEVENT:
            handleWindowEvent(&e, view);
            break;
        case SDL_TEXTINPUT:
            CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(e.text.text,
                                                                    static_cast<int>(std::strlen(e.text.text)));
            break;
        case SDL_KEYDOWN:
            if (e.key.keysym.sym == SDLK_BACKSPACE) {
                CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
            } else if (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) {
                // Return closes input: the field takes the line feed as its end.
                CCIMEDispatcher::sharedDispatcher()->dispatchInsertText("\n", 1);
            }
            break;
        default:
            break;
        }
    }
}

void SDLWindowBackend::waitEvents(double seconds)
{
    // The event is left in the queue; only waking up is wanted here.
    const int ms = seconds > 0 ? static_cast<int>(std::ceil(seconds * 1000.0)) : 0;
    SDL_WaitEventTimeout(nullptr, ms);
    // Waiting marks the end of a poll cycle in the queue; left there, it
    // would end the next pollEvents before events queued after it.
    SDL_FlushEvent(SDL_POLLSENTINEL);
}

void SDLWindowBackend::handleWindowEvent(const void* event, CCEGLView* view)
{
    const SDL_WindowEvent& w = static_cast<const SDL_Event*>(event)->window;
    if (!m_window || w.windowID != SDL_GetWindowID(m_window)) return;
    if (uncoversPicture(w.event)) CCDirector::setNeedsRedraw();
    CCApplication* app = CCApplication::sharedApplication();
    switch (w.event) {
    case SDL_WINDOWEVENT_CLOSE:
        CCDirector::sharedDirector()->end();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        // The pointer grab is gone: the gesture in progress cannot finish.
        if (m_pointerDown && view) {
            m_pointerDown = false;
            SDL_CaptureMouse(SDL_FALSE);
            view->handlePointerCancel();
        }
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        if (!m_minimised) {
            m_minimised = true;
            if (m_pointerDown && view) {
                m_pointerDown = false;
                view->handlePointerCancel();
            }
            if (app) app->enterBackground();
        }
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (m_minimised) {
            m_minimised = false;
            if (app) app->enterForeground();
        }
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (m_renderer) {
            int dw = 0, dh = 0;
            SDL_GL_GetDrawableSize(m_window, &dw, &dh);
            m_renderer->setFramebufferSize(dw, dh);
        }
        break;
    default:
        break;
    }
}

void SDLWindowBackend::swapBuffers()
{
    if (m_window && !m_hidden) SDL_GL_SwapWindow(m_window);
}

void SDLWindowBackend::setTitle(const char* title)
{
    if (m_window) SDL_SetWindowTitle(m_window, title ? title : "");
}

void SDLWindowBackend::setSize(int width, int height)
{
    if (!m_window || width <= 0 || height <= 0) return;
    SDL_SetWindowSize(m_window, width, height);
    int dw = width, dh = height;
    SDL_GL_GetDrawableSize(m_window, &dw, &dh);
    if (m_renderer) m_renderer->setFramebufferSize(dw, dh);
}

} // namespace cc
