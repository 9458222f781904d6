// Menu items: the base with its target and selector, enabled and selected
// states, and the sprite items showing a normal, a selected and a disabled
// image. Touch tracking is the menu's; label items are in CCMenuItemLabel.
#pragma once

#include "scene/CCNodeRGBA.h"

namespace cc {

class CCSprite;

class CCMenuItem : public CCNodeRGBA {
public:
    static CCMenuItem* create();
    static CCMenuItem* create(CCObject* target, SEL_MenuHandler selector);
    CCMenuItem();
    ~CCMenuItem() override;
    // The target is not retained: it must outlive the item or clear it.
    bool initWithTarget(CCObject* target, SEL_MenuHandler selector);
    void setTarget(CCObject* target, SEL_MenuHandler selector);

    // The item's box in its parent's space (its content at its position).
    CCRect rect() const;
    // Calls the target's selector when enabled.
    virtual void activate();
    virtual void selected();
    virtual void unselected();
    virtual void setEnabled(bool enabled);
    virtual bool isEnabled() const { return m_bEnabled; }
    virtual bool isSelected() const { return m_bSelected; }

protected:
    CCObject* m_pListener = nullptr; // not retained
    SEL_MenuHandler m_pfnSelector = nullptr;
    bool m_bEnabled = true;
    bool m_bSelected = false;
};

// Shows one of up to three images (any nodes; sprites usually) by state;
// the item's size is the normal image's.
class CCMenuItemSprite : public CCMenuItem {
public:
    static CCMenuItemSprite* create(CCNode* normal, CCNode* selected, CCNode* disabled = nullptr);
    static CCMenuItemSprite* create(CCNode* normal, CCNode* selected, CCObject* target, SEL_MenuHandler selector);
    static CCMenuItemSprite* create(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                    SEL_MenuHandler selector);
    bool initWithNormalSprite(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                              SEL_MenuHandler selector);

    // Each replaces the image of that state (the old node leaves the item).
    void setNormalImage(CCNode* image);
    void setSelectedImage(CCNode* image);
    void setDisabledImage(CCNode* image);
    CCNode* getNormalImage() const { return m_pNormalImage; }
    CCNode* getSelectedImage() const { return m_pSelectedImage; }
    CCNode* getDisabledImage() const { return m_pDisabledImage; }

    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

protected:
    void replaceImage(CCNode*& slot, CCNode* image, int tag);
    // Shows the one image that fits the current state.
    void updateImagesVisibility();

    // Children of the item; the item's child list holds them.
    CCNode* m_pNormalImage = nullptr;
    CCNode* m_pSelectedImage = nullptr;
    CCNode* m_pDisabledImage = nullptr;
};

// A sprite item built from image files.
class CCMenuItemImage : public CCMenuItemSprite {
public:
    static CCMenuItemImage* create();
    static CCMenuItemImage* create(const char* normal, const char* selected);
    static CCMenuItemImage* create(const char* normal, const char* selected, const char* disabled);
    static CCMenuItemImage* create(const char* normal, const char* selected, CCObject* target,
                                   SEL_MenuHandler selector);
    static CCMenuItemImage* create(const char* normal, const char* selected, const char* disabled, CCObject* target,
                                   SEL_MenuHandler selector);
    bool init() override;
    // An image that cannot be loaded leaves an empty sprite in its place (logged by the loader).
    bool initWithNormalImage(const char* normal, const char* selected, const char* disabled, CCObject* target,
                             SEL_MenuHandler selector);
};

} // namespace cc
