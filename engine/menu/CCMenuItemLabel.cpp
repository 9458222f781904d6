// Label items. Colour goes to the visual only through CCRGBAProtocol, so a
// visual without one (a bare node) simply keeps its look.
#include "menu/CCMenuItemLabel.h"

#include "actions/CCActionTransform.h"
#include "text/CCLabelProtocol.h"
#include "text/CCLabelTTF.h"

#include <algorithm>

namespace cc {

namespace {
const int kZoomActionTag = 8001; // marks the selection zoom among the item's actions

CCRGBAProtocol* colourOf(CCNode* node) { return dynamic_cast<CCRGBAProtocol*>(node); }

std::string& defaultFontName()
{
    static std::string name = CCMenuItemFont::kDefaultFontName;
    return name;
}
unsigned int& defaultFontSize()
{
    static unsigned int size = CCMenuItemFont::kDefaultFontSize;
    return size;
}

// A text item takes touches over its caption, so a caption from a string
// table must not grow over other controls: past this box it wraps into it
// and what does not fit is not shown.
const float kMaxCaptionWidth = 320.0f;
const float kMaxCaptionHeight = 120.0f;

void boundCaption(CCLabelTTF* label)
{
    const CCSize size = label->getContentSize();
    if (size.width > kMaxCaptionWidth || size.height > kMaxCaptionHeight) {
        label->setDimensions(CCSize(std::min(size.width, kMaxCaptionWidth), std::min(size.height, kMaxCaptionHeight)));
    }
}
} // namespace

// ---- CCMenuItemLabel ------------------------------------------------------------

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label)
{
    return create(label, nullptr, nullptr);
}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label, CCObject* target, SEL_MenuHandler selector)
{
    CCMenuItemLabel* item = new CCMenuItemLabel();
    if (item->initWithLabel(label, target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItemLabel::initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector)
{
    if (!label || !initWithTarget(target, selector)) return false;
    m_fOriginalScale = 1.0f;
    setCascadeOpacityEnabled(true);
    setLabel(label);
    if (CCRGBAProtocol* rgba = colourOf(label)) m_tColorBackup = rgba->getColor();
    m_tRealColor = m_tColorBackup;
    return true;
}

void CCMenuItemLabel::setLabel(CCNode* label)
{
    if (label == m_pLabel) return;
    if (label) {
        addChild(label);
        label->setAnchorPoint(CCPoint(0, 0));
        // A layer ignores its anchor for placement: put its origin at ours.
        label->setPosition(CCPointZero);
        setContentSize(label->getContentSize());
    }
    if (m_pLabel) removeChild(m_pLabel, true);
    m_pLabel = label;
}

void CCMenuItemLabel::setString(const char* text)
{
    if (CCLabelProtocol* l = dynamic_cast<CCLabelProtocol*>(m_pLabel)) {
        l->setString(text);
        setContentSize(m_pLabel->getContentSize());
    }
}

void CCMenuItemLabel::applyColor()
{
    if (CCRGBAProtocol* rgba = colourOf(m_pLabel)) rgba->setColor(m_bEnabled ? m_tColorBackup : m_tDisabledColor);
}

void CCMenuItemLabel::setColor(const ccColor3B& color)
{
    m_tRealColor = color;
    m_tDisplayedColor = color;
    m_tColorBackup = color;
    applyColor();
}

void CCMenuItemLabel::setOpacity(GLubyte opacity)
{
    CCMenuItem::setOpacity(opacity);
    if (CCRGBAProtocol* rgba = colourOf(m_pLabel)) rgba->setOpacity(opacity);
}

void CCMenuItemLabel::setDisabledColor(const ccColor3B& color)
{
    m_tDisabledColor = color;
    if (!m_bEnabled) applyColor();
}

void CCMenuItemLabel::setEnabled(bool enabled)
{
    if (m_bEnabled == enabled) return;
    CCMenuItem::setEnabled(enabled);
    applyColor();
}

void CCMenuItemLabel::selected()
{
    if (!m_bEnabled) return;
    CCMenuItem::selected();
    if (CCAction* running = getActionByTag(kZoomActionTag)) {
        stopAction(running);
    } else {
        m_fOriginalScale = getScale();
    }
    CCAction* zoom = CCScaleTo::create(kZoomSeconds, m_fOriginalScale * kZoomFactor);
    zoom->setTag(kZoomActionTag);
    runAction(zoom);
}

void CCMenuItemLabel::unselected()
{
    if (!m_bEnabled) return;
    CCMenuItem::unselected();
    stopActionByTag(kZoomActionTag);
    CCAction* zoom = CCScaleTo::create(kZoomSeconds, m_fOriginalScale);
    zoom->setTag(kZoomActionTag);
    runAction(zoom);
}

void CCMenuItemLabel::activate()
{
    if (!m_bEnabled) return;
    stopAllActions();
    setScale(m_fOriginalScale);
    CCMenuItem::activate();
}

// ---- CCMenuItemFont ---------------------------------------------------------------

void CCMenuItemFont::setFontSize(unsigned int size) { defaultFontSize() = size; }
unsigned int CCMenuItemFont::fontSize() { return defaultFontSize(); }
void CCMenuItemFont::setFontName(const char* name) { defaultFontName() = name ? name : kDefaultFontName; }
const char* CCMenuItemFont::fontName() { return defaultFontName().c_str(); }

CCMenuItemFont* CCMenuItemFont::create(const char* text)
{
    return create(text, nullptr, nullptr);
}

CCMenuItemFont* CCMenuItemFont::create(const char* text, CCObject* target, SEL_MenuHandler selector)
{
    CCMenuItemFont* item = new CCMenuItemFont();
    if (item->initWithString(text, target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItemFont::initWithString(const char* text, CCObject* target, SEL_MenuHandler selector)
{
    m_strFontName = defaultFontName();
    m_uFontSize = defaultFontSize();
    CCLabelTTF* label = CCLabelTTF::create(text ? text : "", m_strFontName.c_str(), static_cast<float>(m_uFontSize));
    if (!label) return false;
    boundCaption(label);
    return initWithLabel(label, target, selector);
}

void CCMenuItemFont::setFontSizeObj(unsigned int size)
{
    m_uFontSize = size;
    recreateLabel();
}

void CCMenuItemFont::setFontNameObj(const char* name)
{
    m_strFontName = name ? name : kDefaultFontName;
    recreateLabel();
}

void CCMenuItemFont::recreateLabel()
{
    if (CCLabelTTF* label = dynamic_cast<CCLabelTTF*>(m_pLabel)) {
        label->setFontName(m_strFontName.c_str());
        label->setFontSize(static_cast<float>(m_uFontSize));
        label->setDimensions(CCSizeZero);
        boundCaption(label);
        setContentSize(label->getContentSize());
    }
}

} // namespace cc
