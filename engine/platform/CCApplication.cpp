// The real-clock frame loop.
#include "platform/CCApplication.h"

#include "base/CCLog.h"
#include "platform/CCEGLView.h"
#include "platform/FrameLog.h"
#include "platform/WindowBackend.h"
#include "scene/CCDirector.h"
#include "scene/CCTouchDispatcher.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace cc {

namespace {
CCApplication* s_sharedApplication = nullptr;
// A frame never reports more than this, so a stall (a dragged window, a
// debugger) does not make every timer jump at once.
const double kMaxFrameDelta = 0.25;

// Without a window nothing else hears SIGINT / SIGTERM (a window would turn
// them into a quit event), so the loop watches this flag itself.
std::atomic<bool> s_quitSignalled{false};
extern "C" void onQuitSignal(int) { s_quitSignalled = true; }
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
    std::unique_ptr<FrameLog> frameLog = FrameLog::fromEnvironment();
    if (frameLog) frameLog->mark("run");
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
    if (!view->getBackend()) {
        s_quitSignalled = false;
        std::signal(SIGINT, onQuitSignal);
        std::signal(SIGTERM, onQuitSignal);
    }
    if (frameLog) frameLog->mark("window");
    if (!launch()) {
        return 0;
    }
    if (frameLog) frameLog->mark("launched");

    CCDirector* director = CCDirector::sharedDirector();
    using Clock = std::chrono::steady_clock;
    Clock::time_point last = Clock::now();
    while (!director->hasEnded()) {
        const unsigned long touchesBefore = director->getTouchDispatcher()->getDispatchCount();
        if (WindowBackend* backend = view->getBackend()) {
            backend->pollEvents(view);
        } else if (s_quitSignalled) {
            director->end();
        }
        if (frameLog && director->getTouchDispatcher()->getDispatchCount() != touchesBefore) frameLog->touch();
        if (director->hasEnded()) {
            break;
        }
        const Clock::time_point now = Clock::now();
        double dt = std::chrono::duration<double>(now - last).count();
        last = now;
        if (dt > kMaxFrameDelta) {
            dt = kMaxFrameDelta;
        }
        const unsigned int drawnBefore = director->getDrawnFrames();
        director->mainLoop(static_cast<float>(dt));
        if (frameLog && director->getDrawnFrames() != drawnBefore) frameLog->frame();

        // Sleep away what is left of the frame period.
        const auto period = std::chrono::duration<double>(director->getAnimationInterval());
        const auto spent = Clock::now() - now;
        if (spent < period) {
            std::this_thread::sleep_for(period - spent);
        }
    }
    if (frameLog) frameLog->finish(director->getDrawnFrames(), director->getTotalFrames());
    CCDirector::purgeSharedDirector();
    return 0;
}

} // namespace cc
