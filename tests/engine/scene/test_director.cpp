// Scene replacement: the order of lifecycle calls, release of the old scene,
// the live-object count, the frame loop switches, and drawing on demand.
#include "engine.h"
#include "actions/CCActionTransform.h"
#include "platform/FrameDriver.h"
#include "render/CCSprite.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"
#include "text/CCLabelTTF.h"
#include "transitions/CCTransitionPageTurn.h"

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

// ---- Drawing on demand -----------------------------------------------------------

namespace {
// Frames drawn while `what` runs and the driver steps `frames` frames after it.
template <class F>
unsigned int framesDrawnBy(FrameDriver& driver, F what, int frames = 5)
{
    const unsigned int before = driver.director()->getDrawnFrames();
    what();
    driver.step(frames);
    return driver.director()->getDrawnFrames() - before;
}
} // namespace

TEST(Director, OnDemandAStillSceneDrawsOnceAndEachChangeDrawsOneFrame)
{
    FrameDriver driver;
    driver.director()->setDrawOnDemand(true);
    CCScene* scene = CCScene::create();
    CCLayerColor* box = CCLayerColor::create(ccc4(10, 20, 30, 255), 50, 50);
    CCLabelTTF* label = CCLabelTTF::create("one", "Arial", 20);
    CCSprite* sprite = CCSprite::create();
    scene->addChild(box);
    scene->addChild(label);
    scene->addChild(sprite);
    // The scene going on stage is one frame; then nothing changes.
    EXPECT_EQ(framesDrawnBy(driver, [&] { driver.show(scene); }, 10), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [] {}, 60), 0u);
    EXPECT_FALSE(CCDirector::needsRedraw());

    // Every kind of change draws exactly one frame; setting what is already set draws none.
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setPosition(CCPoint(5, 6)); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setPosition(CCPoint(5, 6)); }), 0u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setScale(2); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setScale(2); }), 0u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setRotation(30); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setColor(ccc3(1, 2, 3)); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setOpacity(100); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setVisible(false); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setVisible(false); }), 0u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setVisible(true); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setContentSize(CCSize(70, 70)); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { label->setString("two"); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { label->setString("two"); }), 0u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { sprite->setFlipX(true); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { box->setZOrder(4); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { scene->addChild(CCNode::create()); }), 1u);
    EXPECT_EQ(framesDrawnBy(driver, [&] { sprite->removeFromParent(); }), 1u);
    // Several changes in one frame are still one frame.
    EXPECT_EQ(framesDrawnBy(driver, [&] {
                  box->setPosition(CCPoint(1, 1));
                  label->setString("three");
                  box->setScale(1);
              }),
              1u);

    // A node off the stage may change freely.
    CCLabelTTF* offStage = CCLabelTTF::create("away", "Arial", 20);
    offStage->retain();
    EXPECT_EQ(framesDrawnBy(driver, [&] {
                  offStage->setString("still away");
                  offStage->setPosition(CCPoint(9, 9));
              }),
              0u);
    offStage->release();
    // Without drawing on demand every frame is drawn, as before.
    driver.director()->setDrawOnDemand(false);
    EXPECT_EQ(framesDrawnBy(driver, [] {}, 7), 7u);
}

TEST(Director, OnDemandARunningActionDrawsEveryFrameUntilItEndsAndSaysWhenTheNextFrameIsDue)
{
    FrameDriver driver;
    driver.director()->setDrawOnDemand(true);
    CCScene* scene = CCScene::create();
    CCLayerColor* box = CCLayerColor::create(ccc4(10, 20, 30, 255), 50, 50);
    scene->addChild(box);
    driver.show(scene);
    driver.step();
    // Nothing runs: no frame is due, at all.
    EXPECT_LT(driver.director()->secondsUntilNextFrame(), 0);

    // Half a second of movement at 60 frames a second.
    box->runAction(CCMoveBy::create(0.5f, CCPoint(100, 0)));
    EXPECT_EQ(driver.director()->secondsUntilNextFrame(), 0);
    const unsigned int moving = framesDrawnBy(driver, [] {}, 40);
    EXPECT_GE(moving, 29u);
    EXPECT_LE(moving, 31u);
    EXPECT_LT(driver.director()->secondsUntilNextFrame(), 0);
    EXPECT_EQ(framesDrawnBy(driver, [] {}, 30), 0u);

    // A timer makes the next frame due when it fires, and draws nothing by itself.
    Busy* layer = new Busy();
    layer->init();
    layer->autorelease();
    scene->addChild(layer);
    driver.step();
    layer->schedule(schedule_selector(Busy::tick), 1.0f);
    EXPECT_EQ(driver.director()->secondsUntilNextFrame(), 0); // starts counting next frame
    driver.step(6);
    EXPECT_NEAR(driver.director()->secondsUntilNextFrame(), 0.9, 0.001);
    EXPECT_EQ(framesDrawnBy(driver, [] {}, 60), 0u);
    EXPECT_EQ(layer->ticks, 1);
    // A paused target's timer is not waited for; a stopped animation waits for nothing.
    layer->pauseSchedulerAndActions();
    EXPECT_LT(driver.director()->secondsUntilNextFrame(), 0);
    layer->resumeSchedulerAndActions();
    driver.director()->stopAnimation();
    EXPECT_LT(driver.director()->secondsUntilNextFrame(), 0);
    // Coming back draws the picture again.
    driver.director()->startAnimation();
    EXPECT_EQ(framesDrawnBy(driver, [] {}, 1), 1u);
}

TEST(Director, OnDemandASceneChangeAndATransitionDrawEveryFrameOfTheirTime)
{
    FrameDriver driver;
    driver.director()->setDrawOnDemand(true);
    driver.show(CCScene::create());
    driver.step();
    // A plain replacement is one frame.
    EXPECT_EQ(framesDrawnBy(driver, [&] { driver.director()->replaceScene(CCScene::create()); }, 10), 1u);
    // A half-second transition draws each of its frames, then the scene it brings is still.
    CCScene* next = CCScene::create();
    next->addChild(CCLayerColor::create(ccc4(200, 0, 0, 255)));
    const unsigned int turning = framesDrawnBy(
        driver, [&] { driver.director()->replaceScene(CCTransitionPageTurn::create(0.5f, next, false)); }, 45);
    EXPECT_GE(turning, 30u);
    EXPECT_LE(turning, 33u);
    EXPECT_EQ(driver.director()->getRunningScene(), next);
    EXPECT_EQ(framesDrawnBy(driver, [] {}, 30), 0u);
}
