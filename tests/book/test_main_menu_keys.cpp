// The bundled main menu from the keyboard: Up and Down move a visible mark
// between the shown buttons only, Return presses the marked one with the
// tap's own result, and nothing shows before a key asks for the mark.
#include "PageTestSupport.h"

#include "book/MainMenuKeys.h"
#include "book/MenuLayerMainMenu.h"
#include "book/MenuTestScene.h"
#include "book/TestController.h"

#include "render/CCDrawNode.h"
#include "scene/CCKeyDispatcher.h"

#include <gtest/gtest.h>

using namespace quibo;
using namespace quibo::pagetest;

namespace {

struct MainMenuJourney : Journey {
    MainMenuRoutes saved = mainMenuRoutes();
    MainMenuJourney()
    {
        mainMenuRoutes().openPage = &openPage;
        mainMenuRoutes().openSelectionMenu = &runSelectionMenu;
        driver->show(TestController::scene());
    }
    ~MainMenuJourney() { mainMenuRoutes() = saved; }

    TestController* menu() const
    {
        cc::CCScene* s = running();
        return s && s->getChildrenCount() == 1 ? dynamic_cast<TestController*>(s->getChildren()->objectAtIndex(0))
                                               : nullptr;
    }
    MainMenuKeys* keys() const
    {
        TestController* m = menu();
        if (!m) return nullptr;
        for (unsigned i = 0; i < m->getChildrenCount(); ++i) {
            if (auto* k = dynamic_cast<MainMenuKeys*>(m->getChildren()->objectAtIndex(i))) return k;
        }
        return nullptr;
    }
    cc::UIWidget* button(const char* name) const
    {
        return cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(menu()->getUILayer()->getRootWidget(), name);
    }
    std::string focused() const
    {
        cc::UIWidget* w = keys() ? keys()->getFocusedButton() : nullptr;
        return w ? w->getName() : std::string();
    }
    void press(cc::CCKeyCode key, bool repeat = false)
    {
        cc::CCKeyEvent e;
        e.key = key;
        e.repeat = repeat;
        driver->director()->getKeyDispatcher()->dispatchKeyPressed(e);
    }
};

} // namespace

TEST(MainMenuKeys, UpAndDownMarkOnlyTheShownButtonsTopFirst)
{
    MainMenuJourney j;
    ASSERT_NE(nullptr, j.keys());
    // At first start "bngoon" is hidden; the bundled book has word learning.
    ASSERT_FALSE(j.button("bngoon")->isVisible());
    EXPECT_EQ("", j.focused());
    EXPECT_FALSE(j.keys()->getFocusMark()->isVisible());

    j.press(cc::kCCKeyDown);
    EXPECT_EQ("bnwordlean", j.focused());
    EXPECT_TRUE(j.keys()->getFocusMark()->isVisible());
    EXPECT_GT(j.keys()->getFocusMark()->vertexCount(), 0u);
    j.press(cc::kCCKeyDown);
    EXPECT_EQ("bnselect", j.focused());
    j.press(cc::kCCKeyDown, true); // a held key keeps moving, as on any list
    EXPECT_EQ("bnreturn", j.focused());
    j.press(cc::kCCKeyDown);
    EXPECT_EQ("bnwordlean", j.focused()); // round to the top
    j.press(cc::kCCKeyUp);
    EXPECT_EQ("bnreturn", j.focused());

    // A fresh menu starts without a mark again.
    j.driver->show(TestController::scene());
    EXPECT_EQ("", j.focused());
    j.press(cc::kCCKeyUp);
    EXPECT_EQ("bnreturn", j.focused());
}

TEST(MainMenuKeys, ReturnPressesTheMarkedButtonAsATapDoes)
{
    // Tap on "bnselect" ...
    std::vector<std::string> tapped;
    {
        MainMenuJourney j;
        j.driver->clearLog();
        cc::UIWidget* b = j.button("bnselect");
        j.driver->tap(worldOf(b, b->getPosition()));
        j.driver->step();
        EXPECT_NE(nullptr, dynamic_cast<MenuTestScene*>(j.running()));
        tapped = j.driver->logLines();
    }
    MenuPaging::reset();
    // ... and the same through the keys.
    MainMenuJourney j;
    j.press(cc::kCCKeyReturn); // nothing marked: Return only shows the mark
    EXPECT_EQ("bnwordlean", j.focused());
    EXPECT_NE(nullptr, j.menu());
    j.press(cc::kCCKeyDown);
    ASSERT_EQ("bnselect", j.focused());
    j.driver->clearLog();
    j.press(cc::kCCKeyReturn);
    j.driver->step();
    EXPECT_NE(nullptr, dynamic_cast<MenuTestScene*>(j.running()));
    EXPECT_EQ(tapped, j.driver->logLines());
    MenuPaging::reset();
}

TEST(MainMenuKeys, ReturnOnWordLearningOpensItsPageAndOnQuitEndsTheLoop)
{
    {
        MainMenuJourney j;
        j.press(cc::kCCKeyDown);
        ASSERT_EQ("bnwordlean", j.focused());
        j.press(cc::kCCKeyReturn);
        j.driver->step();
        EXPECT_EQ(bookSettings().wordMin, bookSettings().currentPage);
        EXPECT_EQ(1, j.page().variant);
    }
    MainMenuJourney j;
    j.press(cc::kCCKeyUp);
    ASSERT_EQ("bnreturn", j.focused());
    j.press(cc::kCCKeyReturn, true); // a held Return from an earlier screen is no press
    EXPECT_FALSE(j.driver->director()->hasEnded());
    j.press(cc::kCCKeyReturn);
    EXPECT_TRUE(j.driver->director()->hasEnded());
}
