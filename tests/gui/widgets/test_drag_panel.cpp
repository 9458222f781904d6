// Drag panel through real touches on a UILayer and virtual time (1/64 s
// frames, so the numbers are exact): content that fits does not move, the
// clamped drag and its berth event, coasting with square-root easing, the
// spring-back after leaving the panel, a same-frame release, the 5-point
// takeover from a child, and releasing resources.
#include "gui/widgets/UIDragPanel.h"

#include "gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace cc;

namespace {

constexpr float kFrame = 1.0f / 64.0f;

struct PanelLog : CCObject {
    std::vector<int> kinds;
    int bounceBottoms = 0;
    void onEvent(CCObject*, DragPanelEventKind kind) { kinds.push_back(kind); }
    void onBounceBottom(CCObject*) { ++bounceBottoms; }
};

// A 200 x 200 panel at (100, 100) on its own 1/64 s stage.
struct Panel {
    std::unique_ptr<FrameDriver> driver{new FrameDriver(kFrame)};
    UILayer* layer = nullptr;
    UIDragPanel* panel = nullptr;
    PanelLog log;
    explicit Panel(const CCSize& inner, bool bounce = false)
    {
        CCScene* scene = CCScene::create();
        layer = UILayer::create();
        scene->addChild(layer);
        driver->show(scene);
        panel = UIDragPanel::create();
        panel->setSize(CCSize(200, 200));
        panel->setPosition(CCPoint(100, 100));
        panel->setBounceEnabled(bounce);
        panel->setInnerContainerSize(inner);
        panel->setEventListener(&log, dragpaneleventselector(PanelLog::onEvent));
        panel->setBounceToBottomListener(&log, callfuncO_selector(PanelLog::onBounceBottom));
        layer->addWidget(panel);
    }
    CCPoint at() { return panel->getInnerContainer()->getPosition(); }
    void place(const CCPoint& p) { panel->getInnerContainer()->setPosition(p); }
};

} // namespace

TEST(DragPanel, ContentThatFitsCannotBeDragged)
{
    Panel p(CCSize(100, 100));
    EXPECT_EQ(CCSize(200, 200), p.panel->getInnerContainer()->getSize());
    p.driver->drag(CCPoint(200, 200), CCPoint(260, 150), 4);
    p.driver->step(40);
    EXPECT_EQ(CCPoint(0, 0), p.at());
    EXPECT_FALSE(p.panel->isTouchPressed());
}

TEST(DragPanel, DraggingPastTheLeftEdgeStopsAtZeroAndBerthsLeft)
{
    Panel p(CCSize(300, 300));
    EXPECT_EQ(CCPoint(0, -100), p.at()) << "top at the view's top";
    p.place(CCPoint(-50, -50));
    FrameDriver& d = *p.driver;
    d.touchDown(CCPoint(150, 200));
    d.step();
    d.touchMove(CCPoint(230, 200));
    EXPECT_EQ(CCPoint(0, -50), p.at());
    ASSERT_EQ(1u, p.log.kinds.size());
    EXPECT_EQ(DRAGPANEL_EVENT_BERTH_LEFT, p.log.kinds[0]);
    d.touchUp(CCPoint(230, 200));
    d.step(40);
    EXPECT_EQ(CCPoint(0, -50), p.at()) << "the coast is clamped too";
}

TEST(DragPanel, ASwipeCoastsBySwipePerFrameWithSquareRootEasing)
{
    Panel p(CCSize(600, 600));
    p.place(CCPoint(-200, -200));
    FrameDriver& d = *p.driver;
    d.touchDown(CCPoint(150, 200));
    for (int i = 1; i <= 32; ++i) { // 120 points in 0.5 s
        d.step();
        d.touchMove(CCPoint(150 + 120.0f * i / 32, 200));
    }
    d.touchUp(CCPoint(270, 200));
    EXPECT_FLOAT_EQ(-80, p.at().x);
    EXPECT_TRUE(p.panel->isSliding());

    d.step(); // the slide's first tick starts it
    EXPECT_FLOAT_EQ(-80, p.at().x);
    d.step(8); // a quarter of 0.5 s: half of the 4 points
    EXPECT_NEAR(-78, p.at().x, 1e-4f);
    d.step(24);
    EXPECT_NEAR(-76, p.at().x, 1e-4f);
    EXPECT_FLOAT_EQ(-200, p.at().y);
    d.step(1);
    EXPECT_FALSE(p.panel->isSliding());
    EXPECT_TRUE(p.log.kinds.empty()) << "no edge reached";
}

TEST(DragPanel, ContentDraggedOutOfThePanelSpringsBackAndReportsBounceBottom)
{
    Panel p(CCSize(300, 300), true);
    FrameDriver& d = *p.driver;
    d.touchDown(CCPoint(200, 171));
    d.step();
    d.touchMove(CCPoint(200, 250));
    d.step();
    d.touchMove(CCPoint(200, 301)); // bottom edge now 30 inside, finger out of the panel
    EXPECT_FLOAT_EQ(30, p.at().y);
    EXPECT_TRUE(p.panel->isTouchCancelled());
    EXPECT_EQ(DRAGPANEL_MOVE_BOUNCE, p.panel->getMoveKind());
    d.step(1 + 16);
    EXPECT_NEAR(30 - 30 * std::sqrt(0.5f), p.at().y, 1e-3f);
    d.step(16);
    EXPECT_NEAR(0, p.at().y, 1e-4f);
    EXPECT_EQ(0, p.log.bounceBottoms);
    d.step();
    EXPECT_EQ(1, p.log.bounceBottoms);
    ASSERT_FALSE(p.log.kinds.empty());
    EXPECT_EQ(DRAGPANEL_EVENT_BOUNCE_BOTTOM, p.log.kinds.back());

    d.touchUp(CCPoint(200, 330)); // outside: no coasting
    d.step(40);
    EXPECT_NEAR(0, p.at().y, 1e-4f);
    EXPECT_FALSE(p.panel->isSliding());
}

TEST(DragPanel, ReleaseInThePressFrameDoesNotCoast)
{
    Panel p(CCSize(300, 300));
    p.place(CCPoint(-50, -50));
    FrameDriver& d = *p.driver;
    d.touchDown(CCPoint(200, 200));
    d.touchMove(CCPoint(220, 200));
    d.touchUp(CCPoint(220, 200));
    d.step(40);
    EXPECT_TRUE(std::isfinite(p.at().x) && std::isfinite(p.at().y));
    EXPECT_EQ(CCPoint(-30, -50), p.at());
    EXPECT_FALSE(p.panel->isSliding());

    // With bounce, content a same-frame drag left uncovered still springs back.
    Panel b(CCSize(300, 300), true);
    b.place(CCPoint(-50, -50));
    b.driver->touchDown(CCPoint(200, 200));
    b.driver->touchMove(CCPoint(280, 200));
    b.driver->touchUp(CCPoint(280, 200));
    EXPECT_EQ(CCPoint(30, -50), b.at());
    b.driver->step(40);
    EXPECT_NEAR(0, b.at().x, 1e-4f);
    ASSERT_FALSE(b.log.kinds.empty());
    EXPECT_EQ(DRAGPANEL_EVENT_BOUNCE_LEFT, b.log.kinds.back());
}

TEST(DragPanel, ChildButtonKeepsItsPressedLookUpToFivePointsInAnyDirection)
{
    Panel p(CCSize(300, 300));
    p.place(CCPoint(-50, -50));
    guitest::LookWidget* button = guitest::LookWidget::make("button", CCPoint(150, 150), CCSize(100, 50));
    ASSERT_TRUE(p.panel->addChild(button)); // world (200, 200)
    FrameDriver& d = *p.driver;
    d.touchDown(CCPoint(200, 200));
    d.step();
    d.touchMove(CCPoint(203, 204)); // exactly 5 points away
    d.step();
    EXPECT_EQ(LOOK_STYLE_HIGHLIGHT, button->getLookStyle());
    EXPECT_EQ(CCPoint(-50, -50), p.at());
    d.touchMove(CCPoint(203, 204.1f));
    d.step();
    EXPECT_EQ(LOOK_STYLE_NORMAL, button->getLookStyle());
    EXPECT_NEAR(-50 + 3, p.at().x, 1e-3f);
    EXPECT_NEAR(-50 + 4.1f, p.at().y, 1e-3f);
    d.touchUp(CCPoint(203, 204.1f));
    d.step();
}

TEST(DragPanel, ReleasingResourcesDetachesTheInnerContainer)
{
    Panel p(CCSize(300, 300));
    p.panel->addChild(UIWidget::create());
    Layout* inner = p.panel->getInnerContainer();
    inner->retain();
    p.panel->releaseResources();
    EXPECT_EQ(nullptr, inner->getParent());
    EXPECT_EQ(nullptr, inner->getRenderNode()->getParent());
    EXPECT_EQ(0u, inner->getChildren()->count());
    p.layer->removeWidget(p.panel);
    inner->release();
    p.driver->step();
}
