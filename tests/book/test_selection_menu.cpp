// The page selection menu through frame-driver touches and virtual time:
// entering from the main menu, choosing a page and coming back, the screens
// and their greyed ends, the steps between screens, an empty book range, and
// where the slide-in starts and ends.
#include "PageTestSupport.h"
#include "ScratchFolder.h"

#include "book/MenuLayerMainMenu.h"
#include "book/MenuTestScene.h"
#include "book/TestController.h"

#include "menu/CCMenu.h"
#include "menu/CCMenuItemLabel.h"
#include "scene/CCLayer.h"
#include "render/CCFrameCapture.h"
#include "text/CCLabelTTF.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

using namespace quibo;
using namespace quibo::pagetest;

namespace {

// The slide-in lasts 2 s; a little more lets the last frame land.
const double kSettle = 2.1;

// A scratch book of 45 pages with the bundled main menu beside it.
struct LongBook : ScratchPages {
    explicit LongBook(int pageMin = 1, int pageMax = 45) : ScratchPages(pageMin, pageMax)
    {
        const std::string bundled = cc::CCFileUtils::defaultResourceRoot();
        (void)std::system(("ln -s '" + bundled + "/mainpage' '" + root() + "/mainpage'").c_str());
    }
};

// A journey that starts with a fresh paging state and the main menu's real
// openers (other tests may have left theirs), put back at the end.
struct MenuJourney : Journey {
    MainMenuRoutes savedRoutes = mainMenuRoutes();
    MenuJourney()
    {
        MenuPaging::reset();
        mainMenuRoutes().openPage = &openPage;
        mainMenuRoutes().openSelectionMenu = &runSelectionMenu;
    }
    ~MenuJourney()
    {
        MenuPaging::reset();
        mainMenuRoutes() = savedRoutes;
    }

    MenuTestScene* menuScene() const { return dynamic_cast<MenuTestScene*>(running()); }
    MenuLayerMainMenu* grid() const
    {
        MenuTestScene* s = menuScene();
        return s ? s->getMenuLayer() : nullptr;
    }
    TestController* mainMenu() const
    {
        cc::CCScene* s = running();
        if (!s || s->getChildrenCount() != 1) return nullptr;
        return dynamic_cast<TestController*>(s->getChildren()->objectAtIndex(0));
    }
    cc::UIWidget* mainButton(const char* name) const
    {
        TestController* m = mainMenu();
        return m ? cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(m->getUILayer()->getRootWidget(), name)
                 : nullptr;
    }
    void showMainMenu()
    {
        driver->show(TestController::scene());
    }
    // Opens the selection menu as the main menu would and lets it settle.
    void openMenu()
    {
        driver->director()->purgeCachedData();
        ASSERT_TRUE(runSelectionMenu());
        driver->step();
        driver->advance(kSettle);
    }
    // Taps a menu item once it is at rest, and lets the next screen settle.
    void choose(cc::CCNode* item)
    {
        ASSERT_NE(nullptr, item);
        tapItem(item);
        driver->step();
        driver->advance(kSettle);
    }
    // The page numbers the current screen shows, read from the captions.
    std::vector<int> shownPages() const
    {
        std::vector<int> pages;
        if (!grid()) return pages;
        for (const auto& e : grid()->getEntries()) pages.push_back(std::atoi(captionOf(e.get()).c_str()));
        return pages;
    }
    static std::string captionOf(cc::CCMenuItemLabel* item)
    {
        cc::CCNode* box = item->getLabel();
        if (!box || box->getChildrenCount() != 1) return std::string();
        auto* label = dynamic_cast<cc::CCLabelTTF*>(box->getChildren()->objectAtIndex(0));
        return label ? label->getString() : std::string();
    }
    static cc::ccColor3B backgroundOf(cc::CCMenuItemLabel* item)
    {
        auto* box = dynamic_cast<cc::CCLayerColor*>(item->getLabel());
        return box ? box->getColor() : cc::ccColor3B();
    }
    static bool isGrey(cc::CCMenuItemLabel* item)
    {
        return backgroundOf(item) == MenuLayerMainMenu::kInactiveBackground;
    }
    cc::CCMenuItemLabel* entryFor(int page) const
    {
        for (const auto& e : grid()->getEntries()) {
            if (captionOf(e.get()) == std::to_string(page) + " ") return e.get();
        }
        return nullptr;
    }
    cc::CCNode* returnButton() const
    {
        cc::CCMenu* m = menuScene() ? menuScene()->getReturnMenu() : nullptr;
        return m && m->getChildrenCount() == 1 ? static_cast<cc::CCNode*>(m->getChildren()->objectAtIndex(0))
                                               : nullptr;
    }
};

std::vector<int> range(int from, int to)
{
    std::vector<int> v;
    for (int p = from; p <= to; ++p) v.push_back(p);
    return v;
}

} // namespace

TEST(SelectionMenu, ChoosingPage17FromTheFirstStartAndComingBack)
{
    LongBook book;
    MenuJourney j;
    j.showMainMenu();
    cc::UIWidget* goOn = j.mainButton("bngoon");
    ASSERT_NE(nullptr, goOn);
    EXPECT_FALSE(goOn->isVisible()); // nothing read yet

    j.tapWord(j.mainButton("bnselect"));
    j.driver->step();
    ASSERT_NE(nullptr, j.grid());
    j.driver->advance(kSettle);
    EXPECT_EQ(range(1, 20), j.shownPages());
    ASSERT_NE(nullptr, j.returnButton());
    EXPECT_EQ("Menu", MenuJourney::captionOf(static_cast<cc::CCMenuItemLabel*>(j.returnButton())));

    cc::CCMenuItemLabel* seventeen = j.entryFor(17);
    ASSERT_NE(nullptr, seventeen);
    EXPECT_EQ("17 ", MenuJourney::captionOf(seventeen));
    j.choose(seventeen);
    EXPECT_EQ(17, bookSettings().currentPage);
    EXPECT_TRUE(bookSettings().readingStarted);
    ASSERT_EQ(1, j.page().variant);
    EXPECT_TRUE(j.driver->logged("Scene 1 onEnter"));

    // The page's return item leads to a main menu that now offers to go on.
    j.tapItem(j.page().back);
    j.driver->step();
    ASSERT_NE(nullptr, j.mainMenu());
    ASSERT_TRUE(j.mainButton("bngoon")->isVisible());
    j.tapWord(j.mainButton("bngoon"));
    j.driver->step();
    ASSERT_EQ(1, j.page().variant);
    EXPECT_EQ(17, bookSettings().currentPage);
    EXPECT_TRUE(j.driver->logged("-----------page_name----- qovarn_3391_ver10/tale -------------- !"));
}

TEST(SelectionMenu, ReopensOnTheScreenLastShownAndSlidesInAnew)
{
    LongBook book;
    MenuJourney j;
    j.showMainMenu();
    j.tapWord(j.mainButton("bnselect"));
    j.driver->step();
    j.driver->advance(kSettle);
    j.choose(j.grid()->getNextButton());
    EXPECT_EQ(range(21, 40), j.shownPages());

    // Out through the return button...
    j.choose(j.returnButton());
    ASSERT_NE(nullptr, j.mainMenu());
    EXPECT_EQ(nullptr, j.grid());

    // ...and in again: the same screen, its children back at their start.
    j.tapWord(j.mainButton("bnselect"));
    j.driver->step();
    ASSERT_NE(nullptr, j.grid());
    EXPECT_EQ(range(21, 40), j.shownPages());
    cc::CCMenuItemLabel* first = j.grid()->getEntries()[0].get();
    EXPECT_LT(first->getPosition().x, 0); // still coming in from the left
    j.driver->advance(kSettle);
    EXPECT_NEAR(80, first->getPosition().x, 0.01);
    EXPECT_EQ(21, menuPaging().menuFirst);
}

TEST(SelectionMenu, FortyFivePagesMakeThreeScreensGreyAtBothEnds)
{
    MenuJourney j;
    bookSettings().pageMin = 1;
    bookSettings().pageMax = 45;
    j.openMenu();
    MenuLayerMainMenu* g = j.grid();
    ASSERT_NE(nullptr, g);
    EXPECT_EQ(range(1, 20), j.shownPages());
    EXPECT_TRUE(MenuJourney::isGrey(g->getPreviousButton()));
    EXPECT_FALSE(MenuJourney::isGrey(g->getNextButton()));
    EXPECT_EQ("Previous", MenuJourney::captionOf(g->getPreviousButton()));
    EXPECT_EQ("Next", MenuJourney::captionOf(g->getNextButton()));

    // A grey button still takes the touch but goes nowhere.
    j.choose(g->getPreviousButton());
    EXPECT_EQ(g, j.grid());

    j.choose(j.grid()->getNextButton());
    EXPECT_EQ(range(21, 40), j.shownPages());
    EXPECT_FALSE(MenuJourney::isGrey(j.grid()->getPreviousButton()));
    EXPECT_FALSE(MenuJourney::isGrey(j.grid()->getNextButton()));

    j.choose(j.grid()->getNextButton());
    EXPECT_EQ(range(41, 45), j.shownPages());
    EXPECT_FALSE(MenuJourney::isGrey(j.grid()->getPreviousButton()));
    EXPECT_TRUE(MenuJourney::isGrey(j.grid()->getNextButton()));
    EXPECT_TRUE(menuPaging().menuAtEnd);
    g = j.grid();
    j.choose(g->getNextButton());
    EXPECT_EQ(g, j.grid());
    EXPECT_EQ(range(41, 45), j.shownPages());

    // Back from the short last screen lands on the screen before it.
    j.choose(j.grid()->getPreviousButton());
    EXPECT_EQ(range(21, 40), j.shownPages());
    j.choose(j.grid()->getPreviousButton());
    EXPECT_EQ(range(1, 20), j.shownPages());
    EXPECT_TRUE(MenuJourney::isGrey(j.grid()->getPreviousButton()));
}

TEST(SelectionMenu, TwentyOnePagesLeaveOneEntryOnTheSecondScreen)
{
    MenuJourney j;
    bookSettings().pageMin = 1;
    bookSettings().pageMax = 21;
    j.openMenu();
    EXPECT_EQ(range(1, 20), j.shownPages());
    EXPECT_FALSE(MenuJourney::isGrey(j.grid()->getNextButton()));
    EXPECT_FALSE(menuPaging().menuAtEnd);
    j.choose(j.grid()->getNextButton());
    EXPECT_EQ(std::vector<int>{21}, j.shownPages());
    EXPECT_TRUE(MenuJourney::isGrey(j.grid()->getNextButton()));
    EXPECT_EQ(22, menuPaging().menuNext);
    j.choose(j.grid()->getPreviousButton());
    EXPECT_EQ(range(1, 20), j.shownPages());

    // Choosing on a later screen counts from that screen's first page.
    j.choose(j.grid()->getNextButton());
    j.choose(j.grid()->getEntries()[0].get());
    EXPECT_EQ(21, bookSettings().currentPage);
}

TEST(SelectionMenu, AnEmptyRangeGivesAnEmptyGridWithBothButtonsGrey)
{
    MenuJourney j;
    bookSettings().pageMin = 9;
    bookSettings().pageMax = 4;
    j.openMenu();
    ASSERT_NE(nullptr, j.grid());
    EXPECT_TRUE(j.grid()->getEntries().empty());
    EXPECT_TRUE(MenuJourney::isGrey(j.grid()->getPreviousButton()));
    EXPECT_TRUE(MenuJourney::isGrey(j.grid()->getNextButton()));
    // Their opacity stays as it was.
    auto* box = dynamic_cast<cc::CCLayerColor*>(j.grid()->getNextButton()->getLabel());
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(199, box->getOpacity());
    MenuLayerMainMenu* g = j.grid();
    j.choose(g->getNextButton());
    j.choose(g->getPreviousButton());
    EXPECT_EQ(g, j.grid());
    EXPECT_EQ(9, menuPaging().menuFirst);
}

TEST(SelectionMenu, PageNumbersAtTheEndsOfTheIntRangeNeverOverflow)
{
    {
        MenuJourney j;
        bookSettings().pageMin = INT_MAX - 5;
        bookSettings().pageMax = INT_MAX;
        j.openMenu();
        EXPECT_EQ(6u, j.shownPages().size());
        EXPECT_EQ(INT_MAX, j.shownPages().back());
        EXPECT_TRUE(menuPaging().menuAtEnd);
        EXPECT_TRUE(MenuJourney::isGrey(j.grid()->getNextButton()));
        MenuLayerMainMenu* g = j.grid();
        j.choose(g->getNextButton()); // the end: nothing happens
        EXPECT_EQ(g, j.grid());
        j.choose(j.entryFor(INT_MAX));
        EXPECT_EQ(INT_MAX, bookSettings().currentPage);
    }
    {
        MenuJourney j;
        bookSettings().pageMin = INT_MIN;
        bookSettings().pageMax = INT_MIN + 25;
        j.openMenu();
        EXPECT_EQ(INT_MIN, j.shownPages().front());
        EXPECT_EQ(20u, j.shownPages().size());
        j.choose(j.grid()->getNextButton());
        EXPECT_EQ(INT_MIN + 20, j.shownPages().front());
        EXPECT_EQ(INT_MIN + 25, j.shownPages().back());
        j.choose(j.grid()->getPreviousButton());
        EXPECT_EQ(INT_MIN, j.shownPages().front());
        MenuLayerMainMenu* g = j.grid();
        j.choose(g->getPreviousButton()); // the start: nothing happens
        EXPECT_EQ(g, j.grid());
    }
}

TEST(SelectionMenu, SlideInStartsHalfAWindowOutAndEndsInPlace)
{
    MenuJourney j;
    bookSettings().pageMin = 1;
    bookSettings().pageMax = 45;
    j.openMenu();
    j.choose(j.grid()->getNextButton());
    j.choose(j.grid()->getNextButton()); // 41..45: an odd number of entries

    // A screen built but not yet stepped shows where every child starts.
    MenuTestScene* scene = MenuTestScene::create();
    ASSERT_NE(nullptr, scene);
    ASSERT_TRUE(scene->runScene());
    MenuLayerMainMenu* g = scene->getMenuLayer();
    ASSERT_EQ(5u, g->getEntries().size());
    std::vector<cc::CCNode*> added;
    for (const auto& e : g->getEntries()) added.push_back(e.get());
    added.push_back(g->getPreviousButton());
    added.push_back(g->getNextButton());
    const float endX[] = {80, 240, 400, 560, 80, 128, 512};
    const float endY[] = {848, 848, 848, 848, 688, 40, 40};
    for (size_t k = 0; k < added.size(); ++k) {
        const float offset = k % 2 == 0 ? -370.f : 370.f; // by the order added, not by z-order
        EXPECT_FLOAT_EQ(endX[k] + offset, added[k]->getPosition().x) << k;
        EXPECT_FLOAT_EQ(endY[k], added[k]->getPosition().y) << k;
    }
    j.driver->step();
    EXPECT_EQ(scene, j.running());
    j.driver->advance(0.5);
    EXPECT_NE(80.f, added[0]->getPosition().x); // still moving
    j.driver->advance(1.6);
    for (size_t k = 0; k < added.size(); ++k) {
        EXPECT_NEAR(endX[k], added[k]->getPosition().x, 0.01) << k;
        EXPECT_NEAR(endY[k], added[k]->getPosition().y, 0.01) << k;
    }
    // The entry squares, the buttons and the return button keep their sizes.
    EXPECT_NEAR(142.22f, g->getEntries()[0]->getContentSize().width, 0.01);
    EXPECT_FLOAT_EQ(192, g->getNextButton()->getContentSize().width);
    EXPECT_FLOAT_EQ(80, g->getNextButton()->getContentSize().height);
    ASSERT_NE(nullptr, j.returnButton());
    EXPECT_FLOAT_EQ(184, j.returnButton()->getContentSize().width);
    EXPECT_FLOAT_EQ(320, j.returnButton()->getPosition().x);
    EXPECT_FLOAT_EQ(40, j.returnButton()->getPosition().y);
}

TEST(SelectionMenu, RowsStopWhenNoRoomIsLeftAndPositionsFollowTheGrid)
{
    MenuJourney j;
    bookSettings().pageMin = 3;
    bookSettings().pageMax = 150;
    j.openMenu();
    MenuLayerMainMenu* g = j.grid();
    ASSERT_EQ(20u, g->getEntries().size());
    EXPECT_EQ(range(3, 22), j.shownPages());
    const float rowY[] = {848, 688, 528, 368, 208};
    const float colX[] = {80, 240, 400, 560};
    for (int i = 0; i < 20; ++i) {
        cc::CCMenuItemLabel* e = g->getEntries()[i].get();
        EXPECT_NEAR(colX[i % 4], e->getPosition().x, 0.01) << i;
        EXPECT_NEAR(rowY[i / 4], e->getPosition().y, 0.01) << i;
        EXPECT_EQ(MenuLayerMainMenu::kEntryZOrderBase + i, e->getZOrder());
        EXPECT_EQ(255, MenuJourney::backgroundOf(e).r);
        EXPECT_EQ(0, MenuJourney::backgroundOf(e).g);
    }
    EXPECT_EQ(23, menuPaging().menuNext);
    EXPECT_FALSE(menuPaging().menuAtEnd);
}

TEST(SelectionMenu, AnEntryDraggedOverActsOnceOnRelease)
{
    MenuJourney j;
    bookSettings().pageMin = 1;
    bookSettings().pageMax = 45;
    j.openMenu();
    j.driver->clearLog();
    cc::CCMenuItemLabel* five = j.entryFor(5);
    ASSERT_NE(nullptr, five);
    const cc::CCPoint at = itemCentre(five);
    j.driver->touchDown(at);
    j.driver->step();
    EXPECT_EQ(0, bookSettings().currentPage); // nothing chosen while the finger is down
    for (int k = 1; k <= 3; ++k) {
        j.driver->touchMove(cc::CCPoint(at.x + 5 * k, at.y));
        j.driver->step();
    }
    j.driver->touchUp(cc::CCPoint(at.x + 15, at.y));
    j.driver->step(2);
    EXPECT_EQ(5, bookSettings().currentPage);
    EXPECT_EQ(1, j.page().variant);
    EXPECT_EQ(1u, j.driver->loggedCount("Scene 1 onEnter"));
}

TEST(SelectionMenu, DrawnGridShowsRedSquaresAndAGreyEnd)
{
    MenuJourney j;
    if (!j.driver->enableRendering(640, 960)) GTEST_SKIP() << "no display";
    bookSettings().pageMin = 1;
    bookSettings().pageMax = 45;
    j.openMenu();
    j.driver->step();
    cc::ccColor4B px;
    // Near a corner of the first square, away from its caption.
    ASSERT_TRUE(cc::CCFrameCapture::pixelAtDesignPoint(cc::CCPoint(80 - 60, 848 + 60), px));
    EXPECT_GT(px.r, 200);
    EXPECT_LT(px.g, 60);
    EXPECT_LT(px.b, 60);
    // The previous-screen button is grey on the first screen, blended at opacity 199.
    ASSERT_TRUE(cc::CCFrameCapture::pixelAtDesignPoint(cc::CCPoint(128 - 85, 40 - 30), px));
    EXPECT_NEAR(px.r, px.g, 12);
    EXPECT_NEAR(px.g, px.b, 12);
    EXPECT_GT(px.r, 90);
    EXPECT_LT(px.r, 160);
    // The next-screen button keeps its light background.
    ASSERT_TRUE(cc::CCFrameCapture::pixelAtDesignPoint(cc::CCPoint(512 + 85, 40 - 30), px));
    EXPECT_GT(px.r, 180);
    EXPECT_GT(px.b, 180);
    // The picture goes to a folder of this test's own, removed at the end.
    quibotest::ScratchTemplate pattern("quibo_grid_XXXXXX");
    const char* dir = mkdtemp(pattern);
    ASSERT_NE(nullptr, dir);
    const std::string shot = std::string(dir) + "/selection_grid.png";
    EXPECT_TRUE(j.driver->screenshot(shot));
    std::remove(shot.c_str());
    rmdir(dir);
}
