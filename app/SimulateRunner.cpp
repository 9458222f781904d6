// The simulate run. After every frame it reports what changed to the trace:
// new log lines, new audio events, and a finished scene switch (a transition
// counts once its incoming scene has taken over).
#include "app/SimulateRunner.h"

#include "app/AppDelegate.h"
#include "app/AppMain.h"
#include "app/CommandLine.h"
#include "app/SceneDump.h"
#include "app/SimulateScript.h"
#include "app/TraceWriter.h"
#include "app/WidgetDescriber.h"
#include "book/BookSettings.h"
#include "book/MenuLayerMainMenu.h"
#include "book/MenuTestScene.h"
#include "book/TestLayer1.h"
#include "book/TestLayer2.h"
#include "book/VisibleArea.h"

#include "audio/SimpleAudioEngine.h"
#include "audio/SimulatedAudioBackend.h"
#include "base/CCArray.h"
#include "base/CCLog.h"
#include "platform/CCEGLView.h"
#include "platform/CCFileUtils.h"
#include "platform/FrameDriver.h"
#include "platform/QuitSignals.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

namespace quibo {

namespace {

// Keeps virtual time at whole frames: 1.0 s at 60 Hz is 60 frames.
const double kFrameSlack = 1e-9;

class Simulation {
public:
    Simulation(cc::FrameDriver& driver, TraceWriter* trace) : m_driver(driver), m_trace(trace) {}

    void observe();
    void frame();
    // Runs one command; false when the run should stop.
    bool run(const ScriptCommand& command);
    void finish();

private:
    void reportLog();
    void reportAudio();
    void reportScene();
    static Json::Value whereTheReaderIs(cc::CCScene* scene, cc::CCLayer* layer);
    void dump();

    cc::FrameDriver& m_driver;
    TraceWriter* m_trace;
    cc::CCLogCapture m_log;
    size_t m_logSeen = 0;
    size_t m_audioSeen = 0;
    const cc::CCScene* m_shownScene = nullptr; // compared only, never used
};

void Simulation::frame()
{
    m_driver.step(1);
    observe();
}

void Simulation::observe()
{
    reportLog();
    reportAudio();
    reportScene();
}

void Simulation::reportLog()
{
    const std::vector<std::string>& lines = m_log.lines();
    for (; m_logSeen < lines.size(); ++m_logSeen) {
        if (m_trace) {
            m_trace->log(m_driver.now(), lines[m_logSeen]);
        }
    }
}

void Simulation::reportAudio()
{
    cc::SimulatedAudioBackend* sim = cc::SimpleAudioEngine::sharedEngine()->simulatedBackend();
    if (!sim) {
        return;
    }
    const std::vector<cc::AudioEvent>& record = sim->record();
    m_audioSeen = std::min(m_audioSeen, record.size());
    for (; m_audioSeen < record.size(); ++m_audioSeen) {
        const cc::AudioEvent& e = record[m_audioSeen];
        if (!m_trace) {
            continue;
        }
        switch (e.kind) {
        case cc::AudioEvent::Kind::Play: m_trace->audioFile(e.time, "play", e.name); break;
        case cc::AudioEvent::Kind::End: m_trace->audioFile(e.time, "ended", e.name); break;
        case cc::AudioEvent::Kind::Volume: m_trace->audioValue(e.time, "volume", e.volume); break;
        case cc::AudioEvent::Kind::Stop: m_trace->audio(e.time, "stop"); break;
        }
    }
}

void Simulation::reportScene()
{
    cc::CCScene* running = m_driver.director()->getRunningScene();
    if (!running || running->isTransition() || running == m_shownScene) {
        return;
    }
    m_shownScene = running;
    cc::CCLayer* layer = nullptr;
    cc::CCObject* child = nullptr;
    CCARRAY_FOREACH(running->getChildren(), child)
    {
        if ((layer = dynamic_cast<cc::CCLayer*>(child))) {
            break;
        }
    }
    if (m_trace) {
        m_trace->scene(m_driver.now(), layer ? nodeClassName(layer) : std::string(), whereTheReaderIs(running, layer));
    }
}

// A page layer shows the current page; the selection menu shows its grid
// from the entry the paging state starts the screen with.
Json::Value Simulation::whereTheReaderIs(cc::CCScene* scene, cc::CCLayer* layer)
{
    Json::Value where(Json::objectValue);
    if (dynamic_cast<TestLayer1*>(layer) || dynamic_cast<TestLayer2*>(layer)) {
        where["page"] = bookSettings().currentPage;
    } else if (dynamic_cast<MenuTestScene*>(scene)) {
        where["firstEntry"] = menuPaging().menuFirst;
    }
    return where;
}

void Simulation::dump()
{
    cc::CCScene* running = m_driver.director()->getRunningScene();
    SceneDump d = dumpNodeTree(running, {widgetDescriber(running)});
    std::cout << d.text;
    std::cout.flush();
    if (m_trace) {
        m_trace->dump(m_driver.now(), d.tree);
    }
}

bool Simulation::run(const ScriptCommand& c)
{
    using Kind = ScriptCommand::Kind;
    const cc::CCPoint p(static_cast<float>(c.args[0]), static_cast<float>(c.args[1]));
    switch (c.kind) {
    case Kind::Wait: {
        const double target = m_driver.now() + c.args[0] - kFrameSlack;
        while (m_driver.now() < target && !m_driver.director()->hasEnded() && !cc::quitSignalled()) {
            frame();
        }
        break;
    }
    case Kind::Down: m_driver.touchDown(p); break;
    case Kind::Move: m_driver.touchMove(p); break;
    case Kind::Up: m_driver.touchUp(p); break;
    case Kind::Tap:
        m_driver.touchDown(p);
        frame();
        m_driver.touchUp(p);
        frame();
        break;
    case Kind::Swipe: {
        const cc::CCPoint to(static_cast<float>(c.args[2]), static_cast<float>(c.args[3]));
        const int moves = std::max(1, static_cast<int>(std::lround(c.args[4] / m_driver.frameTime())));
        m_driver.touchDown(p);
        frame();
        for (int i = 1; i <= moves; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(moves);
            m_driver.touchMove(p + (to - p) * t);
            frame();
        }
        m_driver.touchUp(to);
        frame();
        break;
    }
    case Kind::Dump: dump(); break;
    case Kind::Shot:
        if (!m_driver.screenshot(c.text)) {
            std::fprintf(stderr, "quibo: script line %d: no picture taken (no display?): %s\n", c.line,
                         c.text.c_str());
        }
        break;
    case Kind::Quit: return false;
    }
    // Touches are delivered at once; their log lines belong to this moment.
    observe();
    // SIGINT or SIGTERM ends the run between two commands or inside a wait.
    return !m_driver.director()->hasEnded() && !cc::quitSignalled();
}

void Simulation::finish()
{
    observe();
    if (m_trace) {
        m_trace->stats(m_driver.now(), cc::CCObject::liveObjectCount());
    }
}

bool readFile(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    out = text.str();
    return true;
}

} // namespace

int runSimulation(const SimulateRequest& request)
{
    std::string script;
    if (!readFile(request.scriptPath, script)) {
        std::fprintf(stderr, "quibo: cannot read script '%s'\n", request.scriptPath.c_str());
        return kUsageExitStatus;
    }
    std::vector<ScriptCommand> commands;
    std::string error;
    if (!parseScript(script, commands, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kUsageExitStatus;
    }
    std::unique_ptr<TraceWriter> trace;
    if (!request.tracePath.empty()) {
        trace.reset(new TraceWriter(request.tracePath));
        if (!trace->isOpen()) {
            std::fprintf(stderr, "quibo: cannot write trace '%s'\n", request.tracePath.c_str());
            return kUsageExitStatus;
        }
    }

    // A run starts from the state a fresh process has.
    bookSettings().reset();
    VisibleArea::forget();
    cc::CCFileUtils::purgeFileUtils();
    useResourceDirectory(request.resourcesDir);

    {
        cc::FrameDriver driver;
        // The driver advances the simulated narration on its clock and ends
        // the audio engine when it goes.
        cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
        if (scriptTakesShots(commands)) {
            // Pictures need a display; without one the run stays logic-only
            // and each shot says so.
            driver.enableRendering(static_cast<int>(AppDelegate::kDesignWidth),
                                   static_cast<int>(AppDelegate::kDesignHeight));
        }
        Simulation simulation(driver, trace.get());

        AppDelegate app;
        cc::CCEGLView::sharedOpenGLView()->setViewName(kViewName);
        app.launch();
        simulation.observe();
        for (const ScriptCommand& command : commands) {
            if (!simulation.run(command)) {
                break;
            }
        }
        simulation.finish();
    }
    VisibleArea::forget();
    cc::CCFileUtils::purgeFileUtils();
    return 0;
}

} // namespace quibo
