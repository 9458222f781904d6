// The real-clock frame loop. Timers and actions advance at the animation
// interval while anything is due; a frame is drawn only when the director's
// redraw mark says the picture changed; with nothing due the loop sleeps until
// the next timer or the next window event.
#include "platform/CCApplication.h"

#include "base/CCLog.h"
#include "platform/CCEGLView.h"
#include "platform/FrameLog.h"
#include "platform/QuitSignals.h"
#include "platform/WindowBackend.h"
#include "scene/CCDirector.h"
#include "scene/CCTouchDispatcher.h"
#include "text/CCFontResolver.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace cc {

namespace {
CCApplication* s_sharedApplication = nullptr;
// A frame never reports more than this, so a stall (a dragged window, a
// debugger) does not make every timer jump at once.
const double kMaxFrameDelta = 0.25;

// Pixel buffers (textures, decoded pictures, text) come and go with every
// page. From this size on they get mappings of their own, which go back to
// the system when freed; without a fixed size the allocator raises its limit
// after the first big free and later pages leave holes in the heap.
const int kOwnMappingBytes = 128 * 1024;

// The longest sleep without a look around: a quit signal is seen by the
// loop itself, so it is never waited on for longer.
const double kMaxIdleWait = 0.5;

class RealClockLoop {
public:
    RealClockLoop(CCEGLView* view, FrameLog* log)
        : m_view(view), m_log(log), m_director(CCDirector::sharedDirector()), m_last(Clock::now())
    {
    }

    void run()
    {
        m_director->setDrawOnDemand(true);
        while (!m_director->hasEnded()) {
            handleInput();
            if (m_director->hasEnded()) {
                break;
            }
            const Clock::time_point start = Clock::now();
            frame(kMaxFrameDelta);
            waitForNextFrame(start);
        }
    }

private:
    using Clock = std::chrono::steady_clock;

    void handleInput()
    {
        CCTouchDispatcher* touches = m_director->getTouchDispatcher();
        const unsigned long before = touches->getDispatchCount();
        // A touch is stamped before it is handled: what it starts (a page
        // built, a scene replaced) counts towards the wait for its frame.
        const double polledAt = m_log ? FrameLog::now() : 0;
        if (WindowBackend* backend = m_view->getBackend()) {
            backend->pollEvents(m_view);
        }
        if (quitSignalled()) {
            m_director->end();
        }
        if (m_log && touches->getDispatchCount() != before) m_log->mark("touch", polledAt);
    }

    // One director frame with the time since the last one (at most maxDelta).
    void frame(double maxDelta)
    {
        const Clock::time_point now = Clock::now();
        double dt = std::chrono::duration<double>(now - m_last).count();
        m_last = now;
        if (dt > maxDelta) {
            dt = maxDelta;
        }
        const unsigned int drawnBefore = m_director->getDrawnFrames();
        m_director->mainLoop(static_cast<float>(dt));
        if (m_log && m_director->getDrawnFrames() != drawnBefore) m_log->frame();
    }

    void waitForNextFrame(Clock::time_point frameStart)
    {
        const double period = m_director->getAnimationInterval();
        const double spent = std::chrono::duration<double>(Clock::now() - frameStart).count();
        const double due = m_director->secondsUntilNextFrame();
        if (due == 0.0) {
            // Something moves: sleep away what is left of the frame period.
            if (spent < period) {
                std::this_thread::sleep_for(std::chrono::duration<double>(period - spent));
            }
            return;
        }
        // Nothing moves: wait for input or the next timer, never less than
        // what is left of the frame period.
        double wait = due < 0.0 ? kMaxIdleWait : std::min(due, kMaxIdleWait);
        wait = std::max(wait, period - spent);
        if (WindowBackend* backend = m_view->getBackend()) {
            backend->waitEvents(wait);
        } else {
            std::this_thread::sleep_for(std::chrono::duration<double>(wait));
        }
        // Timers catch up on the time slept before the input that ended the
        // wait is handled: a timer that input starts counts from the input,
        // not from the start of the sleep.
        if (!m_director->hasEnded()) {
            frame(wait + kMaxFrameDelta);
        }
    }

    CCEGLView* m_view;
    FrameLog* m_log;
    CCDirector* m_director;
    Clock::time_point m_last;
};
} // namespace

CCApplication::CCApplication() { s_sharedApplication = this; }

CCApplication::~CCApplication()
{
    if (s_sharedApplication == this) {
        s_sharedApplication = nullptr;
    }
}

CCApplication* CCApplication::sharedApplication() { return s_sharedApplication; }

void CCApplication::setAnimationInterval(double interval)
{
    CCDirector::sharedDirector()->setAnimationInterval(interval);
}

ccLanguageType CCApplication::getCurrentLanguage()
{
    const char* lang = std::getenv("LC_ALL");
    if (!lang || !*lang) {
        lang = std::getenv("LANG");
    }
    if (!lang) {
        return kLanguageEnglish;
    }
    struct Entry {
        const char* prefix;
        ccLanguageType type;
    };
    static const Entry table[] = {
        {"zh", kLanguageChinese}, {"fr", kLanguageFrench},   {"it", kLanguageItalian},   {"de", kLanguageGerman},
        {"es", kLanguageSpanish}, {"ru", kLanguageRussian},  {"ko", kLanguageKorean},    {"ja", kLanguageJapanese},
        {"hu", kLanguageHungarian}, {"pt", kLanguagePortuguese}, {"ar", kLanguageArabic},
    };
    for (const Entry& e : table) {
        if (std::strncmp(lang, e.prefix, 2) == 0) {
            return e.type;
        }
    }
    return kLanguageEnglish;
}

TargetPlatform CCApplication::getTargetPlatform() { return kTargetLinux; }

int CCApplication::run()
{
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
    std::unique_ptr<FrameLog> frameLog = FrameLog::fromEnvironment();
    if (frameLog) frameLog->mark("run");
    // The first screen's labels need the font list; it loads while the window opens.
    CCFontResolver::shared()->loadInBackground();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    if (!view->getBackend()) {
        std::unique_ptr<WindowBackend> backend = createPlatformWindowBackend();
        const CCSize frame = view->getFrameSize();
        const int w = frame.width > 0 ? static_cast<int>(frame.width + 0.5f) : 640;
        const int h = frame.height > 0 ? static_cast<int>(frame.height + 0.5f) : 960;
        if (backend && backend->open(view->getViewName().c_str(), w, h)) {
            view->setBackend(std::move(backend));
        } else {
            CCLog("CCApplication: no window could be opened; running without one");
        }
    }
    // SIGINT and SIGTERM raise a flag the loop watches, with or without a
    // window.
    installQuitSignals();
    if (frameLog) frameLog->mark("window");
    if (!launch()) {
        return 0;
    }
    if (frameLog) frameLog->mark("launched");

    CCDirector* director = CCDirector::sharedDirector();
    RealClockLoop(view, frameLog.get()).run();
    if (frameLog) frameLog->finish(director->getDrawnFrames(), director->getTotalFrames());
    CCDirector::purgeSharedDirector();
    return 0;
}

} // namespace cc
