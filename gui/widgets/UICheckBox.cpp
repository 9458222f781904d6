// The check box: its five sprites, their loading and fitting, the looks and
// the toggle on a completed tap with the order in which listeners hear it.
#include "gui/widgets/UICheckBox.h"

#include "gui/GUIRenderer.h"
#include "gui/widgets/TextureLoad.h"
#include "render/CCSprite.h"

namespace cc {

UICheckBox* UICheckBox::create()
{
    UICheckBox* box = new UICheckBox();
    return autoreleasedOrNull(box, box->init());
}

UICheckBox::UICheckBox() {}

UICheckBox::~UICheckBox() {}

const char* UICheckBox::getTypeName() { return "CheckBox"; }

bool UICheckBox::init()
{
    if (!UIWidget::init()) return false;
    setSelectedState(false);
    return true;
}

void UICheckBox::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    // Added in part order, all at the default z-order: the cross draws over the box.
    for (CCSprite*& part : m_parts) {
        part = CCSprite::create();
        m_pRenderNode->addChild(part);
    }
}

// ---- Textures ------------------------------------------------------------------

void UICheckBox::loadTextures(const char* box, const char* boxPressed, const char* cross, const char* boxDisabled,
                              const char* crossDisabled, TextureResType kind)
{
    loadBoxTexture(box, kind);
    loadBoxPressedTexture(boxPressed, kind);
    loadCrossTexture(cross, kind);
    loadBoxDisabledTexture(boxDisabled, kind);
    loadCrossDisabledTexture(crossDisabled, kind);
}

void UICheckBox::loadBoxTexture(const char* name, TextureResType kind) { loadPart(kBox, name, kind); }
void UICheckBox::loadBoxPressedTexture(const char* name, TextureResType kind) { loadPart(kBoxPressed, name, kind); }
void UICheckBox::loadCrossTexture(const char* name, TextureResType kind) { loadPart(kCross, name, kind); }
void UICheckBox::loadBoxDisabledTexture(const char* name, TextureResType kind) { loadPart(kBoxDisabled, name, kind); }
void UICheckBox::loadCrossDisabledTexture(const char* name, TextureResType kind)
{
    loadPart(kCrossDisabled, name, kind);
}

void UICheckBox::loadPart(Part part, const char* name, TextureResType kind)
{
    if (!name || !*name) return;
    m_kinds[part] = kind;
    textureload::loadTinted(this, m_parts[part], false, name, kind);
    fitPart(part);
}

void UICheckBox::fitPart(Part part)
{
    CCSprite* sprite = m_parts[part];
    textureload::fit(sprite, false, m_bIgnoreSize, sprite->getContentSize(), m_size);
    // Only the box decides the size of a check box that follows its content.
    if (part == kBox && m_bIgnoreSize) m_size = sprite->getContentSize();
}

void UICheckBox::onSizeChanged()
{
    for (int i = 0; i < kPartCount; ++i) fitPart(static_cast<Part>(i));
}

const CCSize& UICheckBox::getContentSize() { return m_parts[kBox]->getContentSize(); }

CCNode* UICheckBox::getRenderNode() { return m_parts[kBox]; }

// ---- State and listeners -----------------------------------------------------------

void UICheckBox::setSelectedState(bool selected)
{
    if (selected == m_selected) return;
    m_selected = selected;
    m_parts[kCross]->setVisible(selected);
}

void UICheckBox::setCheckBoxListener(CCObject* target, CheckBoxEventSelector selector)
{
    m_checkBoxTarget = target;
    m_checkBoxSelector = selector;
}

void UICheckBox::setSelectListener(CCObject* target, SEL_CallFuncO selector)
{
    m_selectTarget = target;
    m_selectSelector = selector;
}

void UICheckBox::setUnselectListener(CCObject* target, SEL_CallFuncO selector)
{
    m_unselectTarget = target;
    m_unselectSelector = selector;
}

void UICheckBox::selectedEvent()
{
    if (m_selectTarget && m_selectSelector) (m_selectTarget->*m_selectSelector)(this);
    if (m_checkBoxTarget && m_checkBoxSelector) (m_checkBoxTarget->*m_checkBoxSelector)(this, CHECKBOX_STATE_EVENT_SELECTED);
}

void UICheckBox::unselectedEvent()
{
    if (m_unselectTarget && m_unselectSelector) (m_unselectTarget->*m_unselectSelector)(this);
    if (m_checkBoxTarget && m_checkBoxSelector)
        (m_checkBoxTarget->*m_checkBoxSelector)(this, CHECKBOX_STATE_EVENT_UNSELECTED);
}

void UICheckBox::onTouchEnded(const CCPoint& p)
{
    m_touchEndPos = p;
    // Released outside (or never pressed inside): no listener hears of it.
    if (!m_bFocused) {
        if (m_pParent) m_pParent->interceptChildTouch(kTouchEnded, this, p);
        return;
    }
    notifyListener(kTouchEnded);
    // A listener may have changed the state; toggle what is there now.
    if (m_selected) {
        setSelectedState(false);
        unselectedEvent();
    } else {
        setSelectedState(true);
        selectedEvent();
    }
    if (m_bFocused) setFocused(false);
    if (m_pParent) m_pParent->interceptChildTouch(kTouchEnded, this, p);
}

// ---- Looks and flips -------------------------------------------------------------

void UICheckBox::onNormalState()
{
    m_parts[kBox]->setVisible(true);
    m_parts[kBoxPressed]->setVisible(false);
    m_parts[kBoxDisabled]->setVisible(false);
    m_parts[kCrossDisabled]->setVisible(false);
}

void UICheckBox::onPressedState()
{
    m_parts[kBox]->setVisible(false);
    m_parts[kBoxPressed]->setVisible(true);
    m_parts[kBoxDisabled]->setVisible(false);
    m_parts[kCrossDisabled]->setVisible(false);
}

void UICheckBox::onDisabledState()
{
    m_parts[kBox]->setVisible(false);
    m_parts[kBoxPressed]->setVisible(false);
    m_parts[kCross]->setVisible(false);
    m_parts[kBoxDisabled]->setVisible(true);
    m_parts[kCrossDisabled]->setVisible(m_selected);
}

void UICheckBox::setAnchorPoint(const CCPoint& anchor)
{
    UIWidget::setAnchorPoint(anchor);
    for (CCSprite* part : m_parts) part->setAnchorPoint(anchor);
}

void UICheckBox::setFlipX(bool flipX)
{
    for (CCSprite* part : m_parts) part->setFlipX(flipX);
}

void UICheckBox::setFlipY(bool flipY)
{
    for (CCSprite* part : m_parts) part->setFlipY(flipY);
}

bool UICheckBox::isFlipX() { return m_parts[kBox]->isFlipX(); }

bool UICheckBox::isFlipY() { return m_parts[kBox]->isFlipY(); }

} // namespace cc
