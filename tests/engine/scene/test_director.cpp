// Scene replacement: the order of lifecycle calls, release of the old scene,
// the live-object count, and the frame loop switches.
#include "engine.h"
#include "platform/FrameDriver.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

using namespace cc;

namespace {
struct Probe : CCScene {
    std::vector<std::string>* events;
    std::string name;
    static Probe* make(std::vector<std::string>* events, const std::string& name)
    {
        Probe* p = new Probe();
        p->init();
        p->events = events;
        p->name = name;
        p->autorelease();
        return p;
    }
    ~Probe() override { events->push_back(name + ":destroyed"); }
    void onEnter() override { CCScene::onEnter(); events->push_back(name + ":enter"); }
    void onEnterTransitionDidFinish() override { CCScene::onEnterTransitionDidFinish(); events->push_back(name + ":enterDone"); }
    void onExitTransitionDidStart() override { CCScene::onExitTransitionDidStart(); events->push_back(name + ":exitStart"); }
    void onExit() override { CCScene::onExit(); events->push_back(name + ":exit"); }
};

struct Busy : CCLayer {
    int ticks = 0;
    void tick(float) { ++ticks; }
};
} // namespace

TEST(Director, ReplaceSceneSwitchesNextFrameInOrderAndReleasesTheOldScene)
{
    std::vector<std::string> events;
    FrameDriver driver;
    driver.show(Probe::make(&events, "a"));
    EXPECT_EQ(events, (std::vector<std::string>{"a:enter", "a:enterDone"}));

    events.clear();
    driver.director()->replaceScene(Probe::make(&events, "b"));
    EXPECT_TRUE(events.empty()); // nothing happens until the next frame
    driver.step();
    // The old scene is let go after the switch and dies when the frame's pool drains.
    EXPECT_EQ(events, (std::vector<std::string>{"a:exitStart", "a:exit", "b:enter", "b:enterDone", "a:destroyed"}));

    // A second request before the switch wins; the first scene never enters.
    events.clear();
    driver.director()->replaceScene(Probe::make(&events, "c"));
    driver.director()->replaceScene(Probe::make(&events, "d"));
    driver.step();
    EXPECT_EQ(events, (std::vector<std::string>{"b:exitStart", "b:exit", "d:enter", "d:enterDone", "b:destroyed",
                                                "c:destroyed"}));
    EXPECT_EQ(driver.director()->getWinSize().width, 640);
}

TEST(Director, AReplacedSceneLeavesNothingBehind)
{
    FrameDriver driver;
    driver.show(CCScene::create());
    driver.step();
    const long baseline = CCObject::liveObjectCount();

    CCScene* scene = CCScene::create();
    Busy* layer = new Busy();
    layer->init();
    layer->schedule(schedule_selector(Busy::tick), 0.1f);
    layer->setTouchEnabled(true);
    scene->addChild(layer);
    layer->release();
    for (int i = 0; i < 20; ++i) {
        scene->addChild(CCLayerColor::create(ccc4(1, 2, 3, 4), 10, 10), i % 3);
    }
    driver.show(scene);
    driver.advance(0.5);
    EXPECT_GE(layer->ticks, 4);
    EXPECT_GT(CCObject::liveObjectCount(), baseline);

    driver.show(CCScene::create());
    driver.step();
    EXPECT_EQ(CCObject::liveObjectCount(), baseline);
    EXPECT_EQ(driver.director()->getScheduler()->timerCount(), 0u);
}

TEST(Director, StoppedAnimationRunsNoFramesAndEndStopsTheLoop)
{
    FrameDriver driver;
    Busy* layer = new Busy();
    layer->init();
    layer->autorelease();
    layer->schedule(schedule_selector(Busy::tick), 0.0f);
    CCScene* scene = CCScene::create();
    scene->addChild(layer);
    driver.show(scene);
    const int before = layer->ticks;
    driver.director()->stopAnimation();
    driver.step(5);
    EXPECT_EQ(layer->ticks, before);
    driver.director()->startAnimation();
    driver.step(5);
    EXPECT_EQ(layer->ticks, before + 5);
    driver.director()->end();
    EXPECT_TRUE(driver.director()->hasEnded());
    driver.step(5);
    EXPECT_EQ(layer->ticks, before + 5);
}
