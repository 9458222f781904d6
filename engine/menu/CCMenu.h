// A layer of menu items that tracks one finger: the item under it is
// selected, the selection follows it, and releasing over the selected item
// activates it. Only visible and enabled items can be selected. What an
// item does when activated is the item's.
#pragma once

#include "scene/CCLayer.h"

namespace cc {

class CCMenuItem;

enum tCCMenuState { kCCMenuStateWaiting, kCCMenuStateTrackingTouch };

class CCMenu : public CCLayer {
public:
    static constexpr float kDefaultPadding = 5.0f;

    static CCMenu* create();
    // Items up to a terminating null.
    static CCMenu* create(CCMenuItem* item, ...);
    static CCMenu* createWithArray(CCArray* items);
    static CCMenu* createWithItem(CCMenuItem* item);
    bool init() override;
    bool initWithArray(CCArray* items);

    void addChild(CCNode* child, int zOrder, int tag) override;
    using CCNode::addChild;
    void removeChild(CCNode* child, bool cleanup) override;
    using CCNode::removeChild;

    void alignItemsVertically();
    void alignItemsVerticallyWithPadding(float padding);
    void alignItemsHorizontally();
    void alignItemsHorizontallyWithPadding(float padding);

    // A disabled menu takes no touches.
    void setEnabled(bool enabled) { m_bEnabled = enabled; }
    bool isEnabled() const { return m_bEnabled; }
    void setHandlerPriority(int priority);
    CCMenuItem* getSelectedItem() const { return m_pSelectedItem; }
    // Presses one of this menu's items as a tap on it would (a key standing
    // in for the finger): only while the menu is on stage, takes touches and
    // tracks none, and only when a touch could select the item. True when
    // the item was activated.
    bool activateItem(CCMenuItem* item);

    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
    void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
    void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
    void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;
    void onExit() override;

protected:
    // The top-most selectable item under the touch, or null.
    CCMenuItem* itemForTouch(CCTouch* touch);
    void select(CCMenuItem* item);
    // True while a touch beginning now could be taken.
    bool takesTouches() const;
    // The release over the selected item: it is activated.
    void activateSelected();

    CCMenuItem* m_pSelectedItem = nullptr; // a child; cleared when removed
    tCCMenuState m_eState = kCCMenuStateWaiting;
    bool m_bEnabled = true;
};

} // namespace cc
