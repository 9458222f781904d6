// SDL2 window, GL context, event pump and presentation.
#include "platform/SDLWindowBackend.h"

#include "base/CCLog.h"
#include "platform/CCApplication.h"
#include "platform/CCEGLView.h"
#include "platform/DisplayMetrics.h"
#include "render/CCGL.h"
#include "render/CCRenderer.h"
#include "scene/CCDirector.h"
#include "scene/CCKeyDispatcher.h"
#include "text/CCIMEDispatcher.h"

#include <SDL2/SDL.h>

#include <algorithm>
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
std::string s_videoError;

CCKeyCode keyCodeOf(SDL_Keycode key)
{
    switch (key) {
    case SDLK_LEFT: return kCCKeyLeft;
    case SDLK_RIGHT: return kCCKeyRight;
    case SDLK_UP: return kCCKeyUp;
    case SDLK_DOWN: return kCCKeyDown;
    case SDLK_PAGEUP: return kCCKeyPageUp;
    case SDLK_PAGEDOWN: return kCCKeyPageDown;
    case SDLK_SPACE: return kCCKeySpace;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return kCCKeyReturn;
    case SDLK_ESCAPE: return kCCKeyEscape;
    case SDLK_F11: return kCCKeyF11;
    case SDLK_q: return kCCKeyQ;
    case SDLK_LEFTBRACKET: return kCCKeyLeftBracket;
    case SDLK_RIGHTBRACKET: return kCCKeyRightBracket;
    default: return kCCKeyOther;
    }
}

unsigned modifiersOf(Uint16 mod)
{
    unsigned m = kCCKeyModifierNone;
    if (mod & KMOD_CTRL) m |= kCCKeyModifierCtrl;
    if (mod & KMOD_SHIFT) m |= kCCKeyModifierShift;
    if (mod & KMOD_ALT) m |= kCCKeyModifierAlt;
    return m;
}
} // namespace

namespace {
// Drivers that draw nowhere a person can see. SDL falls back to them when
// no display answers; only an explicit SDL_VIDEODRIVER may choose them.
bool drawsNowhere(const char* driver)
{
    return SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0 ||
           SDL_strcmp(driver, "evdev") == 0;
}

// A desktop driver without its display variable would only probe a default
// socket (and libraries print their own complaints doing so).
const char* missingDisplayVariable(const char* driver)
{
    const char* variable = SDL_strcmp(driver, "x11") == 0       ? "DISPLAY"
                           : SDL_strcmp(driver, "wayland") == 0 ? "WAYLAND_DISPLAY"
                                                                : nullptr;
    if (!variable) return nullptr;
    const char* value = SDL_getenv(variable);
    return value && *value ? nullptr : variable;
}

bool initVideoDriver(const char* driver)
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    const bool ok = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, nullptr);
    return ok;
}

// SDL's own choice when the user named a driver; otherwise the first
// display driver that answers, collecting each one's reason on the way.
bool initDisplay()
{
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (asked && *asked) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0) return true;
        s_videoError = SDL_GetError();
        return false;
    }
    s_videoError.clear();
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!driver || drawsNowhere(driver)) continue;
        if (!s_videoError.empty()) s_videoError += ", ";
        if (const char* variable = missingDisplayVariable(driver)) {
            s_videoError += std::string(driver) + ": " + variable + " is not set";
            continue;
        }
        if (initVideoDriver(driver)) return true;
        s_videoError += SDL_GetError();
    }
    if (s_videoError.empty()) s_videoError = "SDL has no display driver";
    return false;
}

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
        if (!initDisplay()) {
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

const char* sdlVideoError() { return s_videoError.c_str(); }

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

bool SDLWindowBackend::fail(const char* what)
{
    m_lastError = std::string(what) + ": " + SDL_GetError();
    return false;
}

unsigned int SDLWindowBackend::windowID() const { return m_window ? SDL_GetWindowID(m_window) : 0; }

bool SDLWindowBackend::open(const char* title, int width, int height)
{
    if (m_window) {
        setTitle(title);
        setSize(width, height);
        return true;
    }
    m_lastError.clear();
    if (!initSDLVideo()) {
        m_lastError = std::string("no display: ") + sdlVideoError();
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    // Any size and full screen are the user's to choose; the picture keeps
    // its shape (the view's fit). High-density screens get a drawable of
    // their full pixel size.
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI |
                         (m_hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    int x = static_cast<int>(SDL_WINDOWPOS_CENTERED), y = static_cast<int>(SDL_WINDOWPOS_CENTERED);
    platformCentredWindowPosition(width, height, x, y);
    m_window = SDL_CreateWindow(title ? title : "", x, y, width, height, flags);
    if (!m_window) {
        return fail("cannot open a window");
    }
    m_sizeSynced = false;
    m_context = SDL_GL_CreateContext(m_window);
    if (!m_context) {
        fail("no OpenGL context");
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
        m_lastError = "no renderer on the OpenGL context";
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
    // The window manager may have given the window another size than asked.
    if (!m_sizeSynced && view) syncSize(view);
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
            handleKey(&e);
            break;
        default:
            break;
        }
    }
}

void SDLWindowBackend::handleKey(const void* event)
{
    const SDL_KeyboardEvent& k = static_cast<const SDL_Event*>(event)->key;
    if (SDL_IsTextInputActive()) {
        // A text field holds the keyboard: keys edit it and nothing else.
        if (k.keysym.sym == SDLK_BACKSPACE) {
            CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
        } else if (k.keysym.sym == SDLK_RETURN || k.keysym.sym == SDLK_KP_ENTER) {
            // Return closes input: the field takes the line feed as its end.
            CCIMEDispatcher::sharedDispatcher()->dispatchInsertText("\n", 1);
        }
        return;
    }
    CCKeyEvent key;
    key.key = keyCodeOf(k.keysym.sym);
    key.modifiers = modifiersOf(k.keysym.mod);
    key.repeat = k.repeat != 0;
    CCDirector::sharedDirector()->getKeyDispatcher()->dispatchKeyPressed(key);
}

void SDLWindowBackend::syncSize(CCEGLView* view)
{
    if (!m_window || !view) return;
    int ww = 0, wh = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(m_window, &ww, &wh);
    SDL_GL_GetDrawableSize(m_window, &dw, &dh);
    // A minimised window may report nothing: the last picture stays.
    if (ww <= 0 || wh <= 0 || dw <= 0 || dh <= 0) return;
    m_sizeSynced = true;
    view->setWindowSize(ww, wh);
    if (m_renderer) {
        // The view's viewport in window units, in drawable pixels: the same
        // rectangle the pointer is mapped through.
        const CCRect r = view->getViewportRect();
        const double sx = static_cast<double>(dw) / ww, sy = static_cast<double>(dh) / wh;
        const int left = std::clamp(static_cast<int>(std::lround(r.origin.x * sx)), 0, dw - 1);
        const int top = std::clamp(static_cast<int>(std::lround(r.origin.y * sy)), 0, dh - 1);
        const int right = std::clamp(static_cast<int>(std::lround((r.origin.x + r.size.width) * sx)), left + 1, dw);
        const int bottom = std::clamp(static_cast<int>(std::lround((r.origin.y + r.size.height) * sy)), top + 1, dh);
        m_renderer->setFramebufferSize(right - left, bottom - top);
        m_renderer->setPresentArea(left, top, dw, dh);
    }
    view->frameChanged();
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
        // Restored from a maximised or minimised state: sizes may differ.
        syncSize(view);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        syncSize(view);
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
    // The program's own size: the view stretches the design area over all of it.
    SDL_SetWindowSize(m_window, width, height);
    int dw = width, dh = height;
    SDL_GL_GetDrawableSize(m_window, &dw, &dh);
    if (m_renderer) {
        m_renderer->setFramebufferSize(dw, dh);
        m_renderer->setPresentArea(0, 0, dw, dh);
    }
}

void SDLWindowBackend::setFullScreen(bool on)
{
    if (!m_window || on == isFullScreen()) return;
    if (SDL_SetWindowFullscreen(m_window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        CCLog("SDLWindowBackend: full screen refused (%s)", SDL_GetError());
        return;
    }
    // The size event follows; the next pump reads the size in any case.
    m_sizeSynced = false;
}

bool SDLWindowBackend::isFullScreen() const
{
    return m_window && (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN) != 0;
}

} // namespace cc
