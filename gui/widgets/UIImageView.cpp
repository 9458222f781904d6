// The image view: texture loading, the switch between plain and nine-slice
// renderers, and fitting the renderer to the widget's size.
#include "gui/widgets/UIImageView.h"

#include "gui/GUIRenderer.h"
#include "gui/widgets/TextureLoad.h"
#include "render/CCSprite.h"

namespace cc {

UIImageView* UIImageView::create()
{
    UIImageView* view = new UIImageView();
    return autoreleasedOrNull(view, view->init());
}

UIImageView::UIImageView() {}

UIImageView::~UIImageView() {}

const char* UIImageView::getTypeName() { return "ImageView"; }

void UIImageView::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    m_imageRenderer = textureload::createRenderer(false);
    m_pRenderNode->addChild(m_imageRenderer);
}

void UIImageView::loadTexture(const char* name, TextureResType kind)
{
    if (!name || !*name) return;
    // A copy first: the reload after a mode switch passes our own field in.
    const std::string file = name;
    m_textureFile = file;
    m_textureKind = kind;
    textureload::loadInto(m_imageRenderer, m_scale9, file.c_str(), kind);
    textureload::applyColour(m_imageRenderer, getColor(), getOpacity());
    m_textureSize = m_imageRenderer->getContentSize();
    setAnchorPoint(m_anchorPoint);
    fitRenderer();
}

void UIImageView::setScale9Enabled(bool enabled)
{
    if (enabled == m_scale9) return;
    m_scale9 = enabled;
    const textureload::RendererSlot slot = {&m_imageRenderer, 0, &m_capInsets};
    textureload::switchScale9(this, enabled, &slot, 1, m_prevIgnoreSize, [this] {
        const std::string file = m_textureFile;
        loadTexture(file.c_str(), m_textureKind);
    });
}

void UIImageView::setCapInsets(const CCRect& capInsets)
{
    m_capInsets = capInsets;
    textureload::applyCapInsets(m_imageRenderer, m_scale9, capInsets);
}

void UIImageView::setIgnoreSize(bool ignore)
{
    if (m_scale9 && ignore) return;
    UIWidget::setIgnoreSize(ignore);
    m_prevIgnoreSize = ignore;
}

const CCSize& UIImageView::getContentSize() { return m_textureSize; }

CCNode* UIImageView::getRenderNode() { return m_imageRenderer; }

void UIImageView::onSizeChanged() { fitRenderer(); }

void UIImageView::fitRenderer()
{
    textureload::fit(m_imageRenderer, m_scale9, m_bIgnoreSize, m_textureSize, m_size);
    // A plain view that follows its content takes the texture's size.
    if (m_bIgnoreSize && !m_scale9) m_size = m_textureSize;
}

void UIImageView::setAnchorPoint(const CCPoint& anchor)
{
    UIWidget::setAnchorPoint(anchor);
    m_imageRenderer->setAnchorPoint(anchor);
}

void UIImageView::setFlipX(bool flipX)
{
    if (!m_scale9) static_cast<CCSprite*>(m_imageRenderer)->setFlipX(flipX);
}

void UIImageView::setFlipY(bool flipY)
{
    if (!m_scale9) static_cast<CCSprite*>(m_imageRenderer)->setFlipY(flipY);
}

bool UIImageView::isFlipX() { return !m_scale9 && static_cast<CCSprite*>(m_imageRenderer)->isFlipX(); }

bool UIImageView::isFlipY() { return !m_scale9 && static_cast<CCSprite*>(m_imageRenderer)->isFlipY(); }

} // namespace cc
