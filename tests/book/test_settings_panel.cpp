// The settings panel opened from code (no page shows its item): the pending
// mode kept until confirmed, the selection mark moving to the last touched
// button, the ways back to the page and to the main menu, the lifecycle
// lines, and one action per touch for the buttons that leave the panel.
#include "PageTestSupport.h"

#include "book/SetLayer.h"
#include "book/TestController.h"

#include <gtest/gtest.h>

using namespace quibo;
using namespace quibo::pagetest;

namespace {

const cc::ccColor3B kMarked = {44, 5, 247};
const cc::ccColor3B kPlain = {25, 24, 25};
// The main menu writes this line once each time it is built.
const char* const kMainMenuBuilt = "-----------TestController----- tale -------------- !";

struct PanelJourney : Journey {
    SetLayer* panel = nullptr;

    // A page scene holding a fresh panel, on stage.
    void openPanel()
    {
        PageScene* scene = PageScene::create();
        panel = SetLayer::create();
        ASSERT_NE(nullptr, scene);
        ASSERT_NE(nullptr, panel);
        scene->addChild(panel);
        driver->show(scene);
    }
    cc::UIButton* button(const char* name) const
    {
        return dynamic_cast<cc::UIButton*>(
            cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(panel->getUILayer()->getRootWidget(), name));
    }
    void touch(const char* name)
    {
        cc::UIButton* b = button(name);
        ASSERT_NE(nullptr, b) << name;
        tapWord(b);
        driver->step();
    }
    // The page layer on stage once the zero-length flip has finished.
    PageView pageAfterFlip()
    {
        driver->step(2);
        return page();
    }
};

} // namespace

TEST(SettingsPanel, BuildsSixTaggedButtonsAndWritesItsLifecycleLines)
{
    PanelJourney j;
    j.openPanel();
    ASSERT_NE(nullptr, j.panel->getPanelRoot());
    const char* names[] = {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"};
    for (int tag = 1; tag <= 6; ++tag) {
        cc::UIButton* b = j.button(names[tag - 1]);
        ASSERT_NE(nullptr, b) << names[tag - 1];
        EXPECT_EQ(tag, b->getTag());
    }
    EXPECT_EQ(nullptr, j.panel->selectedButton());
    EXPECT_EQ(PlayMode::autoTurn, j.panel->getPendingMode());
    EXPECT_TRUE(j.driver->logged("SetLayer  onEnter"));
    EXPECT_TRUE(j.driver->logged("SetLayer 2: onEnterTransitionDidFinish"));
    EXPECT_FALSE(j.driver->logged("SetLayer 2 onExit"));

    j.touch("bncancel");
    PageView p = j.pageAfterFlip();
    ASSERT_EQ(1, p.variant);
    EXPECT_TRUE(j.driver->logged("SetLayer 2: onExitTransitionDidStart"));
    EXPECT_TRUE(j.driver->logged("SetLayer 2 onExit"));
    EXPECT_EQ(1u, j.driver->loggedCount("SetLayer 2 onExit"));
}

TEST(SettingsPanel, ChosenThenCancelledModeLeavesPlayModeConfirmedSetsIt)
{
    PanelJourney j;
    bookSettings().currentPage = 2;
    j.openPanel();
    j.touch("bnpres");
    EXPECT_EQ(PlayMode::manual, j.panel->getPendingMode());
    j.touch("bnaoto");
    EXPECT_EQ(PlayMode::autoTurn, j.panel->getPendingMode());
    j.touch("bnaotopage");
    EXPECT_EQ(PlayMode::repeatPage, j.panel->getPendingMode());
    EXPECT_EQ(PlayMode::autoTurn, pageState().playMode); // nothing confirmed yet
    j.touch("bncancel");
    PageView p = j.pageAfterFlip();
    ASSERT_EQ(1, p.variant);
    EXPECT_EQ(PlayMode::autoTurn, pageState().playMode);
    EXPECT_EQ(2, bookSettings().currentPage);
    EXPECT_TRUE(p.play->isVisible());

    // A new panel starts from the mode in force and forgets the old mark.
    pageState().playMode = PlayMode::repeatPage;
    j.openPanel();
    EXPECT_EQ(PlayMode::repeatPage, j.panel->getPendingMode());
    EXPECT_EQ(nullptr, j.panel->selectedButton());
    j.touch("bnok"); // confirming without a choice keeps the mode
    j.pageAfterFlip();
    EXPECT_EQ(PlayMode::repeatPage, pageState().playMode);

    j.openPanel();
    j.touch("bnpres");
    j.touch("bnok");
    p = j.pageAfterFlip();
    ASSERT_EQ(1, p.variant);
    EXPECT_EQ(PlayMode::manual, pageState().playMode);
    EXPECT_FALSE(p.play->isVisible()); // the page took the mode at once
    EXPECT_EQ(nullptr, j.page().currentWord());
}

TEST(SettingsPanel, TheMarkMovesToTheLastTouchedButton)
{
    PanelJourney j;
    j.openPanel();
    cc::UIButton* again = j.button("bnaotopage");
    cc::UIButton* aoto = j.button("bnaoto");
    j.touch("bnaotopage");
    EXPECT_EQ(again, j.panel->selectedButton());
    EXPECT_FALSE(again->isLookActive());
    EXPECT_TRUE(again->getTitleColor() == kMarked);
    ASSERT_NE(nullptr, again->getDisabledRenderer());
    EXPECT_TRUE(again->getDisabledRenderer()->isVisible());
    EXPECT_FALSE(again->getNormalRenderer()->isVisible());

    // Touching it again keeps it marked.
    j.touch("bnaotopage");
    EXPECT_EQ(again, j.panel->selectedButton());
    EXPECT_FALSE(again->isLookActive());
    EXPECT_TRUE(again->getDisabledRenderer()->isVisible());

    j.touch("bnaoto");
    EXPECT_EQ(aoto, j.panel->selectedButton());
    EXPECT_TRUE(again->isLookActive());
    EXPECT_EQ(cc::LOOK_STYLE_NORMAL, again->getLookStyle());
    EXPECT_TRUE(again->getTitleColor() == kPlain);
    EXPECT_TRUE(again->getNormalRenderer()->isVisible());
    EXPECT_FALSE(again->getDisabledRenderer()->isVisible());
    EXPECT_FALSE(aoto->isLookActive());
    EXPECT_TRUE(aoto->getTitleColor() == kMarked);
    EXPECT_TRUE(aoto->getDisabledRenderer()->isVisible());

    // The button given back its look presses and marks as before.
    j.driver->touchDown(worldOf(again, again->getPosition()));
    j.driver->step();
    EXPECT_EQ(again, j.panel->selectedButton());
    EXPECT_TRUE(again->getDisabledRenderer()->isVisible());
    j.driver->touchUp(worldOf(again, again->getPosition()));
    j.driver->step();
    EXPECT_TRUE(again->getDisabledRenderer()->isVisible());
}

TEST(SettingsPanel, MainButtonReturnsToTheMainMenuOnce)
{
    PanelJourney j;
    j.openPanel();
    j.driver->clearLog();
    cc::UIButton* main = j.button("bnmain");
    ASSERT_NE(nullptr, main);
    const cc::CCPoint at = worldOf(main, main->getPosition());
    // One touch with moves: the panel acts at touch-down and only then.
    j.driver->touchDown(at);
    j.driver->touchMove(cc::CCPoint(at.x + 2, at.y));
    j.driver->touchMove(cc::CCPoint(at.x + 4, at.y));
    j.driver->touchUp(cc::CCPoint(at.x + 4, at.y));
    j.driver->step(3);
    cc::CCScene* s = j.running();
    ASSERT_NE(nullptr, s);
    ASSERT_EQ(1u, s->getChildrenCount());
    EXPECT_NE(nullptr, dynamic_cast<TestController*>(s->getChildren()->objectAtIndex(0)));
    EXPECT_EQ(1u, j.driver->loggedCount(kMainMenuBuilt));
    EXPECT_EQ(1u, j.driver->loggedCount("SetLayer 2 onExit"));
}

TEST(SettingsPanel, LaterEventsOfATouchDoNotLeaveAgain)
{
    PanelJourney j;
    j.openPanel();
    // The later events of a touch reach the selector without acting.
    for (cc::TouchPhase kind : {cc::kTouchMoved, cc::kTouchEnded, cc::kTouchCancelled}) {
        j.panel->onSettingTouched(j.button("bnpres"), kind);
        j.panel->onSettingTouched(j.button("bnok"), kind);
        j.panel->onSettingTouched(j.button("bncancel"), kind);
        j.panel->onSettingTouched(j.button("bnmain"), kind);
    }
    j.driver->step(2);
    EXPECT_EQ(j.panel, static_cast<cc::CCNode*>(j.running()->getChildren()->objectAtIndex(0)));
    EXPECT_EQ(PlayMode::autoTurn, j.panel->getPendingMode());
    EXPECT_EQ(nullptr, j.panel->selectedButton());

    // One touch on confirm, dragged over cancel: one flip, one page.
    j.driver->clearLog();
    j.panel->onSettingTouched(j.button("bnpres"), cc::kTouchBegan);
    cc::UIButton* ok = j.button("bnok");
    cc::UIButton* cancel = j.button("bncancel");
    j.driver->touchDown(worldOf(ok, ok->getPosition()));
    j.panel->onSettingTouched(cancel, cc::kTouchBegan); // a second finger before the switch
    j.driver->touchMove(worldOf(cancel, cancel->getPosition()));
    j.driver->touchUp(worldOf(cancel, cancel->getPosition()));
    PageView p = j.pageAfterFlip();
    ASSERT_EQ(1, p.variant);
    EXPECT_EQ(PlayMode::manual, pageState().playMode);
    EXPECT_EQ(1u, j.driver->loggedCount("Scene 1 onEnter"));
    EXPECT_EQ(1u, j.driver->loggedCount("SetLayer 2 onExit"));
}
