// Node tree order, transforms and the lifecycle of timers off and on stage.
#include "engine.h"
#include "platform/FrameDriver.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCNodeRGBA.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

using namespace cc;

namespace {
CCNode* child(CCNode* parent, unsigned i) { return static_cast<CCNode*>(parent->getChildren()->objectAtIndex(i)); }

struct Lifecycle : CCNode {
    std::vector<std::string>* events;
    std::string name;
    static Lifecycle* make(std::vector<std::string>* events, const std::string& name)
    {
        Lifecycle* n = new Lifecycle();
        n->events = events;
        n->name = name;
        n->autorelease();
        return n;
    }
    void onEnter() override { CCNode::onEnter(); events->push_back(name + ":enter"); }
    void onEnterTransitionDidFinish() override
    {
        CCNode::onEnterTransitionDidFinish();
        events->push_back(name + ":enterDone");
    }
    void onExitTransitionDidStart() override
    {
        CCNode::onExitTransitionDidStart();
        events->push_back(name + ":exitStart");
    }
    void onExit() override { CCNode::onExit(); events->push_back(name + ":exit"); }
};

struct Ticker : CCNode {
    int ticks = 0;
    static Ticker* make() { Ticker* t = new Ticker(); t->autorelease(); return t; }
    void tick(float) { ++ticks; }
};
} // namespace

TEST(Node, ChildrenSortByZOrderAndKeepInsertionOrderForTies)
{
    FrameDriver driver;
    CCNode* parent = CCNode::create();
    CCNode* a = CCNode::create();
    CCNode* b = CCNode::create();
    CCNode* c = CCNode::create();
    CCNode* d = CCNode::create();
    d->setZOrder(-2); // a detached node keeps its own z-order for addChild
    parent->addChild(a, 1);
    parent->addChild(b, 0);
    parent->addChild(c, 1, 42);
    parent->addChild(d);
    ASSERT_EQ(parent->getChildrenCount(), 4u);
    EXPECT_EQ(child(parent, 0), d);
    EXPECT_EQ(child(parent, 1), b);
    EXPECT_EQ(child(parent, 2), a);
    EXPECT_EQ(child(parent, 3), c);
    EXPECT_EQ(parent->getChildByTag(42), c);

    // Re-sorting an attached node puts it after its equals.
    a->setZOrder(1);
    EXPECT_EQ(child(parent, 3), a);
    b->setZOrder(5);
    EXPECT_EQ(child(parent, 3), b);
    EXPECT_EQ(b->getZOrder(), 5);

    parent->removeChild(c, true);
    EXPECT_EQ(c->getParent(), nullptr);
    EXPECT_EQ(parent->getChildrenCount(), 3u);
    parent->addChild(c); // adding twice is refused while it has a parent
    CCLogCapture log;
    parent->addChild(c);
    EXPECT_EQ(parent->getChildrenCount(), 4u);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(Node, TransformsFollowAnchorScaleAndRotation)
{
    FrameDriver driver;
    CCNode* parent = CCNode::create();
    parent->setPosition(CCPoint(100, 200));
    parent->setScale(2);
    CCNode* n = CCNode::create();
    n->setContentSize(CCSize(40, 20));
    n->setAnchorPoint(CCPoint(0.5f, 0.5f));
    n->setPosition(CCPoint(10, 10));
    parent->addChild(n);

    const CCRect box = n->boundingBox();
    EXPECT_FLOAT_EQ(box.origin.x, -10);
    EXPECT_FLOAT_EQ(box.origin.y, 0);
    EXPECT_FLOAT_EQ(box.size.width, 40);

    // The node's centre lands at parent position + 2 * (10, 10).
    const CCPoint world = n->convertToWorldSpace(CCPoint(20, 10));
    EXPECT_NEAR(world.x, 120, 1e-3);
    EXPECT_NEAR(world.y, 220, 1e-3);
    const CCPoint local = n->convertToNodeSpace(CCPoint(120, 220));
    EXPECT_NEAR(local.x, 20, 1e-3);
    EXPECT_NEAR(local.y, 10, 1e-3);

    // Rotation is clockwise on screen: the node's +x axis points down.
    n->setRotation(90);
    const CCPoint right = n->convertToWorldSpace(CCPoint(30, 10));
    EXPECT_NEAR(right.x, 120, 1e-3);
    EXPECT_NEAR(right.y, 200, 1e-3);
    const CCRect rotated = n->boundingBox();
    EXPECT_NEAR(rotated.size.width, 20, 1e-3);
    EXPECT_NEAR(rotated.size.height, 40, 1e-3);
}

TEST(Node, LifecycleRunsDepthFirstAndFollowsAdditionsToARunningTree)
{
    std::vector<std::string> events;
    FrameDriver driver;
    CCScene* scene = CCScene::create();
    Lifecycle* a = Lifecycle::make(&events, "a");
    a->retain(); // still looked at after it left the tree
    a->addChild(Lifecycle::make(&events, "a1"));
    scene->addChild(a);
    driver.show(scene);
    EXPECT_EQ(events, (std::vector<std::string>{"a1:enter", "a:enter", "a1:enterDone", "a:enterDone"}));
    EXPECT_TRUE(a->isRunning());

    events.clear();
    scene->addChild(Lifecycle::make(&events, "late"));
    EXPECT_EQ(events, (std::vector<std::string>{"late:enter", "late:enterDone"}));
    events.clear();
    a->removeFromParentAndCleanup(true);
    EXPECT_EQ(events, (std::vector<std::string>{"a1:exitStart", "a:exitStart", "a1:exit", "a:exit"}));
    EXPECT_FALSE(a->isRunning());
    a->release();
}

TEST(Node, TimersAskedForOffStageStartCountingWhenTheNodeEnters)
{
    FrameDriver driver;
    driver.show(CCScene::create());
    Ticker* t = Ticker::make();
    t->retain(); // off the stage nothing else holds it across frames
    t->schedule(schedule_selector(Ticker::tick), 0.5f);
    driver.advance(2.0);
    EXPECT_EQ(t->ticks, 0); // not on the stage: paused

    driver.director()->getRunningScene()->addChild(t);
    driver.advance(1.0);
    EXPECT_EQ(t->ticks, 2);

    t->removeFromParentAndCleanup(false); // leaving the stage pauses
    driver.advance(1.0);
    EXPECT_EQ(t->ticks, 2);
    driver.director()->getRunningScene()->addChild(t);
    driver.advance(0.5);
    EXPECT_EQ(t->ticks, 3);

    t->removeFromParentAndCleanup(true); // cleanup unschedules for good
    driver.director()->getRunningScene()->addChild(t);
    driver.advance(1.0);
    EXPECT_EQ(t->ticks, 3);
    t->release();
}

TEST(NodeRGBA, ColourAndOpacityCascadeThroughTheColourInterface)
{
    FrameDriver driver;
    CCNodeRGBA* parent = CCNodeRGBA::create();
    parent->setCascadeColorEnabled(true);
    parent->setCascadeOpacityEnabled(true);
    CCNodeRGBA* kid = CCNodeRGBA::create();
    kid->setColor(ccc3(200, 100, 255));
    parent->addChild(kid);
    parent->setColor(ccc3(128, 255, 0));
    parent->setOpacity(128);

    CCRGBAProtocol* asked = dynamic_cast<CCRGBAProtocol*>(static_cast<CCNode*>(kid));
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked->getColor(), ccc3(200, 100, 255));
    EXPECT_EQ(asked->getDisplayedColor(), ccc3(100, 100, 0));
    EXPECT_EQ(asked->getDisplayedOpacity(), 128);
    EXPECT_EQ(dynamic_cast<CCRGBAProtocol*>(CCNode::create()), nullptr);

    // A colour layer answers the same interface.
    CCLayerColor* layer = CCLayerColor::create(ccc4(255, 0, 0, 255), 10, 10);
    parent->addChild(layer);
    EXPECT_EQ(layer->getDisplayedOpacity(), 128);
    EXPECT_FLOAT_EQ(layer->cornerColors()[0].a, 128 / 255.0f);
}

TEST(LayerGradient, CornerColoursRunAlongTheVector)
{
    FrameDriver driver;
    CCLayerGradient* g = CCLayerGradient::create(ccc4(255, 0, 0, 255), ccc4(0, 0, 255, 255));
    const ccColor4F* c = g->cornerColors();
    // Default vector (0, -1): start colour at the top, end at the bottom.
    EXPECT_NEAR(c[2].r, 1, 1e-4); // top-left
    EXPECT_NEAR(c[0].b, 1, 1e-4); // bottom-left
    g->setVector(CCPoint(1, 0));
    EXPECT_NEAR(c[0].r, 1, 1e-4); // left is start
    EXPECT_NEAR(c[1].b, 1, 1e-4); // right is end
    g->setEndOpacity(0);
    EXPECT_NEAR(c[1].a, 0, 1e-4);
    EXPECT_NEAR(c[0].a, 1, 1e-4);
}
