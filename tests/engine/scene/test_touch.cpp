// Touch dispatch order, claiming, and delegates that change during a touch.
#include "engine.h"
#include "platform/FrameDriver.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"
#include "scene/CCTouchDispatcher.h"

#include <gtest/gtest.h>

using namespace cc;

namespace {
struct Recorder : CCLayer {
    std::vector<std::string>* log = nullptr;
    std::string name;
    bool claim = false;
    bool leaveOnMove = false;
    static Recorder* make(std::vector<std::string>* log, const std::string& name, ccTouchesMode mode, bool claim)
    {
        Recorder* r = new Recorder();
        r->init();
        r->autorelease();
        r->log = log;
        r->name = name;
        r->claim = claim;
        r->setTouchMode(mode);
        r->setTouchEnabled(true);
        return r;
    }
    bool ccTouchBegan(CCTouch* t, CCEvent*) override
    {
        log->push_back(name + ":began " + std::to_string(int(t->getLocation().x)));
        return claim;
    }
    void ccTouchMoved(CCTouch*, CCEvent*) override
    {
        log->push_back(name + ":moved");
        if (leaveOnMove) removeFromParentAndCleanup(true);
    }
    void ccTouchEnded(CCTouch*, CCEvent*) override { log->push_back(name + ":ended"); }
    void ccTouchCancelled(CCTouch*, CCEvent*) override { log->push_back(name + ":cancelled"); }
    void ccTouchesBegan(CCSet* s, CCEvent*) override
    {
        log->push_back(name + ":all-began " +
                       std::to_string(int(static_cast<CCTouch*>(*s->begin())->getLocation().x)));
    }
    void ccTouchesMoved(CCSet*, CCEvent*) override { log->push_back(name + ":all-moved"); }
    void ccTouchesEnded(CCSet*, CCEvent*) override { log->push_back(name + ":all-ended"); }
};
} // namespace

TEST(Touch, TargetedHandlersComeFirstAndAClaimedTouchIsWithheld)
{
    std::vector<std::string> log;
    FrameDriver driver;
    CCScene* scene = CCScene::create();
    // Registered first, but all-at-once handlers are always asked last.
    scene->addChild(Recorder::make(&log, "page", kCCTouchesAllAtOnce, false));
    scene->addChild(Recorder::make(&log, "ui", kCCTouchesOneByOne, false));
    Recorder* menu = Recorder::make(&log, "menu", kCCTouchesOneByOne, false);
    menu->setTouchPriority(kCCMenuHandlerPriority);
    scene->addChild(menu);
    driver.show(scene);

    driver.tap(CCPoint(30, 40));
    EXPECT_EQ(log, (std::vector<std::string>{"menu:began 30", "ui:began 30", "page:all-began 30", "page:all-ended"}));

    log.clear();
    static_cast<Recorder*>(scene->getChildren()->objectAtIndex(1))->claim = true;
    driver.drag(CCPoint(10, 10), CCPoint(50, 10), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"menu:began 10", "ui:began 10", "ui:moved", "ui:moved", "ui:ended"}));
}

TEST(Touch, AHandlerLeavingTheStageGetsNoFurtherPhases)
{
    std::vector<std::string> log;
    FrameDriver driver;
    CCScene* scene = CCScene::create();
    Recorder* r = Recorder::make(&log, "r", kCCTouchesOneByOne, true);
    r->leaveOnMove = true;
    scene->addChild(r);
    scene->addChild(Recorder::make(&log, "page", kCCTouchesAllAtOnce, false));
    driver.show(scene);
    driver.drag(CCPoint(1, 1), CCPoint(9, 1), 3);
    EXPECT_EQ(log, (std::vector<std::string>{"r:began 1", "r:moved"}));
    EXPECT_FALSE(driver.director()->getTouchDispatcher()->isRegistered(r));
}

TEST(Touch, LayersGetTouchesOnlyOnStageAndNotWhileDispatchIsOff)
{
    std::vector<std::string> log;
    FrameDriver driver;
    CCScene* scene = CCScene::create();
    driver.show(scene);
    Recorder* r = Recorder::make(&log, "r", kCCTouchesOneByOne, true);
    r->retain(); // off the stage across frames
    driver.tap(CCPoint(5, 5));
    EXPECT_TRUE(log.empty()); // enabled but not on the stage yet
    scene->addChild(r);
    driver.director()->getTouchDispatcher()->setDispatchEvents(false);
    driver.tap(CCPoint(5, 5));
    EXPECT_TRUE(log.empty());
    driver.director()->getTouchDispatcher()->setDispatchEvents(true);
    driver.tap(CCPoint(5, 5));
    EXPECT_EQ(log.size(), 2u);
    r->setTouchEnabled(false);
    driver.tap(CCPoint(5, 5));
    EXPECT_EQ(log.size(), 2u);
    r->release();
}

TEST(Touch, WindowPixelsMapToDesignPointsWithExactFit)
{
    FrameDriver driver;
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(742.85712f, 977.59998f);
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    EXPECT_NE(view->getScaleX(), view->getScaleY());
    const CCPoint topLeft = view->frameToDesign(0, 0);
    EXPECT_NEAR(topLeft.x, 0, 1e-3);
    EXPECT_NEAR(topLeft.y, 960, 1e-3);
    const CCPoint centre = view->frameToDesign(742.85712f / 2, 977.59998f / 2);
    EXPECT_NEAR(centre.x, 320, 1e-3);
    EXPECT_NEAR(centre.y, 480, 1e-3);
    EXPECT_TRUE(view->getVisibleOrigin().equals(CCPointZero));
    EXPECT_TRUE(view->getVisibleSize().equals(CCSize(640, 960)));
}
