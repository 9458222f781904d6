// Journeys through the bundled book: the page build, the main menu's two
// ways in, turning by item and by swipe within pageMin..pageMax, and the
// lifecycle lines of the two alternating page classes.
#include "PageTestSupport.h"

#include "book/TestController.h"

#include "menu/CCMenuItem.h"

#include <gtest/gtest.h>

using namespace quibo;
using namespace quibo::pagetest;

TEST(PageBuild, BundledFirstPageBindsItsWordsAndShowsTheControls)
{
    Journey j;
    j.open(1);
    PageView p = j.page();
    ASSERT_EQ(1, p.variant);
    EXPECT_TRUE(j.driver->logged("-----------page_name----- qovarn_3391_ver10/tale -------------- !"));
    EXPECT_TRUE(j.driver->logged("Scene 1 onEnter"));
    EXPECT_EQ(14, j.page().wordCount());
    EXPECT_EQ(1, j.page().nextWordIndex());
    EXPECT_FALSE(pageState().autoPlay);
    EXPECT_EQ(nullptr, j.page().currentWord());
    ASSERT_NE(nullptr, j.page().sentenceBubble());
    EXPECT_FALSE(j.page().sentenceBubble()->isVisible());
    cc::UIWidget* w3 = p.word(1, 3);
    ASSERT_NE(nullptr, w3);
    EXPECT_FALSE(w3->isVisible());
    EXPECT_EQ(13, w3->getTag());
    EXPECT_EQ(112, p.word(1, 12)->getTag());
    EXPECT_TRUE(p.play->isVisible());
    EXPECT_FALSE(p.settings->isVisible());
    EXPECT_TRUE(p.previous->isVisible() && p.next->isVisible() && p.back->isVisible());
    // Building stopped whatever played and set full volume.
    EXPECT_GE(j.sim->countOf(cc::AudioEvent::Kind::Stop), 1u);
}

TEST(PageBuild, ManualModeHidesPlayAndEntryClearsAutoPlayOutsideAutoTurn)
{
    Journey j;
    pageState().playMode = PlayMode::manual;
    pageState().autoPlay = true;
    j.open(2);
    EXPECT_FALSE(j.page().play->isVisible());
    EXPECT_FALSE(pageState().autoPlay);

    pageState().playMode = PlayMode::autoTurn;
    pageState().autoPlay = true;
    j.driver->clearLog();
    j.open(3);
    EXPECT_TRUE(pageState().autoPlay);
    EXPECT_TRUE(j.driver->logged("---------------------------------0000000000000"));
}

TEST(PageTurning, ItemsTurnWithinTheBookAndPagesAlternateClasses)
{
    Journey j;
    j.open(1);
    // On the first page the previous item does nothing.
    j.tapItem(j.page().previous);
    j.driver->advance(0.7);
    EXPECT_EQ(1, bookSettings().currentPage);
    EXPECT_EQ(1, j.page().variant);

    j.driver->clearLog();
    j.tapItem(j.page().next);
    EXPECT_EQ(2, bookSettings().currentPage);
    EXPECT_EQ(+1, pageState().turnDirection);
    EXPECT_TRUE(j.driver->director()->isDepthTestEnabled());
    EXPECT_TRUE(j.running()->isTransition());
    j.driver->advance(0.7);
    EXPECT_FALSE(j.running()->isTransition());
    EXPECT_EQ(2, j.page().variant);
    EXPECT_TRUE(j.driver->logged("Scene 2 onEnter"));
    EXPECT_TRUE(j.driver->logged("Scene 2: onEnterTransitionDidFinish"));
    EXPECT_TRUE(j.driver->logged("Scene 1: onExitTransitionDidStart"));
    EXPECT_TRUE(j.driver->logged("Scene 1 onExit"));
    // The second class writes no page-name line.
    for (const std::string& line : j.driver->logLines()) {
        EXPECT_EQ(std::string::npos, line.find("page_name")) << line;
    }

    j.tapItem(j.page().previous);
    j.driver->advance(0.7);
    EXPECT_EQ(1, bookSettings().currentPage);
    EXPECT_EQ(-1, pageState().turnDirection);
    EXPECT_EQ(1, j.page().variant);

    // Last page: next does nothing.
    j.open(8);
    j.tapItem(j.page().next);
    j.driver->advance(0.7);
    EXPECT_EQ(8, bookSettings().currentPage);
}

TEST(PageTurning, SwipeOfFiftyTurnsOnePageAndLessTurnsNothing)
{
    Journey j;
    j.open(3);
    const cc::CCPoint start(320, 480);
    // 49.9 to the left: nothing.
    j.driver->touchDown(start);
    j.driver->touchMove(cc::CCPoint(start.x - 49.9f, start.y));
    j.driver->touchUp(cc::CCPoint(start.x - 49.9f, start.y));
    j.driver->advance(0.7);
    EXPECT_EQ(3, bookSettings().currentPage);
    // 50 to the left: forward one page, however far the finger goes on.
    j.driver->touchDown(start);
    j.driver->touchMove(cc::CCPoint(start.x - 50, start.y + 200));
    j.driver->touchMove(cc::CCPoint(start.x - 150, start.y));
    j.driver->touchMove(cc::CCPoint(start.x - 250, start.y));
    j.driver->advance(0.7);
    j.driver->touchMove(cc::CCPoint(start.x - 300, start.y));
    j.driver->touchUp(cc::CCPoint(start.x - 300, start.y));
    j.driver->advance(0.7);
    EXPECT_EQ(4, bookSettings().currentPage);
    // 50 to the right: back.
    j.driver->drag(start, cc::CCPoint(start.x + 50, start.y), 1);
    j.driver->advance(0.7);
    EXPECT_EQ(3, bookSettings().currentPage);
    EXPECT_EQ(-1, pageState().turnDirection);

    // On the first page a right swipe does nothing, on the last a left one.
    j.open(1);
    j.driver->drag(start, cc::CCPoint(start.x + 200, start.y), 4);
    j.driver->advance(0.7);
    EXPECT_EQ(1, bookSettings().currentPage);
    j.open(8);
    j.driver->drag(start, cc::CCPoint(start.x - 200, start.y), 4);
    j.driver->advance(0.7);
    EXPECT_EQ(8, bookSettings().currentPage);
}

TEST(PageTurning, AFingerStillMovingWhenTheNewPageTakesTouchesDoesNotTurnBack)
{
    Journey j;
    j.open(3);
    const cc::CCPoint start(400, 480);
    j.driver->touchDown(start);
    j.driver->touchMove(cc::CCPoint(start.x - 60, start.y));
    // The transition ends while the finger is still down; it goes on moving.
    j.driver->advance(0.8);
    ASSERT_EQ(4, bookSettings().currentPage);
    ASSERT_FALSE(j.running()->isTransition());
    j.driver->touchMove(cc::CCPoint(start.x - 40, start.y));
    j.driver->touchMove(cc::CCPoint(start.x + 100, start.y));
    j.driver->touchUp(cc::CCPoint(start.x + 100, start.y));
    j.driver->advance(0.8);
    EXPECT_EQ(4, bookSettings().currentPage);
}

TEST(PageEntry, MainMenuContinuesAndOpensWordLearningAboveTheLastPage)
{
    Journey j;
    const MainMenuRoutes savedRoutes = mainMenuRoutes();
    mainMenuRoutes().openPage = &openPage;
    j.driver->show(TestController::scene());
    TestController* menu = dynamic_cast<TestController*>(j.running()->getChildren()->objectAtIndex(0));
    ASSERT_NE(nullptr, menu);
    cc::UIWidget* learn = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(
        menu->getUILayer()->getRootWidget(), "bnwordlean");
    ASSERT_NE(nullptr, learn);
    j.driver->tap(worldOf(learn, learn->getPosition()));
    j.driver->step();
    ASSERT_EQ(9, bookSettings().currentPage);
    PageView p = j.page();
    ASSERT_EQ(1, p.variant);
    EXPECT_GT(j.page().wordCount(), 0);

    // Above pageMax: next and a left swipe do nothing, previous goes to 8.
    j.tapItem(p.next);
    j.driver->drag(cc::CCPoint(400, 480), cc::CCPoint(200, 480), 4);
    j.driver->advance(0.7);
    EXPECT_EQ(9, bookSettings().currentPage);
    j.tapItem(j.page().previous);
    j.driver->advance(0.7);
    EXPECT_EQ(8, bookSettings().currentPage);
    EXPECT_EQ(2, j.page().variant);

    // The return item leads to a fresh main menu; continue comes back to 8.
    bookSettings().readingStarted = true;
    j.tapItem(j.page().back);
    j.driver->step(2);
    menu = dynamic_cast<TestController*>(j.running()->getChildren()->objectAtIndex(0));
    ASSERT_NE(nullptr, menu);
    EXPECT_FALSE(pageState().autoPlay);
    cc::UIWidget* go =
        cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(menu->getUILayer()->getRootWidget(), "bngoon");
    ASSERT_NE(nullptr, go);
    j.driver->tap(worldOf(go, go->getPosition()));
    j.driver->step();
    EXPECT_EQ(8, bookSettings().currentPage);
    EXPECT_EQ(1, j.page().variant);
    mainMenuRoutes() = savedRoutes;
}
