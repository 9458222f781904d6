// The character-map label widget and its atlas node: setting the atlas
// properties, drawing only with a map, and fitting to the widget's size.
#include "gui/widgets/UILabelAtlas.h"

#include "base/CCLog.h"
#include "gui/GUIRenderer.h"
#include "gui/widgets/TextureLoad.h"

namespace cc {

// ---- UICCLabelAtlas ---------------------------------------------------------------

UICCLabelAtlas* UICCLabelAtlas::create()
{
    UICCLabelAtlas* label = new UICCLabelAtlas();
    label->autorelease();
    return label;
}

UICCLabelAtlas::~UICCLabelAtlas() {}

void UICCLabelAtlas::draw()
{
    if (!m_pTextureAtlas) return;
    CCLabelAtlas::draw();
}

void UICCLabelAtlas::updateDisplayedOpacity(GLubyte opacity)
{
    // The cascaded opacity becomes the label's own; going through
    // CCNodeRGBA::setOpacity would ask the parent again and come back here.
    m_cRealOpacity = opacity;
    CCLabelAtlas::updateDisplayedOpacity(255);
}

// ---- UILabelAtlas -----------------------------------------------------------------

UILabelAtlas* UILabelAtlas::create()
{
    UILabelAtlas* label = new UILabelAtlas();
    return autoreleasedOrNull(label, label->init());
}

UILabelAtlas::UILabelAtlas() {}

UILabelAtlas::~UILabelAtlas() {}

const char* UILabelAtlas::getTypeName() { return "LabelAtlase"; }

void UILabelAtlas::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    m_atlasRenderer = UICCLabelAtlas::create();
    m_pRenderNode->addChild(m_atlasRenderer);
}

void UILabelAtlas::setAtlasProperties(const char* text, const char* charMapFile, int itemWidth, int itemHeight,
                                      const char* startChar)
{
    if (!charMapFile || !*charMapFile || itemWidth <= 0 || itemHeight <= 0) {
        CCLog("UILabelAtlas: no character map or an empty cell size; the label stays empty");
        return;
    }
    const unsigned char first = startChar ? static_cast<unsigned char>(startChar[0]) : 0;
    m_atlasRenderer->initWithString(text ? text : "", charMapFile, static_cast<unsigned int>(itemWidth),
                                    static_cast<unsigned int>(itemHeight), first);
    setAnchorPoint(m_anchorPoint);
    fitLabel();
}

void UILabelAtlas::setStringValue(const char* text)
{
    if (!m_atlasRenderer->getTextureAtlas()) return;
    m_atlasRenderer->setString(text ? text : "");
    fitLabel();
}

const char* UILabelAtlas::getStringValue() const { return m_atlasRenderer->getString(); }

const CCSize& UILabelAtlas::getContentSize() { return m_atlasRenderer->getContentSize(); }

CCNode* UILabelAtlas::getRenderNode() { return m_atlasRenderer; }

void UILabelAtlas::onSizeChanged() { fitLabel(); }

void UILabelAtlas::fitLabel()
{
    const CCSize content = m_atlasRenderer->getContentSize();
    textureload::fit(m_atlasRenderer, false, m_bIgnoreSize, content, m_size);
    if (m_bIgnoreSize) m_size = content;
}

void UILabelAtlas::setAnchorPoint(const CCPoint& anchor)
{
    UIWidget::setAnchorPoint(anchor);
    m_atlasRenderer->setAnchorPoint(anchor);
}

} // namespace cc
