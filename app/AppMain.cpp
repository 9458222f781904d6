// The process entry's work: the window is titled and sized from the display's
// full-screen client height before the engine's loop runs.
#include "app/AppMain.h"

#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/SimulateRunner.h"
#include "app/WindowSize.h"

#include "platform/CCApplication.h"
#include "platform/CCEGLView.h"
#include "platform/CCFileUtils.h"
#include "platform/DisplayMetrics.h"
#include "platform/QuitSignals.h"

#include <cstdio>
#include <cstdlib>

namespace quibo {

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
} // namespace

int runQuibo(const std::vector<std::string>& args)
{
    const CommandLine line = parseCommandLine(args);
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(usageText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "%s\n", line.error.c_str());
        return kUsageExitStatus;
    case CommandLine::Action::Simulate: {
        // Before anything starts SDL, so its own handlers never replace ours.
        cc::installQuitSignals();
        const int status = runSimulation({line.scriptPath, line.tracePath, line.resourcesDir});
        if (cc::quitSignalled()) endAfterQuitSignal();
        return status;
    }
    case CommandLine::Action::OpenWindow:
        break;
    }

    cc::installQuitSignals();
    useResourceDirectory(line.resourcesDir);
    AppDelegate app;
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    view->setViewName(kViewName);
    const cc::CCSize size = windowSizeForScreenHeight(cc::platformFullScreenClientHeight());
    view->setFrameSize(size.width, size.height);
    const int status = cc::CCApplication::sharedApplication()->run();
    if (cc::quitSignalled()) endAfterQuitSignal();
    return status;
}

} // namespace quibo
