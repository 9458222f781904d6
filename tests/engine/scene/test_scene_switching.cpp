// How the director hands over to and from transition scenes, and what the
// view does with a pointer that is pressed again before it was released.
#include "engine.h"
#include "ScratchFolder.h"
#include "platform/FrameDriver.h"

#include <gtest/gtest.h>

using namespace cc;

namespace {
// A stand-in transition: enters the incoming scene at once, exits the
// outgoing one when told to finish, then hands the incoming scene over.
struct FakeTransition : CCScene {
    CCScene* in = nullptr;
    CCScene* out = nullptr;
    std::vector<std::string>* events = nullptr;
    static FakeTransition* make(CCScene* in, std::vector<std::string>* events)
    {
        FakeTransition* t = new FakeTransition();
        t->init();
        t->autorelease();
        t->in = in;
        in->retain();
        t->events = events;
        // Like a real transition, it takes the running scene when made.
        t->out = CCDirector::sharedDirector()->getRunningScene();
        CC_SAFE_RETAIN(t->out);
        return t;
    }
    ~FakeTransition() override
    {
        CC_SAFE_RELEASE(in);
        CC_SAFE_RELEASE(out);
    }
    bool isTransition() const override { return true; }
    void onEnter() override
    {
        CCScene::onEnter();
        if (out) out->onExitTransitionDidStart();
        in->onEnter();
        events->push_back("transition:enter");
    }
    void finish()
    {
        if (out) out->onExit();
        in->onEnterTransitionDidFinish();
        events->push_back("transition:finish");
        CCDirector::sharedDirector()->transitionFinished(in);
    }
};

struct Named : CCScene {
    std::vector<std::string>* events;
    std::string name;
    static Named* make(std::vector<std::string>* events, const std::string& name)
    {
        Named* n = new Named();
        n->init();
        n->autorelease();
        n->events = events;
        n->name = name;
        return n;
    }
    void onEnter() override { CCScene::onEnter(); events->push_back(name + ":enter"); }
    void onEnterTransitionDidFinish() override { CCScene::onEnterTransitionDidFinish(); events->push_back(name + ":enterDone"); }
    void onExitTransitionDidStart() override { CCScene::onExitTransitionDidStart(); events->push_back(name + ":exitStart"); }
    void onExit() override { CCScene::onExit(); events->push_back(name + ":exit"); }
};
} // namespace

TEST(SceneSwitching, ATransitionRunsTheScenesLifecycleAndARequestMadeMeanwhileWaits)
{
    std::vector<std::string> events;
    FrameDriver driver;
    driver.show(Named::make(&events, "old"));
    events.clear();

    Named* incoming = Named::make(&events, "new");
    FakeTransition* transition = FakeTransition::make(incoming, &events);
    transition->retain();
    driver.director()->replaceScene(transition);
    driver.step();
    EXPECT_EQ(events, (std::vector<std::string>{"old:exitStart", "new:enter", "transition:enter"}));
    EXPECT_EQ(driver.director()->getRunningScene(), transition);

    // Asked for while the transition plays: it must wait for the end.
    events.clear();
    driver.director()->replaceScene(Named::make(&events, "later"));
    driver.step(3);
    EXPECT_TRUE(events.empty());

    transition->finish();
    driver.step();
    EXPECT_EQ(driver.director()->getRunningScene(), incoming);
    // The incoming scene is not entered a second time by the director.
    EXPECT_EQ(events, (std::vector<std::string>{"old:exit", "new:enterDone", "transition:finish"}));

    events.clear();
    driver.step();
    EXPECT_EQ(events, (std::vector<std::string>{"new:exitStart", "new:exit", "later:enter", "later:enterDone"}));
    transition->release();
}

TEST(SceneSwitching, ASecondPressWithoutAReleaseCancelsTheFirstTouch)
{
    struct Layer : CCLayer {
        std::vector<std::string> seen;
        bool ccTouchBegan(CCTouch* t, CCEvent*) override { seen.push_back("began"); return true; }
        void ccTouchEnded(CCTouch*, CCEvent*) override { seen.push_back("ended"); }
        void ccTouchCancelled(CCTouch*, CCEvent*) override { seen.push_back("cancelled"); }
    };
    FrameDriver driver;
    CCScene* scene = CCScene::create();
    Layer* layer = new Layer();
    layer->init();
    layer->setTouchMode(kCCTouchesOneByOne);
    layer->setTouchEnabled(true);
    scene->addChild(layer);
    layer->release();
    driver.show(scene);

    driver.touchDown(CCPoint(1, 1));
    driver.touchDown(CCPoint(2, 2));
    driver.touchUp(CCPoint(2, 2));
    driver.touchUp(CCPoint(2, 2)); // a release with nothing pressed is ignored
    driver.touchMove(CCPoint(3, 3));
    EXPECT_EQ(layer->seen, (std::vector<std::string>{"began", "cancelled", "began", "ended"}));
}

TEST(SceneSwitching, TheFrameDriverStepsWholeFramesOnItsVirtualClock)
{
    FrameDriver driver(0.1f);
    driver.show(CCScene::create());
    EXPECT_NEAR(driver.now(), 0.1, 1e-6);
    driver.advance(1.0);
    EXPECT_NEAR(driver.now(), 1.1, 1e-6);
    EXPECT_EQ(driver.director()->getTotalFrames(), 11u);
    double heard = 0;
    driver.onClock([&heard](double dt) { heard += dt; });
    driver.advance(0.25); // three frames of 0.1 s reach at least 0.25 s
    EXPECT_NEAR(heard, 0.3, 1e-6);
}

TEST(SceneSwitching, TheFrameDriverTakesScreenshotsWhenADisplayExists)
{
    FrameDriver driver;
    if (!driver.enableRendering(320, 480)) {
        GTEST_SKIP() << "no display: screenshots need one (the test command runs under Xvfb)";
    }
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(0, 255, 0, 255)));
    driver.show(scene);
    const std::string path = quibotest::scratchPath("driver_shot.png");
    ASSERT_TRUE(driver.screenshot(path));
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[4] = {};
    EXPECT_EQ(std::fread(magic, 1, 4, f), 4u);
    std::fclose(f);
    EXPECT_EQ(magic[1], 'P');
    EXPECT_EQ(magic[2], 'N');
}
