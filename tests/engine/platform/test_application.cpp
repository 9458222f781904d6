// The real-clock loop of CCApplication::run with a scripted window: a still
// scene is drawn once and the loop then sleeps until input or the next timer
// instead of running frames; timers keep their timing through those sleeps,
// also when input wakes the loop early; a change made by input draws frames
// until it is finished.
#include "engine.h"
#include "actions/CCActionTransform.h"
#include "platform/CCApplication.h"
#include "platform/FrameDriver.h"
#include "platform/WindowBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

using namespace cc;

namespace {
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A window without a display: each poll may run a scripted step; the waits
// the loop asks for are recorded and slept for real.
class ScriptedWindow : public WindowBackend {
public:
    std::function<void(CCEGLView*)> onPoll;
    std::vector<double> waits;
    int polls = 0;
    bool open(const char*, int, int) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    bool hasGLContext() const override { return false; }
    void pollEvents(CCEGLView* view) override
    {
        ++polls;
        if (onPoll) onPoll(view);
    }
    void waitEvents(double seconds) override
    {
        waits.push_back(seconds);
        WindowBackend::waitEvents(seconds);
    }
    void swapBuffers() override {}
    void setTitle(const char*) override {}
    void setSize(int, int) override {}
};

class ScriptedApp : public CCApplication {
public:
    std::function<CCScene*()> firstScene;
    bool launch() override
    {
        CCDirector::sharedDirector()->runWithScene(firstScene());
        return true;
    }
    void enterBackground() override {}
    void enterForeground() override {}
};

// Counts its timer's firings and when they came.
struct Ticker : CCLayer {
    std::vector<double>* firedAt = nullptr;
    Clock::time_point start;
    void tick(float) { firedAt->push_back(secondsSince(start)); }
};

// Starts a one-shot timer, or a move, when touched.
struct Toucher : CCLayerColor {
    std::vector<double>* firedAt = nullptr;
    Clock::time_point start;
    double* touchedAt = nullptr;
    bool moveOnTouch = false;
    void fired(float) { firedAt->push_back(secondsSince(start)); }
    void ccTouchesBegan(CCSet*, CCEvent*) override
    {
        *touchedAt = secondsSince(start);
        if (moveOnTouch) {
            runAction(CCMoveBy::create(0.2f, CCPoint(50, 0)));
        } else {
            scheduleOnce(schedule_selector(Toucher::fired), 0.3f);
        }
    }
};

// What a run of the loop did; the window itself goes with the run's view.
struct LoopRun {
    int polls = 0;
    std::vector<double> waits;
    unsigned int drawnFrames = 0;
};

// Runs the loop on a scripted window until `seconds` of real time passed.
// A scene holding one touch-enabled Toucher that records into the given places.
CCScene* toucherScene(Toucher*& toucher, std::vector<double>& firedAt, double& touchedAt, Clock::time_point start,
                      bool moveOnTouch)
{
    CCScene* scene = CCScene::create();
    toucher = new Toucher();
    toucher->initWithColor(ccc4(200, 0, 0, 255));
    toucher->autorelease();
    toucher->firedAt = &firedAt;
    toucher->touchedAt = &touchedAt;
    toucher->start = start;
    toucher->moveOnTouch = moveOnTouch;
    toucher->setTouchEnabled(true);
    scene->addChild(toucher);
    return scene;
}

LoopRun runFor(double seconds, std::function<CCScene*()> firstScene, std::function<void(CCEGLView*, double)> script)
{
    LoopRun result;
    FrameDriver driver; // a fresh director and view
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    auto window = std::make_unique<ScriptedWindow>();
    ScriptedWindow* scripted = window.get();
    const Clock::time_point start = Clock::now();
    window->onPoll = [&](CCEGLView* v) {
        const double now = secondsSince(start);
        result.drawnFrames = CCDirector::sharedDirector()->getDrawnFrames();
        if (script) script(v, now);
        if (now >= seconds) CCDirector::sharedDirector()->end();
    };
    view->setBackend(std::move(window));
    ScriptedApp app;
    app.firstScene = std::move(firstScene);
    EXPECT_EQ(app.run(), 0);
    result.polls = scripted->polls;
    result.waits = scripted->waits;
    return result;
}
} // namespace

TEST(Application, AStillSceneIsDrawnOnceAndTheLoopSleepsUntilItsTimerInsteadOfRunningFrames)
{
    std::vector<double> firedAt;
    Clock::time_point start = Clock::now();
    LoopRun run = runFor(
        1.05,
        [&] {
            CCScene* scene = CCScene::create();
            scene->addChild(CCLayerColor::create(ccc4(20, 40, 60, 255)));
            Ticker* ticker = new Ticker();
            ticker->init();
            ticker->autorelease();
            ticker->firedAt = &firedAt;
            ticker->start = start;
            ticker->schedule(schedule_selector(Ticker::tick), 0.3f);
            scene->addChild(ticker);
            return scene;
        },
        nullptr);
    EXPECT_EQ(run.drawnFrames, 1u);
    // The timer fired on time, never early, through the sleeps (0.3, 0.6,
    // 0.9 s, and 1.2 s when the last sleep outlasts the run).
    ASSERT_GE(firedAt.size(), 2u);
    ASSERT_LE(firedAt.size(), 4u);
    for (size_t i = 0; i < firedAt.size(); ++i) {
        EXPECT_GE(firedAt[i], 0.3 * (i + 1) - 0.02) << "firing " << i;
    }
    // A loop running frames would have polled about 60 times; this one slept
    // between the timer's firings.
    EXPECT_LT(run.polls, 25);
    double longest = 0;
    for (double w : run.waits) longest = std::max(longest, w);
    EXPECT_GT(longest, 0.2);
}

TEST(Application, InputThatWakesTheLoopStartsItsTimerFromTheInputAndAMoveDrawsUntilItEnds)
{
    std::vector<double> firedAt;
    Toucher* toucher = nullptr;
    double touchedAt = -1;
    Clock::time_point start = Clock::now();
    bool touched = false;
    LoopRun run = runFor(
        1.2,
        [&] { return toucherScene(toucher, firedAt, touchedAt, start, false); },
        [&](CCEGLView* view, double now) {
            // The first poll after 0.4 s of a still scene (the loop slept).
            if (!touched && now >= 0.4) {
                touched = true;
                view->touchBegan(CCPoint(100, 100));
                view->touchEnded(CCPoint(100, 100));
            }
        });
    ASSERT_TRUE(touched);
    ASSERT_EQ(firedAt.size(), 1u);
    // 0.3 s after the touch, not 0.3 s after the loop went to sleep.
    EXPECT_GE(firedAt[0] - touchedAt, 0.28);
    // A timer alone changes nothing on screen: the scene was drawn once.
    EXPECT_EQ(run.drawnFrames, 1u);

    // A touch that starts a 0.2 s move draws its frames, then stops drawing.
    touched = false;
    LoopRun moving = runFor(
        1.0,
        [&] { return toucherScene(toucher, firedAt, touchedAt, start, true); },
        [&](CCEGLView* view, double now) {
            if (!touched && now >= 0.3) {
                touched = true;
                view->touchBegan(CCPoint(100, 100));
                view->touchEnded(CCPoint(100, 100));
            }
        });
    ASSERT_TRUE(touched);
    // About 12 frames of movement at 60 a second (fewer on a busy machine),
    // never a frame per loop turn for the whole second.
    EXPECT_GE(moving.drawnFrames, 1u + 4u);
    EXPECT_LE(moving.drawnFrames, 1u + 16u);
}
