// Item states. Images sit at the item's origin with anchor (0, 0) so the
// item's box and the images' coincide.
#include "menu/CCMenuItem.h"

#include "render/CCSprite.h"

namespace cc {

namespace {
enum { kNormalTag = 0x1, kSelectedTag = 0x2, kDisabledTag = 0x3 };
}

// ---- CCMenuItem -------------------------------------------------------------

CCMenuItem* CCMenuItem::create()
{
    return create(nullptr, nullptr);
}

CCMenuItem* CCMenuItem::create(CCObject* target, SEL_MenuHandler selector)
{
    CCMenuItem* item = new CCMenuItem();
    if (item->initWithTarget(target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

CCMenuItem::CCMenuItem() = default;
CCMenuItem::~CCMenuItem() = default;

bool CCMenuItem::initWithTarget(CCObject* target, SEL_MenuHandler selector)
{
    if (!CCNodeRGBA::init()) return false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    setTarget(target, selector);
    m_bEnabled = true;
    m_bSelected = false;
    return true;
}

void CCMenuItem::setTarget(CCObject* target, SEL_MenuHandler selector)
{
    m_pListener = target;
    m_pfnSelector = selector;
}

CCRect CCMenuItem::rect() const
{
    const CCSize& size = getContentSize();
    const CCPoint& anchor = getAnchorPoint();
    return CCRect(m_obPosition.x - size.width * anchor.x, m_obPosition.y - size.height * anchor.y, size.width,
                  size.height);
}

void CCMenuItem::activate()
{
    if (m_bEnabled && m_pListener && m_pfnSelector) (m_pListener->*m_pfnSelector)(this);
}

void CCMenuItem::selected() { m_bSelected = true; }
void CCMenuItem::unselected() { m_bSelected = false; }
void CCMenuItem::setEnabled(bool enabled) { m_bEnabled = enabled; }

// ---- CCMenuItemSprite ---------------------------------------------------------

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCNode* disabled)
{
    return create(normal, selected, disabled, nullptr, nullptr);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCObject* target,
                                           SEL_MenuHandler selector)
{
    return create(normal, selected, nullptr, target, selector);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                           SEL_MenuHandler selector)
{
    CCMenuItemSprite* item = new CCMenuItemSprite();
    if (item->initWithNormalSprite(normal, selected, disabled, target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItemSprite::initWithNormalSprite(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                            SEL_MenuHandler selector)
{
    if (!initWithTarget(target, selector)) return false;
    setNormalImage(normal);
    setSelectedImage(selected);
    setDisabledImage(disabled);
    // Colour and opacity given to the item reach its images.
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    return true;
}

void CCMenuItemSprite::replaceImage(CCNode*& slot, CCNode* image, int tag)
{
    if (image == slot) return;
    if (image) {
        addChild(image, 0, tag);
        image->setAnchorPoint(CCPoint(0, 0));
        image->setPosition(CCPointZero);
    }
    if (slot) removeChild(slot, true);
    slot = image;
}

void CCMenuItemSprite::setNormalImage(CCNode* image)
{
    replaceImage(m_pNormalImage, image, kNormalTag);
    setContentSize(m_pNormalImage ? m_pNormalImage->getContentSize() : CCSizeZero);
    updateImagesVisibility();
}

void CCMenuItemSprite::setSelectedImage(CCNode* image)
{
    replaceImage(m_pSelectedImage, image, kSelectedTag);
    updateImagesVisibility();
}

void CCMenuItemSprite::setDisabledImage(CCNode* image)
{
    replaceImage(m_pDisabledImage, image, kDisabledTag);
    updateImagesVisibility();
}

void CCMenuItemSprite::selected()
{
    CCMenuItem::selected();
    updateImagesVisibility();
}

void CCMenuItemSprite::unselected()
{
    CCMenuItem::unselected();
    updateImagesVisibility();
}

void CCMenuItemSprite::setEnabled(bool enabled)
{
    CCMenuItem::setEnabled(enabled);
    updateImagesVisibility();
}

void CCMenuItemSprite::updateImagesVisibility()
{
    CCNode* shown = m_pNormalImage;
    if (!m_bEnabled && m_pDisabledImage) shown = m_pDisabledImage;
    else if (m_bEnabled && m_bSelected && m_pSelectedImage) shown = m_pSelectedImage;
    if (m_pNormalImage) m_pNormalImage->setVisible(shown == m_pNormalImage);
    if (m_pSelectedImage) m_pSelectedImage->setVisible(shown == m_pSelectedImage);
    if (m_pDisabledImage) m_pDisabledImage->setVisible(shown == m_pDisabledImage);
}

// ---- CCMenuItemImage ------------------------------------------------------------

CCMenuItemImage* CCMenuItemImage::create()
{
    CCMenuItemImage* item = new CCMenuItemImage();
    if (item->init()) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

CCMenuItemImage* CCMenuItemImage::create(const char* normal, const char* selected)
{
    return create(normal, selected, nullptr, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normal, const char* selected, const char* disabled)
{
    return create(normal, selected, disabled, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normal, const char* selected, CCObject* target,
                                         SEL_MenuHandler selector)
{
    return create(normal, selected, nullptr, target, selector);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normal, const char* selected, const char* disabled,
                                         CCObject* target, SEL_MenuHandler selector)
{
    CCMenuItemImage* item = new CCMenuItemImage();
    if (item->initWithNormalImage(normal, selected, disabled, target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItemImage::init()
{
    return initWithNormalImage(nullptr, nullptr, nullptr, nullptr, nullptr);
}

bool CCMenuItemImage::initWithNormalImage(const char* normal, const char* selected, const char* disabled,
                                          CCObject* target, SEL_MenuHandler selector)
{
    // A sprite whose file fails to load is still an (empty) sprite.
    auto load = [](const char* file) -> CCNode* {
        if (!file) return nullptr;
        CCSprite* sprite = CCSprite::create(file);
        return sprite ? sprite : CCSprite::create();
    };
    return initWithNormalSprite(load(normal), load(selected), load(disabled), target, selector);
}

} // namespace cc
