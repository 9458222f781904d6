// Touches through a real UILayer on a running scene: the event logs and looks
// of the touch model, which widget the router picks, and listeners that tear
// the screen down in the middle of a touch.
#include "GuiTestSupport.h"

#include "gui/Layout.h"
#include "gui/WidgetTouchRouter.h"
#include "scene/CCDirector.h"

#include <gtest/gtest.h>

using namespace cc;
using namespace cc::guitest;

typedef std::vector<std::string> Lines;

TEST(WidgetTouch, TapAndTheThreeEdgeSequencesAsEventLogs)
{
    Stage stage;
    EventLog log;
    LookWidget* button = LookWidget::make("button", CCPoint(100, 100), CCSize(50, 50));
    log.listenTo(button);
    stage.root()->addChild(button);

    // A completed tap.
    stage.driver->tap(CCPoint(100, 100));
    EXPECT_EQ((Lines{"button:began", "button:ended"}), log.events);
    EXPECT_EQ((Lines{"pressed", "normal"}), button->looks);
    EXPECT_EQ(CCPoint(100, 100), button->getTouchStartPos());
    EXPECT_EQ(CCPoint(100, 100), button->getTouchEndPos());

    // Down inside, out, released outside: canceled, and the look stays normal.
    log.events.clear();
    button->looks.clear();
    stage.driver->touchDown(CCPoint(110, 110));
    stage.driver->touchMove(CCPoint(200, 110));
    stage.driver->touchMove(CCPoint(300, 110));
    stage.driver->touchUp(CCPoint(300, 110));
    EXPECT_EQ((Lines{"button:began", "button:moved", "button:moved", "button:canceled"}), log.events);
    EXPECT_EQ((Lines{"pressed", "normal"}), button->looks);

    // Out and back in before release: ended, pressed again while inside.
    log.events.clear();
    button->looks.clear();
    stage.driver->touchDown(CCPoint(100, 100));
    stage.driver->touchMove(CCPoint(300, 100));
    stage.driver->touchMove(CCPoint(120, 100));
    stage.driver->touchUp(CCPoint(120, 100));
    EXPECT_EQ((Lines{"button:began", "button:moved", "button:moved", "button:ended"}), log.events);
    EXPECT_EQ((Lines{"pressed", "normal", "pressed", "normal"}), button->looks);

    // With the look inactive every focus change shows the disabled look; events still flow.
    log.events.clear();
    button->looks.clear();
    button->setLookActive(false);
    stage.driver->touchDown(CCPoint(100, 100));
    stage.driver->touchMove(CCPoint(300, 100));
    stage.driver->touchMove(CCPoint(310, 100));
    stage.driver->touchMove(CCPoint(100, 100));
    stage.driver->touchUp(CCPoint(100, 100));
    EXPECT_EQ((Lines{"disabled", "disabled", "disabled", "disabled"}), button->looks);
    EXPECT_EQ(5u, log.events.size());
    EXPECT_EQ("button:ended", log.events.back());

    // An engine cancel reaches the listener as canceled.
    log.events.clear();
    stage.driver->touchDown(CCPoint(100, 100));
    stage.driver->touchCancel();
    EXPECT_EQ((Lines{"button:began", "button:canceled"}), log.events);
    EXPECT_EQ(0u, stage.layer->getTouchRouter()->getSelectedWidgets()->count());
}

TEST(WidgetTouch, TheRouterPicksTheTopMostEligibleWidget)
{
    Stage stage;
    EventLog log;
    // Overlapping siblings with equal zOrder: the later one wins.
    LookWidget* early = LookWidget::make("early", CCPoint(100, 100), CCSize(60, 60));
    LookWidget* late = LookWidget::make("late", CCPoint(120, 100), CCSize(60, 60));
    log.listenTo(early);
    log.listenTo(late);
    stage.root()->addChild(early);
    stage.root()->addChild(late);
    stage.driver->tap(CCPoint(110, 100));
    EXPECT_EQ((Lines{"late:began", "late:ended"}), log.events);
    // A higher zOrder beats order of insertion.
    log.events.clear();
    early->setZOrder(1);
    stage.driver->tap(CCPoint(110, 100));
    EXPECT_EQ((Lines{"early:began", "early:ended"}), log.events);

    // Hidden but enabled still takes the touch; disabled or touch-disabled does not.
    log.events.clear();
    early->setVisible(false);
    stage.driver->tap(CCPoint(110, 100));
    EXPECT_EQ((Lines{"early:began", "early:ended"}), log.events);
    log.events.clear();
    early->setEnabled(false);
    late->setTouchEnabled(false);
    stage.driver->tap(CCPoint(110, 100));
    EXPECT_TRUE(log.events.empty());
    early->setEnabled(true);
    stage.driver->tap(CCPoint(110, 100));
    EXPECT_EQ((Lines{"early:began", "early:ended"}), log.events);
    // Nobody there: the touch is not claimed.
    EXPECT_FALSE(stage.root()->isTouchEnabled());
}

TEST(WidgetTouch, AChildTakesTheTouchAndItsParentHearsThePhases)
{
    Stage stage;
    EventLog log;
    Layout* panel = Layout::create();
    panel->setName("panel");
    panel->setSize(CCSize(200, 200));
    panel->setPosition(CCPoint(50, 50));
    panel->setTouchEnabled(true);
    log.listenTo(panel);
    LookWidget* holder = LookWidget::make("holder", CCPoint(100, 100), CCSize(200, 200));
    holder->setTouchEnabled(true);
    log.listenTo(holder);
    LookWidget* child = LookWidget::make("child", CCPoint(100, 100), CCSize(40, 40));
    log.listenTo(child);
    stage.root()->addChild(panel);
    panel->addChild(holder);
    holder->addChild(child);
    // The child is at (100, 100) inside holder, whose origin sits at panel (0, 0) + (100, 100).
    const CCPoint inChild = child->getRenderNode()->convertToWorldSpace(CCPoint(0, 0));
    stage.driver->touchDown(inChild);
    stage.driver->touchMove(inChild + CCPoint(1, 0));
    stage.driver->touchUp(inChild + CCPoint(1, 0));
    EXPECT_EQ((Lines{"child:began", "child:moved", "child:ended"}), log.events);
    EXPECT_EQ((Lines{"0:child", "1:child", "2:child"}), holder->intercepted);
    EXPECT_TRUE(holder->looks.empty());

    // Touching the parent outside the child gives the parent.
    log.events.clear();
    const CCPoint inHolderOnly = holder->getRenderNode()->convertToWorldSpace(CCPoint(-80, -80));
    stage.driver->tap(inHolderOnly);
    EXPECT_EQ((Lines{"holder:began", "holder:ended"}), log.events);
}

TEST(WidgetTouch, AClippingAncestorRefusesPointsOutsideItself)
{
    Stage stage;
    EventLog log;
    Layout* panel = Layout::create();
    panel->setSize(CCSize(100, 100));
    panel->setPosition(CCPoint(200, 200));
    panel->setClippingEnabled(true);
    // The button hangs over the panel's right edge: (90..130, 30..70) in panel space.
    LookWidget* button = LookWidget::make("button", CCPoint(110, 50), CCSize(40, 40));
    log.listenTo(button);
    stage.root()->addChild(panel);
    panel->addChild(button);
    stage.driver->tap(CCPoint(320, 250)); // inside the button, outside the panel
    EXPECT_TRUE(log.events.empty());
    stage.driver->tap(CCPoint(295, 250)); // inside both
    EXPECT_EQ((Lines{"button:began", "button:ended"}), log.events);
    // The walk that let the touch through saw the clipping panel. (A touch that
    // misses a clipping container does not walk its children at all.)
    EXPECT_TRUE(button->isAffectedByClipping());
    // Without clipping the overhang is touchable.
    log.events.clear();
    panel->setClippingEnabled(false);
    stage.driver->tap(CCPoint(320, 250));
    EXPECT_EQ((Lines{"button:began", "button:ended"}), log.events);
    EXPECT_FALSE(button->isAffectedByClipping());

    // Every clipping container above must contain the point.
    log.events.clear();
    panel->setClippingEnabled(true);
    Layout* inner = Layout::create();
    inner->setSize(CCSize(300, 300));
    inner->setClippingEnabled(true);
    button->retain();
    panel->removeChild(button);
    inner->addChild(button);
    button->release();
    panel->addChild(inner);
    stage.driver->tap(CCPoint(320, 250)); // inside inner, outside panel
    EXPECT_TRUE(log.events.empty());
}

namespace {
// A screen that leaves on its button's first event, the way a menu opens another screen.
struct LeavingScreen : CCLayer {
    EventLog* log = nullptr;
    bool synchronous = false;
    static int alive;
    LeavingScreen() { ++alive; }
    ~LeavingScreen() override { --alive; }
    void onTouch(CCObject* sender, TouchPhase kind)
    {
        log->onTouch(sender, kind);
        if (kind != kTouchBegan) return;
        if (synchronous) {
            // Tear the whole screen (and its UILayer) down inside the call.
            getParent()->removeChild(this, true);
        } else {
            CCDirector::sharedDirector()->replaceScene(CCScene::create());
        }
    }
};
int LeavingScreen::alive = 0;

void buildLeavingScreen(CCScene* scene, EventLog* log, bool synchronous)
{
    LeavingScreen* screen = new LeavingScreen();
    screen->init();
    screen->autorelease();
    screen->log = log;
    screen->synchronous = synchronous;
    UILayer* ui = UILayer::create();
    screen->addChild(ui);
    LookWidget* button = LookWidget::make("go", CCPoint(100, 100), CCSize(50, 50));
    button->setTouchListener(screen, toucheventselector(LeavingScreen::onTouch));
    ui->getRootWidget()->addChild(button);
    scene->addChild(screen);
}
} // namespace

TEST(WidgetTouch, AListenerThatReplacesTheSceneEndsTheTouchSafely)
{
    FrameDriver driver;
    const long before = CCObject::liveObjectCount();
    {
        EventLog log;
        CCScene* scene = CCScene::create();
        buildLeavingScreen(scene, &log, false);
        driver.show(scene);
        driver.touchDown(CCPoint(100, 100));
        driver.touchMove(CCPoint(101, 100)); // same frame: the old scene is still there
        driver.step(2);                      // the switch destroys the screen and its UILayer
        EXPECT_EQ(0, LeavingScreen::alive);
        driver.touchMove(CCPoint(102, 100));
        driver.touchUp(CCPoint(102, 100));
        driver.step();
        EXPECT_EQ((Lines{"go:began", "go:moved"}), log.events);
    }
    {
        EventLog log;
        CCScene* scene = CCScene::create();
        buildLeavingScreen(scene, &log, true);
        driver.show(scene);
        driver.touchDown(CCPoint(100, 100));
        driver.step();
        EXPECT_EQ(0, LeavingScreen::alive);
        driver.touchMove(CCPoint(101, 100));
        driver.touchUp(CCPoint(101, 100));
        driver.step();
        EXPECT_EQ((Lines{"go:began"}), log.events);
    }
    driver.show(CCScene::create());
    driver.step(2);
    // Nothing of the two screens is left behind (the empty running scene is one object).
    EXPECT_LE(CCObject::liveObjectCount(), before + 1);
}

TEST(WidgetTouch, LeavingTheStageDropsTheSelection)
{
    Stage stage;
    EventLog log;
    LookWidget* button = LookWidget::make("button", CCPoint(100, 100), CCSize(50, 50));
    log.listenTo(button);
    stage.root()->addChild(button);
    stage.layer->retain();
    stage.driver->touchDown(CCPoint(100, 100));
    EXPECT_EQ(1u, stage.layer->getTouchRouter()->getSelectedWidgets()->count());
    const unsigned int refsWhileSelected = button->retainCount();
    stage.layer->removeFromParentAndCleanup(true);
    EXPECT_EQ(0u, stage.layer->getTouchRouter()->getSelectedWidgets()->count());
    EXPECT_EQ(refsWhileSelected - 1, button->retainCount());
    stage.driver->touchUp(CCPoint(100, 100));
    EXPECT_EQ((Lines{"button:began"}), log.events);
    // Back on stage the layer takes touches again, and the tree was running throughout.
    EXPECT_TRUE(button->isRunning());
    stage.scene->addChild(stage.layer);
    stage.layer->release();
    stage.driver->tap(CCPoint(100, 100));
    EXPECT_EQ((Lines{"button:began", "button:began", "button:ended"}), log.events);
}

namespace {
// Counts how often the router asks it whether it holds a point.
struct CountingWidget : cc::guitest::LookWidget {
    static int asked;
    static CountingWidget* make(const cc::CCPoint& pos)
    {
        CountingWidget* w = new CountingWidget();
        w->init();
        w->autorelease();
        w->setIgnoreSize(false);
        w->setSize(cc::CCSize(10, 10));
        w->setPosition(pos);
        w->setTouchEnabled(true);
        return w;
    }
    bool hitTest(const cc::CCPoint& p) override { ++asked; return UIWidget::hitTest(p); }
};
int CountingWidget::asked = 0;
} // namespace

TEST(WidgetPick, ATouchOutsideAClippingContainerDoesNotWalkItsChildren)
{
    cc::guitest::Stage stage;
    cc::Layout* list = cc::Layout::create();
    list->setSize(cc::CCSize(100, 100));
    list->setPosition(cc::CCPoint(0, 0));
    list->setClippingEnabled(true);
    stage.root()->addChild(list);
    for (int i = 0; i < 1000; ++i) {
        // Most lie outside the container's rectangle, as in a long list.
        list->addChild(CountingWidget::make(cc::CCPoint(50, 5.0f + 20.0f * i)));
    }
    CountingWidget::asked = 0;
    stage.driver->tap(cc::CCPoint(300, 500)); // outside the list, over a clipped-away child
    EXPECT_EQ(0, CountingWidget::asked);

    // Without clipping the children outside still take touches.
    list->setClippingEnabled(false);
    cc::guitest::EventLog log;
    log.retain();
    CountingWidget* far = static_cast<CountingWidget*>(list->getChildren()->objectAtIndex(24)); // at y 485
    far->setName("far");
    log.listenTo(far);
    stage.driver->tap(cc::CCPoint(50, 485));
    EXPECT_GT(CountingWidget::asked, 0);
    EXPECT_EQ((std::vector<std::string>{"far:began", "far:ended"}), log.events);
    log.release();
}
