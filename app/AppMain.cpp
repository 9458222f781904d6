// The process entry's work: the window is titled, sized from the display's
// full-screen client height (and width, when it cannot hold that) and opened
// before the engine's loop runs; without a window the program stops. The
// reader's own options (speed, remembered place) hold for the whole run.
#include "app/AppMain.h"

#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/ReaderOptions.h"
#include "app/SimulateRunner.h"
#include "app/WindowKeys.h"
#include "app/WindowSize.h"

#include "book/PagePrefetch.h"

#include "platform/CCApplication.h"
#include "platform/CCEGLView.h"
#include "platform/CCFileUtils.h"
#include "platform/DisplayMetrics.h"
#include "platform/QuitSignals.h"
#include "platform/WindowBackend.h"
#include "text/CCFontResolver.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace quibo {

namespace {
// Opens the real window behind the view; false, with one line naming the
// window system's reason, when there is none (no display, a refused
// connection): a reader without a window would run unseen until killed.
bool openWindow(cc::CCEGLView* view)
{
    std::unique_ptr<cc::WindowBackend> window = cc::createPlatformWindowBackend();
    const cc::CCSize frame = view->getFrameSize();
    const int width = static_cast<int>(frame.width + 0.5f), height = static_cast<int>(frame.height + 0.5f);
    if (!window || !window->open(view->getViewName().c_str(), width, height)) {
        const std::string reason = window ? window->lastError() : std::string("no window system");
        std::fprintf(stderr, "quibo: no window could be opened (%s); --simulate runs without one\n", reason.c_str());
        return false;
    }
    view->setBackend(std::move(window));
    return true;
}
} // namespace

void useResourceDirectory(const std::string& dir)
{
    if (!dir.empty()) {
        cc::CCFileUtils::sharedFileUtils()->setSearchPaths({dir});
    }
}

namespace {
// Ended by SIGINT or SIGTERM: the screens are gone and the output flushed;
// what is left (static destructors, a leak check in a sanitizer build) could
// outlast the second the signal allows, so the process ends here, with the
// usual status for a signal.
[[noreturn]] void endAfterQuitSignal()
{
    std::fflush(nullptr);
    std::_Exit(cc::quitSignalExitStatus());
}

// The session ends (and keeps the remembered place) before a signal's quick
// exit, so both runs live in functions of their own.
int simulate(const CommandLine& line)
{
    // A test or a book maker's check: never the user's settings file.
    useResourceDirectory(line.resourcesDir);
    ReaderSession reader(line, ReaderSession::Settings::Ignore);
    return runSimulation({line.scriptPath, line.tracePath, line.resourcesDir});
}

int readInWindow(const CommandLine& line)
{
    useResourceDirectory(line.resourcesDir);
    ReaderSession reader(line, ReaderSession::Settings::Read);
    // The main menu's pictures decode and the font list loads in the
    // background while the window opens.
    PagePrefetch::mainMenuComing();
    cc::CCFontResolver::shared()->loadInBackground();
    AppDelegate app;
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    view->setViewName(kViewName);
    const int screenHeight = cc::platformFullScreenClientHeight();
    const cc::CCSize size = fitWindowToScreen(windowSizeForScreenHeight(screenHeight),
                                              cc::platformUsableScreenWidth(), screenHeight);
    view->setFrameSize(size.width, size.height);
    if (!openWindow(view)) {
        return kNoWindowExitStatus;
    }
    WindowKeys keys;
    keys.install();
    return cc::CCApplication::sharedApplication()->run();
}
} // namespace

int runQuibo(const std::vector<std::string>& args)
{
    const CommandLine line = parseCommandLine(args);
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(usageText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(versionText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "%s\n", line.error.c_str());
        return kUsageExitStatus;
    case CommandLine::Action::Simulate: {
        // Before anything starts SDL, so its own handlers never replace ours.
        cc::installQuitSignals();
        const int status = simulate(line);
        if (cc::quitSignalled()) endAfterQuitSignal();
        return status;
    }
    case CommandLine::Action::OpenWindow:
        break;
    }

    cc::installQuitSignals();
    const int status = readInWindow(line);
    if (cc::quitSignalled()) endAfterQuitSignal();
    return status;
}

} // namespace quibo
