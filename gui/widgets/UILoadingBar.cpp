// The loading bar: texture loading, the plain / nine-slice switch, the
// direction (anchor, place and mirror), and the crop of the bar to the percent.
#include "gui/widgets/UILoadingBar.h"

#include "gui/GUIRenderer.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/TextureLoad.h"
#include "render/CCSprite.h"

#include <cmath>

namespace cc {

namespace {
// Filling from the left keeps the left edge still; from the right, the right edge.
const CCPoint kLeftAnchor(0.0f, 0.5f), kRightAnchor(1.0f, 0.5f);
const int kMinPercent = 0, kMaxPercent = 100;
} // namespace

UILoadingBar* UILoadingBar::create()
{
    UILoadingBar* bar = new UILoadingBar();
    return autoreleasedOrNull(bar, bar->init());
}

UILoadingBar::UILoadingBar() {}

UILoadingBar::~UILoadingBar() {}

const char* UILoadingBar::getTypeName() { return "LoadingBar"; }

void UILoadingBar::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    m_barRenderer = textureload::createRenderer(false);
    m_barRenderer->setAnchorPoint(kLeftAnchor);
    m_pRenderNode->addChild(m_barRenderer);
}

void UILoadingBar::loadTexture(const char* name, TextureResType kind)
{
    if (!name || !*name) return;
    // A copy first: the reload after a mode switch passes our own field in.
    const std::string file = name;
    m_textureKind = kind;
    m_textureFile = file;
    textureload::loadTinted(this, m_barRenderer, m_scale9, file.c_str(), kind);
    m_barTextureSize = m_barRenderer->getContentSize();
    applyDirection(false);
    fitBar();
}

void UILoadingBar::setScale9Enabled(bool enabled)
{
    if (enabled == m_scale9) return;
    m_scale9 = enabled;
    const textureload::RendererSlot slot = {&m_barRenderer, 0, &m_capInsets};
    textureload::switchScale9(this, enabled, &slot, 1, m_prevIgnoreSize, [this] {
        // Without a texture to reload, the new renderer still needs its anchor.
        applyDirection(false);
        const std::string file = m_textureFile;
        loadTexture(file.c_str(), m_textureKind);
    });
}

void UILoadingBar::setCapInsets(const CCRect& capInsets)
{
    m_capInsets = capInsets;
    textureload::applyCapInsets(m_barRenderer, m_scale9, capInsets);
}

void UILoadingBar::setIgnoreSize(bool ignore)
{
    if (m_scale9 && ignore) return;
    UIWidget::setIgnoreSize(ignore);
    m_prevIgnoreSize = ignore;
}

void UILoadingBar::setDirection(LoadingBarDirection direction)
{
    if (direction == m_direction) return;
    m_direction = direction;
    applyDirection(true);
}

void UILoadingBar::applyDirection(bool placeToo)
{
    bool mirrored;
    CCPoint anchor, place;
    switch (m_direction) {
    case LoadingBarTypeLeft:
        anchor = kLeftAnchor;
        place = CCPoint(-m_totalLength * 0.5f, 0);
        mirrored = false;
        break;
    case LoadingBarTypeRight:
        anchor = kRightAnchor;
        place = CCPoint(m_totalLength * 0.5f, 0);
        mirrored = true;
        break;
    default: return;
    }
    m_barRenderer->setAnchorPoint(anchor);
    if (placeToo) m_barRenderer->setPosition(place);
    // The mirror is what makes the crop shrink towards the right edge; a
    // nine-slice bar is never mirrored.
    if (!m_scale9) static_cast<CCSprite*>(m_barRenderer)->setFlipX(mirrored);
}

void UILoadingBar::setPercent(int percent)
{
    if (percent < kMinPercent || percent > kMaxPercent || m_totalLength <= 0) return;
    m_percent = percent;
    const float fraction = percent / 100.0f;
    if (m_scale9) {
        if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_barRenderer))
            nine->setPreferredSize(CCSize(fraction * m_totalLength, m_barTextureSize.height));
        return;
    }
    CCSprite* sprite = static_cast<CCSprite*>(m_barRenderer);
    // A sprite frame sits somewhere in its sheet: keep its corner, crop the width.
    CCPoint origin;
    if (m_textureKind == UI_TEX_TYPE_PLIST) {
        const CCRect& rect = sprite->getTextureRect();
        origin = CCPoint(std::trunc(rect.origin.x), std::trunc(rect.origin.y));
    }
    sprite->setTextureRect(
        CCRect(origin.x, origin.y, m_barTextureSize.width * fraction, m_barTextureSize.height));
}

const CCSize& UILoadingBar::getContentSize() { return m_barTextureSize; }

CCNode* UILoadingBar::getRenderNode() { return m_barRenderer; }

void UILoadingBar::onSizeChanged() { fitBar(); }

void UILoadingBar::fitBar()
{
    if (!m_bIgnoreSize) {
        m_totalLength = m_size.width;
        if (m_scale9) {
            if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_barRenderer))
                nine->setPreferredSize(CCSize(m_percent / 100.0f * m_totalLength, m_barTextureSize.height));
        } else if (!textureload::scaleToSize(m_barRenderer, m_barTextureSize, m_size)) {
            // Measured against the whole texture, not the cropped part, so a bar
            // at 0 percent still stretches; without a texture it keeps scale 1.0.
            return;
        }
    } else if (!m_scale9) {
        m_totalLength = m_barTextureSize.width;
        m_barRenderer->setScale(1.0f);
        m_size = m_barTextureSize;
    }
    switch (m_direction) {
    case LoadingBarTypeLeft: m_barRenderer->setPosition(CCPoint(m_totalLength * -0.5f, 0)); break;
    case LoadingBarTypeRight: m_barRenderer->setPosition(CCPoint(m_totalLength * 0.5f, 0)); break;
    default: break;
    }
}

} // namespace cc
