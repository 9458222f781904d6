// Menu touch tracking. The menu swallows the touches it claims, and claims
// only those that begin on a selectable item while the menu and all its
// ancestors are visible.
#include "menu/CCMenu.h"

#include "base/CCLog.h"
#include "base/CCRefPtr.h"
#include "menu/CCMenuItem.h"
#include "scene/CCDirector.h"
#include "scene/CCTouchDispatcher.h"

#include <cstdarg>

namespace cc {

CCMenu* CCMenu::create()
{
    return createWithArray(nullptr);
}

CCMenu* CCMenu::create(CCMenuItem* item, ...)
{
    CCArray* items = CCArray::create();
    va_list args;
    va_start(args, item);
    for (CCMenuItem* i = item; i; i = va_arg(args, CCMenuItem*)) items->addObject(i);
    va_end(args);
    return createWithArray(items);
}

CCMenu* CCMenu::createWithItem(CCMenuItem* item)
{
    return create(item, nullptr);
}

CCMenu* CCMenu::createWithArray(CCArray* items)
{
    CCMenu* menu = new CCMenu();
    if (menu->initWithArray(items)) {
        menu->autorelease();
        return menu;
    }
    delete menu;
    return nullptr;
}

bool CCMenu::init()
{
    return initWithArray(nullptr);
}

bool CCMenu::initWithArray(CCArray* items)
{
    if (!CCLayer::init()) return false;
    setTouchPriority(kCCMenuHandlerPriority);
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    m_bEnabled = true;
    // The menu fills the window and sits at its centre, so item positions
    // given relative to the centre work out of the box.
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    setContentSize(win);
    setPosition(CCPoint(win.width / 2, win.height / 2));
    if (items) {
        int z = 0;
        for (CCObject* o : *items) {
            if (CCMenuItem* item = dynamic_cast<CCMenuItem*>(o)) addChild(item, z++);
        }
    }
    m_pSelectedItem = nullptr;
    m_eState = kCCMenuStateWaiting;
    return true;
}

void CCMenu::addChild(CCNode* child, int zOrder, int tag)
{
    if (!dynamic_cast<CCMenuItem*>(child)) {
        CCLog("CCMenu: only menu items can be added");
        return;
    }
    CCLayer::addChild(child, zOrder, tag);
}

void CCMenu::removeChild(CCNode* child, bool cleanup)
{
    if (child && child == m_pSelectedItem) {
        m_pSelectedItem = nullptr;
        m_eState = kCCMenuStateWaiting;
    }
    CCLayer::removeChild(child, cleanup);
}

void CCMenu::setHandlerPriority(int priority)
{
    setTouchPriority(priority);
}

void CCMenu::registerWithTouchDispatcher()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), true);
    m_bRegistered = true;
}

CCMenuItem* CCMenu::itemForTouch(CCTouch* touch)
{
    if (!m_pChildren) return nullptr;
    const CCPoint location = touch->getLocation();
    // Last child is drawn on top, so it is asked first.
    for (unsigned int i = m_pChildren->count(); i-- > 0;) {
        CCMenuItem* item = dynamic_cast<CCMenuItem*>(m_pChildren->objectAtIndex(i));
        if (!item || !item->isVisible() || !item->isEnabled()) continue;
        const CCPoint local = item->convertToNodeSpace(location);
        const CCSize& size = item->getContentSize();
        if (CCRect(0, 0, size.width, size.height).containsPoint(local)) return item;
    }
    return nullptr;
}

void CCMenu::select(CCMenuItem* item)
{
    if (item == m_pSelectedItem) return;
    if (m_pSelectedItem) m_pSelectedItem->unselected();
    m_pSelectedItem = item;
    if (m_pSelectedItem) m_pSelectedItem->selected();
}

bool CCMenu::takesTouches() const
{
    if (m_eState != kCCMenuStateWaiting || !m_bVisible || !m_bEnabled) return false;
    for (CCNode* p = m_pParent; p; p = p->getParent()) {
        if (!p->isVisible()) return false;
    }
    return true;
}

bool CCMenu::activateItem(CCMenuItem* item)
{
    if (!item || item->getParent() != this || !isRunning() || !isTouchEnabled() || !takesTouches()) return false;
    if (!item->isVisible() || !item->isEnabled()) return false;
    select(item);
    activateSelected();
    return true;
}

bool CCMenu::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!takesTouches()) return false;
    CCMenuItem* item = itemForTouch(touch);
    if (!item) return false;
    m_eState = kCCMenuStateTrackingTouch;
    select(item);
    return true;
}

void CCMenu::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    if (m_eState != kCCMenuStateTrackingTouch) return;
    select(itemForTouch(touch));
}

void CCMenu::ccTouchEnded(CCTouch* touch, CCEvent*)
{
    if (m_eState != kCCMenuStateTrackingTouch) return;
    select(itemForTouch(touch));
    activateSelected();
}

void CCMenu::activateSelected()
{
    CCMenuItem* chosen = m_pSelectedItem;
    m_pSelectedItem = nullptr;
    m_eState = kCCMenuStateWaiting;
    if (!chosen) return;
    // Held while its handler runs: the action may remove the item (or the
    // whole menu) from the tree.
    CCRefPtr<CCMenuItem> keepAlive(chosen);
    chosen->unselected();
    chosen->activate();
}

void CCMenu::ccTouchCancelled(CCTouch*, CCEvent*)
{
    if (m_eState != kCCMenuStateTrackingTouch) return;
    select(nullptr);
    m_eState = kCCMenuStateWaiting;
}

void CCMenu::onExit()
{
    if (m_eState == kCCMenuStateTrackingTouch) {
        select(nullptr);
        m_eState = kCCMenuStateWaiting;
    }
    CCLayer::onExit();
}

void CCMenu::alignItemsVertically()
{
    alignItemsVerticallyWithPadding(kDefaultPadding);
}

void CCMenu::alignItemsVerticallyWithPadding(float padding)
{
    if (!m_pChildren) return;
    float height = -padding;
    for (CCObject* o : *m_pChildren) {
        CCNode* n = static_cast<CCNode*>(o);
        height += n->getContentSize().height * n->getScaleY() + padding;
    }
    float y = height / 2.0f;
    for (CCObject* o : *m_pChildren) {
        CCNode* n = static_cast<CCNode*>(o);
        const float h = n->getContentSize().height * n->getScaleY();
        n->setPosition(CCPoint(0, y - h / 2.0f));
        y -= h + padding;
    }
}

void CCMenu::alignItemsHorizontally()
{
    alignItemsHorizontallyWithPadding(kDefaultPadding);
}

void CCMenu::alignItemsHorizontallyWithPadding(float padding)
{
    if (!m_pChildren) return;
    float width = -padding;
    for (CCObject* o : *m_pChildren) {
        CCNode* n = static_cast<CCNode*>(o);
        width += n->getContentSize().width * n->getScaleX() + padding;
    }
    float x = -width / 2.0f;
    for (CCObject* o : *m_pChildren) {
        CCNode* n = static_cast<CCNode*>(o);
        const float w = n->getContentSize().width * n->getScaleX();
        n->setPosition(CCPoint(x + w / 2.0f, 0));
        x += w + padding;
    }
}

} // namespace cc
