// The return button every menu scene carries, and the way back it takes.
#include "book/TestScene.h"

#include "book/MenuLayerMainMenu.h"
#include "book/OpenPage.h"
#include "book/StringTable.h"
#include "book/VisibleArea.h"

#include "base/CCLog.h"
#include "menu/CCMenu.h"
#include "menu/CCMenuItemLabel.h"

namespace quibo {

namespace {
// The return button sits at the bottom centre, between the screen steps.
const float kReturnWidthInUnits = 2.3f;
} // namespace

TestScene::TestScene() = default;
TestScene::~TestScene() = default;

void TestScene::onEnter()
{
    cc::CCScene::onEnter();
    const VisibleArea& a = VisibleArea::get();
    const float u = a.w / 8;
    StringTable strings;
    cc::CCMenuItemLabel* item = MenuLayerMainMenu::makeBoxItem(
        MenuLayerMainMenu::kButtonBackground, kReturnWidthInUnits * u, u, strings.caption("main_page"),
        MenuLayerMainMenu::kButtonFontSize, MenuLayerMainMenu::kButtonCaptionColour, this,
        menu_selector(TestScene::onReturnChosen));
    cc::CCMenu* menu = item ? cc::CCMenu::create(item, nullptr) : nullptr;
    if (!menu) {
        cc::CCLog("TestScene: the return button could not be made");
        return;
    }
    menu->setPosition(cc::CCPoint(0, 0));
    item->setPosition(cc::CCPoint(a.ox + a.w / 2, u / 2));
    addChild(menu, kReturnMenuZOrder);
    m_returnMenu.reset(menu);
}

void TestScene::backToMainMenu() { returnToMainMenu(); }

void TestScene::onReturnChosen(cc::CCObject*) { backToMainMenu(); }

} // namespace quibo
