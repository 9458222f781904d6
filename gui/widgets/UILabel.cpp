// The TrueType label widget: text setters that refit, the touch-scale looks
// and fitting the label to the widget's size.
#include "gui/widgets/UILabel.h"

#include "gui/GUIRenderer.h"
#include "gui/widgets/TextureLoad.h"
#include "text/CCLabelTTF.h"

namespace cc {

UILabel* UILabel::create()
{
    UILabel* label = new UILabel();
    return autoreleasedOrNull(label, label->init());
}

UILabel::UILabel() {}

UILabel::~UILabel() {}

const char* UILabel::getTypeName() { return "Label"; }

void UILabel::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    m_labelRenderer = CCLabelTTF::create();
    m_pRenderNode->addChild(m_labelRenderer);
}

void UILabel::setText(const char* text)
{
    if (!text) return;
    m_labelRenderer->setString(text);
    fitLabel();
}

const char* UILabel::getStringValue() const { return m_labelRenderer->getString(); }

void UILabel::setFontSize(float size)
{
    m_labelRenderer->setFontSize(size);
    fitLabel();
}

void UILabel::setFontName(const char* name)
{
    if (!name) return;
    m_labelRenderer->setFontName(name);
    fitLabel();
}

void UILabel::setTextAreaSize(const CCSize& size)
{
    m_labelRenderer->setDimensions(size);
    fitLabel();
}

void UILabel::setTextHorizontalAlignment(CCTextAlignment alignment)
{
    m_labelRenderer->setHorizontalAlignment(alignment);
    fitLabel();
}

void UILabel::setTextVerticalAlignment(CCVerticalTextAlignment alignment)
{
    m_labelRenderer->setVerticalAlignment(alignment);
    fitLabel();
}

void UILabel::setTouchScaleEnabled(bool enabled)
{
    m_touchScaleEnabled = enabled;
    m_normalScale = m_pRenderNode->getScale();
}

void UILabel::onNormalState()
{
    if (m_touchScaleEnabled) m_pRenderNode->setScale(m_normalScale);
}

void UILabel::onPressedState()
{
    if (m_touchScaleEnabled) m_pRenderNode->setScale(m_normalScale + m_pressedScaleIncrease);
}

const CCSize& UILabel::getContentSize() { return m_labelRenderer->getContentSize(); }

CCNode* UILabel::getRenderNode() { return m_labelRenderer; }

void UILabel::onSizeChanged() { fitLabel(); }

void UILabel::fitLabel()
{
    const CCSize content = m_labelRenderer->getContentSize();
    textureload::fit(m_labelRenderer, false, m_bIgnoreSize, content, m_size);
    if (m_bIgnoreSize) m_size = content;
}

void UILabel::setAnchorPoint(const CCPoint& anchor)
{
    UIWidget::setAnchorPoint(anchor);
    m_labelRenderer->setAnchorPoint(anchor);
}

void UILabel::setFlipX(bool flipX) { m_labelRenderer->setFlipX(flipX); }
void UILabel::setFlipY(bool flipY) { m_labelRenderer->setFlipY(flipY); }
bool UILabel::isFlipX() { return m_labelRenderer->isFlipX(); }
bool UILabel::isFlipY() { return m_labelRenderer->isFlipY(); }

} // namespace cc
