// The process entry's work: the window is titled and sized from the display's
// full-screen client height before the engine's loop runs.
#include "app/AppMain.h"

#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/SimulateRunner.h"
#include "app/WindowSize.h"

#include "book/PagePrefetch.h"

#include "platform/CCApplication.h"
#include "platform/CCEGLView.h"
#include "platform/CCFileUtils.h"
#include "platform/DisplayMetrics.h"

#include <cstdio>

namespace quibo {

void useResourceDirectory(const std::string& dir)
{
    if (!dir.empty()) {
        cc::CCFileUtils::sharedFileUtils()->setSearchPaths({dir});
    }
}

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
    case CommandLine::Action::Simulate:
        return runSimulation({line.scriptPath, line.tracePath, line.resourcesDir});
    case CommandLine::Action::OpenWindow:
        break;
    }

    useResourceDirectory(line.resourcesDir);
    // The main menu's pictures decode in the background while the window opens.
    PagePrefetch::mainMenuComing();
    AppDelegate app;
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    view->setViewName(kViewName);
    const cc::CCSize size = windowSizeForScreenHeight(cc::platformFullScreenClientHeight());
    view->setFrameSize(size.width, size.height);
    return cc::CCApplication::sharedApplication()->run();
}

} // namespace quibo
