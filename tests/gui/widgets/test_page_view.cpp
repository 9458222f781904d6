// Page view through real touches on a UILayer: snapping left by 160 vs back
// by 140 in 0.2 s with one page-turning event, scrollToPage bounds, children
// added with addChild staying put, and the 5-point takeover from a child.
#include "gui/widgets/UIPageView.h"

#include "gui/GuiTestSupport.h"

#include <gtest/gtest.h>

using namespace cc;

namespace {

struct TurnLog : CCObject {
    int turnings = 0;
    int events = 0;
    void onTurning(CCObject*) { ++turnings; }
    void onEvent(CCObject*, PageViewEventKind kind) { events += kind == PAGEVIEW_EVENT_TURNING ? 1 : 0; }
};

// A 300 x 200 page view at (100, 100) with three pages, showing page 0.
struct Pages {
    guitest::Stage stage;
    UIPageView* view = nullptr;
    Layout* page[3] = {};
    TurnLog log;
    Pages()
    {
        view = UIPageView::create();
        view->setSize(CCSize(300, 200));
        view->setPosition(CCPoint(100, 100));
        view->setTouchEnabled(true);
        for (Layout*& p : page) {
            p = Layout::create();
            EXPECT_TRUE(view->addPage(p));
        }
        view->setPageTurningListener(&log, callfuncO_selector(TurnLog::onTurning));
        view->setPageViewListener(&log, pagevieweventselector(TurnLog::onEvent));
        stage.root()->addChild(view);
    }
    float x(int i) { return page[i]->getPosition().x; }
};

} // namespace

TEST(PageView, ASwipePastHalfTheWidthSnapsToTheNextPageInTwoTenths)
{
    Pages p;
    EXPECT_FLOAT_EQ(0, p.x(0));
    EXPECT_FLOAT_EQ(300, p.x(1));
    EXPECT_EQ(CCSize(300, 200), p.page[2]->getSize());

    p.stage.driver->drag(CCPoint(350, 200), CCPoint(190, 200), 4);
    // The release frame already took the first snap step.
    EXPECT_TRUE(p.view->isAutoScrolling());
    EXPECT_EQ(1, p.view->getCurPageIndex());
    p.stage.driver->step(9);
    EXPECT_TRUE(p.view->isAutoScrolling()) << "0.2 s is 12 frames";
    EXPECT_EQ(0, p.log.turnings);
    p.stage.driver->step(3);
    EXPECT_FALSE(p.view->isAutoScrolling());
    EXPECT_NEAR(0, p.x(1), 1e-3f);
    EXPECT_NEAR(-300, p.x(0), 1e-3f);
    EXPECT_EQ(1, p.log.turnings);
    EXPECT_EQ(1, p.log.events);
}

TEST(PageView, ASwipeShortOfHalfSnapsBackAndStillReports)
{
    Pages p;
    p.stage.driver->drag(CCPoint(350, 200), CCPoint(210, 200), 4);
    EXPECT_EQ(0, p.view->getCurPageIndex());
    p.stage.driver->step(15);
    EXPECT_NEAR(0, p.x(0), 1e-3f);
    EXPECT_NEAR(300, p.x(1), 1e-3f);
    EXPECT_EQ(1, p.log.turnings);
}

TEST(PageView, ScrollToPageIgnoresIndexesOutOfRange)
{
    Pages p;
    p.view->scrollToPage(-1);
    p.view->scrollToPage(3);
    EXPECT_FALSE(p.view->isAutoScrolling());
    p.view->scrollToPage(2);
    p.stage.driver->step(13);
    EXPECT_NEAR(0, p.x(2), 1e-3f);
    EXPECT_EQ(2, p.view->getCurPageIndex());
    // Removing a page keeps the row's ends right.
    EXPECT_TRUE(p.view->removeChild(p.page[2]));
    EXPECT_EQ(2u, p.view->getPages()->count());
    EXPECT_FALSE(p.view->removeChild(p.page[2]));
}

TEST(PageView, ChildrenAddedOrdinarilyNeverMove)
{
    guitest::Stage stage;
    UIPageView* view = UIPageView::create();
    view->setSize(CCSize(300, 200));
    view->setPosition(CCPoint(100, 100));
    view->setTouchEnabled(true);
    guitest::LookWidget* child = guitest::LookWidget::make("child", CCPoint(150, 100), CCSize(100, 50));
    EXPECT_TRUE(view->addChild(child));
    EXPECT_EQ(0u, view->getPages()->count());
    stage.root()->addChild(view);

    stage.driver->drag(CCPoint(350, 250), CCPoint(120, 250), 4); // on the view itself
    stage.driver->drag(CCPoint(250, 200), CCPoint(110, 200), 4); // on the child
    stage.driver->step(20);
    EXPECT_EQ(CCPoint(150, 100), child->getPosition());
    EXPECT_FALSE(view->removeChild(child)) << "only pages are removed through the page view";
}

TEST(PageView, ChildOnAPageKeepsItsPressedLookUpToFivePoints)
{
    Pages p;
    guitest::LookWidget* button = guitest::LookWidget::make("button", CCPoint(150, 100), CCSize(100, 50));
    p.page[0]->addChild(button); // world (250, 200)
    FrameDriver& d = *p.stage.driver;
    d.touchDown(CCPoint(250, 200));
    d.step();
    EXPECT_EQ(LOOK_STYLE_HIGHLIGHT, button->getLookStyle());
    d.touchMove(CCPoint(245, 200));
    d.step();
    EXPECT_EQ(LOOK_STYLE_HIGHLIGHT, button->getLookStyle());
    EXPECT_FLOAT_EQ(0, p.x(0));
    d.touchMove(CCPoint(244.9f, 200));
    d.step();
    EXPECT_EQ(LOOK_STYLE_NORMAL, button->getLookStyle());
    EXPECT_NEAR(-5.1f, p.x(0), 1e-3f);
    d.touchUp(CCPoint(244.9f, 200));
    d.step(15);
    EXPECT_NEAR(0, p.x(0), 1e-3f);
}
