// Scroll view through real touches on a UILayer and the frame driver's
// virtual time: top-aligned start, clamping with end flags and events,
// coasting and its stop, the 5-point takeover from a child button, the inner
// container rules, releasing resources, and drawing only what the view shows.
#include "gui/widgets/UIScrollView.h"

#include "gui/GuiTestSupport.h"
#include "WidgetTestSupport.h"
#include "gui/GUIRenderer.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIDragPanel.h"

#include <gtest/gtest.h>

#include <vector>

using namespace cc;

namespace {

struct ScrollLog : CCObject {
    std::vector<int> kinds;
    int bottoms = 0;
    void onScroll(CCObject*, ScrollViewEventKind kind) { kinds.push_back(kind); }
    void onBottom(CCObject*) { ++bottoms; }
};

// A 200 x 100 vertical view at (100, 100) with a 200 x 300 inner container.
UIScrollView* makeView(guitest::Stage& stage, const CCSize& inner = CCSize(200, 300))
{
    UIScrollView* view = UIScrollView::create();
    view->setSize(CCSize(200, 100));
    view->setPosition(CCPoint(100, 100));
    view->setInnerContainerSize(inner);
    stage.root()->addChild(view);
    return view;
}

void addFiller(UIScrollView* view)
{
    UIWidget* filler = UIWidget::create();
    view->addChild(filler);
}

} // namespace

TEST(ScrollView, StartsTopAlignedAndClampsAtTheBottomWithItsEvent)
{
    guitest::Stage stage;
    UIScrollView* view = makeView(stage);
    addFiller(view);
    ScrollLog log;
    view->setScrollListener(&log, scrollvieweventselector(ScrollLog::onScroll));
    view->setScrollToBottomListener(&log, callfuncO_selector(ScrollLog::onBottom));
    EXPECT_EQ(CCPoint(0, -200), view->getInnerContainer()->getPosition());

    stage.driver->drag(CCPoint(200, 120), CCPoint(200, 370), 5);
    EXPECT_FLOAT_EQ(0, view->getInnerContainer()->getPosition().y);
    EXPECT_TRUE(view->isAtBottom());
    EXPECT_FALSE(view->isAtTop());
    ASSERT_FALSE(log.kinds.empty());
    for (int kind : log.kinds) EXPECT_EQ(SCROLLVIEW_EVENT_SCROLL_TO_BOTTOM, kind);
    EXPECT_EQ(static_cast<int>(log.kinds.size()), log.bottoms) << "own listener first, then the scroll listener";

    // Back down past the top: clamped at the top, bottom flag cleared on the way.
    stage.driver->drag(CCPoint(200, 190), CCPoint(200, -200), 4);
    EXPECT_FLOAT_EQ(-200, view->getInnerContainer()->getPosition().y);
    EXPECT_TRUE(view->isAtTop());
    EXPECT_FALSE(view->isAtBottom());
    EXPECT_EQ(SCROLLVIEW_EVENT_SCROLL_TO_TOP, log.kinds.back());
}

TEST(ScrollView, CoastsWithDecayingSpeedAndATapDoesNot)
{
    guitest::Stage stage;
    UIScrollView* view = makeView(stage);
    addFiller(view);
    FrameDriver& d = *stage.driver;

    // 50 points up, released after 0.5 s.
    d.touchDown(CCPoint(200, 120));
    d.step(30);
    d.touchMove(CCPoint(200, 170));
    d.touchUp(CCPoint(200, 170));
    ASSERT_TRUE(view->isAutoScrolling());
    EXPECT_NEAR(100.0f, view->getAutoScrollSpeed(), 0.5f);
    const float released = view->getInnerContainer()->getPosition().y;
    EXPECT_FLOAT_EQ(-150, released);

    // 600 points/s^2 takes 100 points/s away in 1/6 s = 10 frames.
    d.step(9);
    EXPECT_TRUE(view->isAutoScrolling());
    d.step(2);
    EXPECT_FALSE(view->isAutoScrolling());
    // (90 + 80 + ... + 10) / 60 points.
    EXPECT_NEAR(7.5f, view->getInnerContainer()->getPosition().y - released, 0.25f);
    const float rest = view->getInnerContainer()->getPosition().y;
    d.step(10);
    EXPECT_FLOAT_EQ(rest, view->getInnerContainer()->getPosition().y);
}

TEST(ScrollView, AShortSlideDoesNotCoast)
{
    guitest::Stage stage;
    stage.driver.reset(); // one director at a time
    FrameDriver d(0.01f);
    CCScene* scene = CCScene::create();
    UILayer* layer = UILayer::create();
    scene->addChild(layer);
    d.show(scene);
    UIScrollView* view = UIScrollView::create();
    view->setSize(CCSize(200, 100));
    view->setPosition(CCPoint(100, 100));
    view->setInnerContainerSize(CCSize(200, 300));
    layer->addWidget(view);
    d.touchDown(CCPoint(200, 120));
    d.step(1);
    d.touchMove(CCPoint(200, 170));
    d.touchUp(CCPoint(200, 170));
    EXPECT_FALSE(view->isAutoScrolling());
    const float y = view->getInnerContainer()->getPosition().y;
    d.step(5);
    EXPECT_FLOAT_EQ(y, view->getInnerContainer()->getPosition().y);
}

TEST(ScrollView, ChildButtonKeepsItsPressedLookUpToFivePoints)
{
    guitest::Stage stage;
    UIScrollView* view = makeView(stage);
    const std::string normal = widgettest::writeSolidPNG("sv-normal.png", 100, 50, {255, 0, 0, 255});
    const std::string pressed = widgettest::writeSolidPNG("sv-pressed.png", 100, 50, {0, 0, 255, 255});
    UIButton* button = UIButton::create();
    button->loadTextures(normal.c_str(), pressed.c_str(), "");
    button->setTouchEnabled(true);
    button->setPosition(CCPoint(100, 250)); // world (200, 150)
    ASSERT_TRUE(view->addChild(button));
    ASSERT_EQ(button->getParent(), view->getInnerContainer());
    FrameDriver& d = *stage.driver;

    d.touchDown(CCPoint(200, 150));
    d.step();
    EXPECT_EQ(LOOK_STYLE_HIGHLIGHT, button->getLookStyle());
    d.touchMove(CCPoint(200, 155));
    d.step();
    EXPECT_EQ(LOOK_STYLE_HIGHLIGHT, button->getLookStyle()) << "5 points is still a press";
    EXPECT_FLOAT_EQ(-200, view->getInnerContainer()->getPosition().y);

    d.touchMove(CCPoint(200, 155.1f));
    d.step();
    EXPECT_EQ(LOOK_STYLE_NORMAL, button->getLookStyle()) << "beyond 5 points the view takes over";
    EXPECT_NEAR(-194.9f, view->getInnerContainer()->getPosition().y, 1e-3f);
    d.touchUp(CCPoint(200, 155.1f));
    d.step();
}

TEST(ScrollView, InnerContainerHoldsTheChildrenAndIsAtLeastTheView)
{
    guitest::Stage stage;
    UIScrollView* view = makeView(stage, CCSize(50, 40));
    EXPECT_EQ(CCSize(200, 100), view->getInnerContainer()->getSize());
    EXPECT_EQ(CCPoint(0, 0), view->getInnerContainer()->getPosition());

    UIWidget* a = UIWidget::create();
    UIWidget* b = UIWidget::create();
    EXPECT_TRUE(view->addChild(a));
    EXPECT_TRUE(view->addChild(b));
    EXPECT_EQ(view->getInnerContainer()->getChildren(), view->getChildren());
    EXPECT_EQ(2u, view->getChildren()->count());
    EXPECT_TRUE(view->removeChild(a));
    EXPECT_FALSE(view->removeChild(a));
    EXPECT_EQ(1u, view->getChildren()->count());
    view->removeAllChildren();
    EXPECT_EQ(0u, view->getChildren()->count());

    // Resizing scrolls back to the top.
    view->setInnerContainerSize(CCSize(200, 500));
    view->getInnerContainer()->setPosition(CCPoint(0, -100));
    view->setSize(CCSize(200, 150));
    EXPECT_EQ(CCPoint(0, -350), view->getInnerContainer()->getPosition());
}

TEST(ScrollView, DirectionNoneNeverMoves)
{
    guitest::Stage stage;
    UIScrollView* view = makeView(stage);
    addFiller(view);
    view->setDirection(SCROLLVIEW_DIR_NONE);
    stage.driver->drag(CCPoint(200, 120), CCPoint(260, 190), 4);
    stage.driver->step(20);
    EXPECT_EQ(CCPoint(0, -200), view->getInnerContainer()->getPosition());
}

TEST(ScrollView, HorizontalClampsAtTheRight)
{
    guitest::Stage stage;
    UIScrollView* view = makeView(stage, CCSize(500, 100));
    addFiller(view);
    view->setDirection(SCROLLVIEW_DIR_HORIZONTAL);
    stage.driver->drag(CCPoint(290, 150), CCPoint(-100, 150), 4);
    EXPECT_FLOAT_EQ(-300, view->getInnerContainer()->getPosition().x);
    EXPECT_TRUE(view->isAtRight());
}

TEST(ScrollView, ReleasingResourcesDetachesTheInnerContainer)
{
    guitest::Stage stage;
    UIScrollView* view = makeView(stage);
    addFiller(view);
    Layout* inner = view->getInnerContainer();
    inner->retain();
    view->releaseResources();
    EXPECT_EQ(nullptr, inner->getParent());
    EXPECT_EQ(nullptr, inner->getRenderNode()->getParent());
    EXPECT_EQ(0u, inner->getChildren()->count());
    EXPECT_EQ(nullptr, view->getInnerContainer());
    stage.root()->removeChild(view); // the destructor runs the release again: nothing left to touch
    inner->release();
    stage.driver->step();
}

namespace {
// A leaf whose render node counts the frames it was visited in.
struct CountingNode : GUIRenderer {
    int visits = 0;
    void visit() override
    {
        if (isVisible()) ++visits;
        GUIRenderer::visit();
    }
};
struct CountingWidget : UIWidget {
    static CountingWidget* make(const CCPoint& pos)
    {
        CountingWidget* w = new CountingWidget();
        w->init();
        w->autorelease();
        w->setIgnoreSize(false);
        w->setSize(CCSize(20, 20));
        w->setPosition(pos);
        return w;
    }
    void createRenderNode() override
    {
        CountingNode* node = new CountingNode();
        node->init();
        node->autorelease();
        m_pRenderNode.reset(node);
    }
    int visits() { return static_cast<CountingNode*>(m_pRenderNode.get())->visits; }
};
} // namespace

TEST(ScrollView, AClippingViewVisitsOnlyTheChildrenItShows)
{
    guitest::Stage stage;
    UIScrollView* view = makeView(stage, CCSize(200, 20000));
    std::vector<CountingWidget*> rows;
    for (int i = 0; i < 1000; ++i) {
        rows.push_back(CountingWidget::make(CCPoint(100, 20000 - 10 - i * 20.0f)));
        view->addChild(rows.back());
    }
    stage.driver->step();
    int drawn = 0;
    for (CountingWidget* row : rows) drawn += row->visits() > 0 ? 1 : 0;
    EXPECT_GE(drawn, 5);
    EXPECT_LE(drawn, 6) << "a 100-point view shows five 20-point rows (six when one straddles an edge)";
    EXPECT_GT(rows[0]->visits(), 0);
    EXPECT_EQ(0, rows[500]->visits());
    for (CountingWidget* row : rows) ASSERT_TRUE(row->isVisible()) << "hidden for the frame only";

    // Without clipping every child draws, as it also takes touches.
    view->setClippingEnabled(false);
    stage.driver->step();
    EXPECT_GT(rows[500]->visits(), 0);
    EXPECT_GT(rows[999]->visits(), 0);
}

TEST(ScrollView, CullingMeasuresAChildsWholeDrawingInBothScrollingViews)
{
    for (int kind = 0; kind < 2; ++kind) {
        SCOPED_TRACE(kind == 0 ? "scroll view" : "drag panel");
        guitest::Stage stage;
        InnerContainerLayout* view = kind == 0 ? static_cast<InnerContainerLayout*>(UIScrollView::create())
                                               : static_cast<InnerContainerLayout*>(UIDragPanel::create());
        view->setSize(CCSize(200, 100));
        view->setPosition(CCPoint(100, 100));
        view->setInnerContainerSize(CCSize(200, 1000)); // shows inner y 900..1000
        stage.root()->addChild(view);
        // Own rectangle far below the view, turned half a turn about a point
        // above it: the 20 x 20 square lands at y 950..970.
        CountingWidget* turned = CountingWidget::make(CCPoint(100, 300));
        turned->getOwnRenderNode()->setRotation(180);
        turned->getOwnRenderNode()->setAnchorPoint(CCPoint(0.5f, 0.5f));
        turned->getOwnRenderNode()->setContentSize(CCSize(20, 1320)); // pivot 660 above its foot
        view->addChild(turned);
        // A holder far to the right whose own child reaches back into the view.
        CountingWidget* holder = CountingWidget::make(CCPoint(900, 950));
        CountingWidget* reaching = CountingWidget::make(CCPoint(-800, 0));
        reaching->getOwnRenderNode()->setContentSize(CCSize(20, 20)); // it draws, as a picture would
        holder->addChild(reaching);
        view->addChild(holder);
        // A plain child far below stays culled.
        CountingWidget* far = CountingWidget::make(CCPoint(100, 300));
        view->addChild(far);
        stage.driver->step();
        EXPECT_GT(turned->visits(), 0);
        EXPECT_GT(holder->visits(), 0);
        EXPECT_GT(reaching->visits(), 0);
        EXPECT_EQ(0, far->visits());
        EXPECT_TRUE(far->isVisible()) << "hidden for the frame only";
    }
}
