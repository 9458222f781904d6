// The bitmap-font label widget: font loading, text once a font is set, and
// fitting the label to the widget's size.
#include "gui/widgets/UILabelBMFont.h"

#include "gui/GUIRenderer.h"
#include "gui/widgets/TextureLoad.h"
#include "text/CCLabelBMFont.h"

namespace cc {

namespace {
// A font file starts the label empty, on one line of automatic width.
const float kAutomaticWidth = -1.0f;
} // namespace

UILabelBMFont* UILabelBMFont::create()
{
    UILabelBMFont* label = new UILabelBMFont();
    return autoreleasedOrNull(label, label->init());
}

UILabelBMFont::UILabelBMFont() {}

UILabelBMFont::~UILabelBMFont() {}

const char* UILabelBMFont::getTypeName() { return "LabelBMFont"; }

void UILabelBMFont::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    m_labelRenderer = CCLabelBMFont::create();
    m_pRenderNode->addChild(m_labelRenderer);
}

void UILabelBMFont::setFontFile(const char* fileName)
{
    if (!fileName || !*fileName) return;
    // A font that cannot load logs once and leaves an empty label.
    m_labelRenderer->initWithString("", fileName, kAutomaticWidth, kCCTextAlignmentLeft, CCPointZero);
    setAnchorPoint(m_anchorPoint);
    fitLabel();
    m_fontFileSet = true;
}

void UILabelBMFont::setText(const char* text)
{
    if (!text || !m_fontFileSet) return;
    m_labelRenderer->setString(text);
    fitLabel();
}

const char* UILabelBMFont::getStringValue() const { return m_labelRenderer->getString(); }

const CCSize& UILabelBMFont::getContentSize() { return m_labelRenderer->getContentSize(); }

CCNode* UILabelBMFont::getRenderNode() { return m_labelRenderer; }

void UILabelBMFont::onSizeChanged() { fitLabel(); }

void UILabelBMFont::fitLabel()
{
    const CCSize content = m_labelRenderer->getContentSize();
    textureload::fit(m_labelRenderer, false, m_bIgnoreSize, content, m_size);
    if (m_bIgnoreSize) m_size = content;
}

void UILabelBMFont::setAnchorPoint(const CCPoint& anchor)
{
    UIWidget::setAnchorPoint(anchor);
    m_labelRenderer->setAnchorPoint(anchor);
}

} // namespace cc
