// Key routing for the pages and the page selection menu.
#include "book/ScreenKeys.h"

#include "book/MenuLayerMainMenu.h"
#include "book/PageLayer.h"
#include "book/TestScene.h"

#include "menu/CCMenu.h"
#include "menu/CCMenuItem.h"
#include "menu/CCMenuItemLabel.h"
#include "scene/CCDirector.h"

namespace quibo {

void ScreenKeys::onEnter()
{
    cc::CCNode::onEnter();
    cc::CCDirector::sharedDirector()->getKeyDispatcher()->addDelegate(this);
}

void ScreenKeys::onExit()
{
    cc::CCDirector::sharedDirector()->getKeyDispatcher()->removeDelegate(this);
    cc::CCNode::onExit();
}

bool ScreenKeys::press(cc::CCMenuItem* item)
{
    cc::CCMenu* menu = item ? dynamic_cast<cc::CCMenu*>(item->getParent()) : nullptr;
    return menu && menu->activateItem(item);
}

// ---- Pages ---------------------------------------------------------------------

PageKeys* PageKeys::create(PageLayer* page, cc::CCMenuItem* previous, cc::CCMenuItem* next,
                           cc::CCMenuItem* play, cc::CCMenuItem* back)
{
    PageKeys* keys = new PageKeys();
    if (!keys->init()) {
        delete keys;
        return nullptr;
    }
    keys->m_page = page;
    keys->m_previous.reset(previous);
    keys->m_next.reset(next);
    keys->m_play.reset(play);
    keys->m_back.reset(back);
    keys->autorelease();
    return keys;
}

PageKeys::~PageKeys() = default;

bool PageKeys::ccKeyPressed(const cc::CCKeyEvent& event)
{
    if (!event.hasOnly(cc::kCCKeyModifierNone)) return false;
    switch (event.key) {
    case cc::kCCKeyRight:
    case cc::kCCKeyPageDown: press(m_next.get()); return true;
    case cc::kCCKeyLeft:
    case cc::kCCKeyPageUp: press(m_previous.get()); return true;
    case cc::kCCKeySpace:
        if (!event.repeat) press(m_play.get());
        return true;
    case cc::kCCKeyEscape:
        if (!event.repeat) press(m_back.get());
        return true;
    case cc::kCCKeyLeftBracket:
    case cc::kCCKeyRightBracket:
        if (m_page) m_page->stepNarrationSpeed(event.key == cc::kCCKeyRightBracket ? +1 : -1);
        return true;
    default: return false;
    }
}

// ---- Page selection menu -----------------------------------------------------------

SelectionMenuKeys* SelectionMenuKeys::create(MenuLayerMainMenu* grid)
{
    SelectionMenuKeys* keys = new SelectionMenuKeys();
    if (!keys->init()) {
        delete keys;
        return nullptr;
    }
    keys->m_grid = grid;
    keys->autorelease();
    return keys;
}

cc::CCMenuItem* SelectionMenuKeys::returnItem() const
{
    TestScene* scene = m_grid ? dynamic_cast<TestScene*>(m_grid->getParent()) : nullptr;
    cc::CCMenu* menu = scene ? scene->getReturnMenu() : nullptr;
    cc::CCArray* items = menu ? menu->getChildren() : nullptr;
    return items && items->count() > 0 ? dynamic_cast<cc::CCMenuItem*>(items->objectAtIndex(0)) : nullptr;
}

bool SelectionMenuKeys::ccKeyPressed(const cc::CCKeyEvent& event)
{
    if (!event.hasOnly(cc::kCCKeyModifierNone) || !m_grid) return false;
    cc::CCMenuItem* item = nullptr;
    switch (event.key) {
    case cc::kCCKeyRight: item = m_grid->getNextButton(); break;
    case cc::kCCKeyLeft: item = m_grid->getPreviousButton(); break;
    case cc::kCCKeyEscape: item = returnItem(); break;
    default: return false;
    }
    if (!event.repeat) press(item);
    return true;
}

} // namespace quibo
