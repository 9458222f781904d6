// Transitions: the enter/exit order of the two scenes, deferred scene
// changes, no touches while running, instant finish, and (with a display)
// both pages on screen half way through a page turn.
#include "engine/render/RenderFixture.h"

#include "base/CCLog.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"
#include "scene/CCTouchDispatcher.h"
#include "transitions/CCTransitionPageTurn.h"
#include "transitions/CCTransitionZoomFlipY.h"

#include <algorithm>
#include <string>
#include <vector>

namespace cc {
namespace {

std::vector<std::string>* s_events = nullptr;

// A scene that records its lifecycle calls under its name.
class RecordingScene : public CCScene {
public:
    static RecordingScene* make(const char* name)
    {
        RecordingScene* s = new RecordingScene();
        s->init();
        s->m_name = name;
        s->autorelease();
        return s;
    }
    void onEnter() override { note("onEnter"); CCScene::onEnter(); }
    void onEnterTransitionDidFinish() override { note("onEnterTransitionDidFinish"); CCScene::onEnterTransitionDidFinish(); }
    void onExitTransitionDidStart() override { note("onExitTransitionDidStart"); CCScene::onExitTransitionDidStart(); }
    void onExit() override { note("onExit"); CCScene::onExit(); }

private:
    void note(const char* what)
    {
        if (s_events) s_events->push_back(m_name + "." + what);
    }
    std::string m_name;
};

TEST(Transitions, PageTurnRunsTheLifecycleInOrderAndDefersSceneChanges)
{
    FrameDriver driver;
    std::vector<std::string> events;
    s_events = &events;
    RecordingScene* first = RecordingScene::make("A");
    driver.show(first);
    events.clear();

    RecordingScene* second = RecordingScene::make("B");
    CCTransitionPageTurn* turn = CCTransitionPageTurn::create(0.5f, second, false);
    ASSERT_NE(nullptr, turn);
    EXPECT_TRUE(turn->isTransition());
    driver.director()->replaceScene(turn);
    driver.step();
    EXPECT_EQ((std::vector<std::string>{"A.onExitTransitionDidStart", "B.onEnter"}), events);
    EXPECT_FALSE(driver.director()->getTouchDispatcher()->isDispatchEvents());

    // Asked for while the page turns: waits until the turn is over.
    RecordingScene* third = RecordingScene::make("C");
    driver.director()->replaceScene(third);
    driver.advance(0.25);
    EXPECT_EQ(turn, driver.director()->getRunningScene());
    EXPECT_GT(turn->getProgress(), 0.4f);
    EXPECT_LT(turn->getProgress(), 0.7f);
    events.clear();
    driver.advance(0.3);
    EXPECT_TRUE(driver.director()->getTouchDispatcher()->isDispatchEvents());
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ("A.onExit", events[0]);
    EXPECT_EQ("B.onEnterTransitionDidFinish", events[1]);
    driver.step(2);
    EXPECT_EQ(third, driver.director()->getRunningScene());
    // B was entered once by the transition, never again by the director.
    size_t entersOfB = 0;
    for (const std::string& e : events) entersOfB += e == "B.onEnter";
    EXPECT_EQ(0u, entersOfB);
    EXPECT_NE(events.end(), std::find(events.begin(), events.end(), "B.onExit")) << "C replaced B";
    s_events = nullptr;
}

TEST(Transitions, ZoomFlipWithoutDurationFinishesAtOnceAndBadArgumentsFail)
{
    FrameDriver driver;
    std::vector<std::string> events;
    s_events = &events;
    RecordingScene* first = RecordingScene::make("A");
    driver.show(first);
    CCLogCapture log;
    EXPECT_EQ(nullptr, CCTransitionZoomFlipY::create(1.0f, nullptr, kCCTransitionOrientationUpOver));
    EXPECT_EQ(nullptr, CCTransitionPageTurn::create(1.0f, first, true)) << "the running scene cannot come in";
    EXPECT_EQ(2u, log.lines().size());

    events.clear();
    RecordingScene* second = RecordingScene::make("B");
    CCTransitionZoomFlipY* flip = CCTransitionZoomFlipY::create(0, second, kCCTransitionOrientationDownOver);
    ASSERT_NE(nullptr, flip);
    EXPECT_EQ(kCCTransitionOrientationDownOver, flip->getOrientation());
    driver.director()->replaceScene(flip);
    driver.step();
    EXPECT_TRUE(flip->isFinished());
    EXPECT_EQ((std::vector<std::string>{"A.onExitTransitionDidStart", "B.onEnter", "A.onExit",
                                        "B.onEnterTransitionDidFinish"}),
              events);
    driver.step();
    EXPECT_EQ(second, driver.director()->getRunningScene());
    EXPECT_TRUE(second->isVisible());

    // A timed flip shows one scene at a time, the incoming one from half way.
    RecordingScene* third = RecordingScene::make("C");
    CCTransitionZoomFlipY* timed = CCTransitionZoomFlipY::create(1.0f, third);
    driver.director()->replaceScene(timed);
    driver.advance(0.25);
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(third->isVisible());
    driver.advance(0.5);
    EXPECT_FALSE(second->isVisible());
    EXPECT_TRUE(third->isVisible());
    driver.advance(0.5);
    EXPECT_EQ(third, driver.director()->getRunningScene());
    s_events = nullptr;
}

TEST(Transitions, PageCurlLiftsTheCornerFirstAndTurnsTheWholePage)
{
    // At the start the page is flat.
    GridVertex3D p = CCTransitionPageTurn::curl(600, 50, 0);
    EXPECT_NEAR(600, p.x, 1);
    EXPECT_NEAR(50, p.y, 1);
    // Early on the bottom-right corner has moved while the spine has not.
    GridVertex3D corner = CCTransitionPageTurn::curl(640, 0, 0.2f);
    GridVertex3D spine = CCTransitionPageTurn::curl(0, 480, 0.2f);
    EXPECT_LT(corner.x, 620);
    EXPECT_GT(corner.z, 1);
    EXPECT_NEAR(0, spine.x, 1);
    EXPECT_NEAR(480, spine.y, 1);
    // Near the end no point of the page is right of the middle.
    for (float x : {160.f, 320.f, 640.f}) {
        for (float y : {0.f, 480.f, 960.f}) EXPECT_LT(CCTransitionPageTurn::curl(x, y, 0.98f).x, 320);
    }
}

class PageTurnRender : public rendertest::RenderTest {};

TEST_F(PageTurnRender, HalfWayThroughAPageTurnBothScenesAreVisible)
{
    for (bool backwards : {false, true}) {
        CCScene* first = CCScene::create();
        first->addChild(CCLayerColor::create(ccc4(255, 0, 0, 255)));
        driver->show(first);
        CCScene* second = CCScene::create();
        second->addChild(CCLayerColor::create(ccc4(0, 0, 255, 255)));
        CCTransitionPageTurn* turn = CCTransitionPageTurn::create(1.0f, second, backwards);
        driver->director()->replaceScene(turn);
        driver->advance(0.5);
        std::vector<unsigned char> rgba;
        int w = 0, h = 0;
        ASSERT_TRUE(CCFrameCapture::readFrame(rgba, w, h));
        size_t red = 0, blue = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            red += rgba[i] > 150 && rgba[i + 2] < 60;
            blue += rgba[i + 2] > 150 && rgba[i] < 60;
        }
        const size_t total = static_cast<size_t>(w) * h;
        EXPECT_GT(red, total / 10) << "outgoing page, backwards=" << backwards;
        EXPECT_GT(blue, total / 10) << "incoming page, backwards=" << backwards;
        if (::testing::Test::HasFailure()) {
            CCFrameCapture::saveToPNG(rendertest::tempPath(backwards ? "turn-back.png" : "turn.png"));
        }
        // The spine side still shows the page that does not move.
        ccColor4B spine = at(5, 480);
        if (backwards) {
            EXPECT_TRUE(rendertest::near(spine, 0, 0, 255, 40)) << rendertest::describe(spine);
        }
        driver->advance(0.6);
        EXPECT_EQ(second, driver->director()->getRunningScene());
        ccColor4B after = at(320, 480);
        EXPECT_TRUE(rendertest::near(after, 0, 0, 255)) << rendertest::describe(after);
    }
}

TEST_F(PageTurnRender, TheFirstFrameOfATurnShowsTheOutgoingPageAndTheSecondBothPages)
{
    for (bool backwards : {false, true}) {
        CCScene* first = CCScene::create();
        first->addChild(CCLayerColor::create(ccc4(255, 0, 0, 255)));
        driver->show(first);
        CCScene* second = CCScene::create();
        second->addChild(CCLayerColor::create(ccc4(0, 0, 255, 255)));
        driver->director()->replaceScene(CCTransitionPageTurn::create(0.5f, second, backwards));
        driver->step();
        for (const CCPoint& p : {CCPoint(5, 5), CCPoint(320, 480), CCPoint(635, 5), CCPoint(635, 955)}) {
            EXPECT_TRUE(rendertest::near(at(p.x, p.y), 255, 0, 0)) << "backwards=" << backwards << " at " << p.x
                                                                    << "," << p.y;
        }
        // A few frames on, the incoming page shows where the curl uncovers it.
        driver->step(6);
        std::vector<unsigned char> rgba;
        int w = 0, h = 0;
        ASSERT_TRUE(CCFrameCapture::readFrame(rgba, w, h));
        size_t blue = 0;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4) blue += rgba[i + 2] > 150 && rgba[i] < 60;
        EXPECT_GT(blue, 0u) << "backwards=" << backwards;
        driver->advance(0.6);
    }
}

TEST_F(PageTurnRender, APageThatChangesWhileTurningIsShownChangedInTheNextFrame)
{
    // The pages are drawn into textures once and reused while they stand
    // still; a change on either page shows in the very next frame.
    auto share = [](unsigned char r, unsigned char g, unsigned char b) {
        std::vector<unsigned char> rgba;
        int w = 0, h = 0;
        EXPECT_TRUE(CCFrameCapture::readFrame(rgba, w, h));
        size_t n = 0;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
            n += std::abs(rgba[i] - r) < 40 && std::abs(rgba[i + 1] - g) < 40 && std::abs(rgba[i + 2] - b) < 40;
        }
        return w * h > 0 ? static_cast<double>(n) / (w * h) : 0.0;
    };
    CCScene* first = CCScene::create();
    CCLayerColor* outgoing = CCLayerColor::create(ccc4(255, 0, 0, 255));
    first->addChild(outgoing);
    driver->show(first);
    CCScene* second = CCScene::create();
    CCLayerColor* incoming = CCLayerColor::create(ccc4(0, 0, 255, 255));
    second->addChild(incoming);
    driver->director()->replaceScene(CCTransitionPageTurn::create(1.0f, second, false));
    driver->advance(0.5);
    EXPECT_GT(share(255, 0, 0), 0.1);
    EXPECT_GT(share(0, 0, 255), 0.1);

    outgoing->setColor(ccc3(0, 255, 0));
    driver->step();
    EXPECT_EQ(share(255, 0, 0), 0.0);
    EXPECT_GT(share(0, 255, 0), 0.1);
    incoming->setColor(ccc3(255, 255, 0));
    driver->step();
    EXPECT_EQ(share(0, 0, 255), 0.0);
    EXPECT_GT(share(255, 255, 0), 0.1);
    // Unchanged pages keep being drawn as they are.
    driver->step(3);
    EXPECT_GT(share(0, 255, 0), 0.05);
    EXPECT_GT(share(255, 255, 0), 0.1);
    driver->advance(0.6);
    EXPECT_TRUE(rendertest::near(at(320, 480), 255, 255, 0)) << rendertest::describe(at(320, 480));
}

} // namespace
} // namespace cc
