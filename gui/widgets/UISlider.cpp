// The slider: its bars and ball, the switch between plain and nine-slice
// bars, fitting, the percent with its crop of the progress bar, and touches.
#include "gui/widgets/UISlider.h"

#include "gui/GUIRenderer.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/TextureLoad.h"
#include "render/CCSprite.h"

#include <algorithm>
#include <cmath>

namespace cc {

namespace {
// Both bars lie under the ball node (z-order 0).
const int kBarZOrder = -1;
const CCPoint kProgressAnchor(0.0f, 0.5f);
const int kMinPercent = 0, kMaxPercent = 100;
} // namespace

UISlider* UISlider::create()
{
    UISlider* slider = new UISlider();
    return autoreleasedOrNull(slider, slider->init());
}

UISlider::UISlider() {}

UISlider::~UISlider() {}

const char* UISlider::getTypeName() { return "Slider"; }

void UISlider::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    m_barRenderer = textureload::createRenderer(false);
    m_progressBarRenderer = textureload::createRenderer(false);
    m_progressBarRenderer->setAnchorPoint(kProgressAnchor);
    m_pRenderNode->addChild(m_barRenderer, kBarZOrder);
    m_pRenderNode->addChild(m_progressBarRenderer, kBarZOrder);
    m_ballNormal = CCSprite::create();
    m_ballPressed = CCSprite::create();
    m_ballDisabled = CCSprite::create();
    m_ballPressed->setVisible(false);
    m_ballDisabled->setVisible(false);
    m_slideBall = CCNode::create();
    m_slideBall->addChild(m_ballNormal);
    m_slideBall->addChild(m_ballPressed);
    m_slideBall->addChild(m_ballDisabled);
    m_pRenderNode->addChild(m_slideBall);
}

// ---- Textures ------------------------------------------------------------------

void UISlider::loadBarTexture(const char* name, TextureResType kind)
{
    if (!name || !*name) return;
    // A copy first: the reload after a mode switch passes our own field in.
    const std::string file = name;
    m_barFile = file;
    m_barKind = kind;
    textureload::loadTinted(this, m_barRenderer, m_scale9, file.c_str(), kind);
    fitBar();
}

void UISlider::loadProgressBarTexture(const char* name, TextureResType kind)
{
    if (!name || !*name) return;
    const std::string file = name;
    m_progressBarFile = file;
    m_progressBarKind = kind;
    textureload::loadTinted(this, m_progressBarRenderer, m_scale9, file.c_str(), kind);
    m_progressBarRenderer->setAnchorPoint(kProgressAnchor);
    m_progressBarTextureSize = m_progressBarRenderer->getContentSize();
    fitProgressBar();
}

void UISlider::loadBallTextures(const char* normal, const char* pressed, const char* disabled, TextureResType kind)
{
    loadBallNormalTexture(normal, kind);
    loadBallPressedTexture(pressed, kind);
    loadBallDisabledTexture(disabled, kind);
}

void UISlider::loadBallNormalTexture(const char* name, TextureResType kind)
{
    loadBall(m_ballNormal, m_ballNormalFile, m_ballNormalKind, name, kind);
}

void UISlider::loadBallPressedTexture(const char* name, TextureResType kind)
{
    loadBall(m_ballPressed, m_ballPressedFile, m_ballPressedKind, name, kind);
}

void UISlider::loadBallDisabledTexture(const char* name, TextureResType kind)
{
    loadBall(m_ballDisabled, m_ballDisabledFile, m_ballDisabledKind, name, kind);
}

// The balls keep their own size whatever the widget's size.
void UISlider::loadBall(CCSprite* ball, std::string& file, TextureResType& kindField, const char* name,
                        TextureResType kind)
{
    if (!name || !*name) return;
    file = name;
    kindField = kind;
    textureload::loadTinted(this, ball, false, file.c_str(), kind);
}

void UISlider::setScale9Enabled(bool enabled)
{
    if (enabled == m_scale9) return;
    m_scale9 = enabled;
    const textureload::RendererSlot slots[] = {{&m_barRenderer, kBarZOrder, &m_barCapInsets},
                                               {&m_progressBarRenderer, kBarZOrder, &m_progressBarCapInsets}};
    textureload::switchScale9(this, enabled, slots, 2, m_prevIgnoreSize, [this] {
        m_progressBarRenderer->setAnchorPoint(kProgressAnchor);
        const std::string bar = m_barFile, progress = m_progressBarFile;
        loadBarTexture(bar.c_str(), m_barKind);
        loadProgressBarTexture(progress.c_str(), m_progressBarKind);
    });
}

void UISlider::setCapInsets(const CCRect& capInsets)
{
    setCapInsetsBarRenderer(capInsets);
    setCapInsetProgressBarRenderer(capInsets);
}

void UISlider::setCapInsetsBarRenderer(const CCRect& capInsets)
{
    m_barCapInsets = capInsets;
    textureload::applyCapInsets(m_barRenderer, m_scale9, capInsets);
}

void UISlider::setCapInsetProgressBarRenderer(const CCRect& capInsets)
{
    m_progressBarCapInsets = capInsets;
    textureload::applyCapInsets(m_progressBarRenderer, m_scale9, capInsets);
}

void UISlider::setIgnoreSize(bool ignore)
{
    if (m_scale9 && ignore) return;
    UIWidget::setIgnoreSize(ignore);
    m_prevIgnoreSize = ignore;
}

// ---- Percent ---------------------------------------------------------------------

void UISlider::setPercent(int percent)
{
    m_percent = std::min(std::max(percent, kMinPercent), kMaxPercent);
    const float fraction = m_percent / 100.0f;
    m_slideBall->setPosition(CCPoint(m_barLength * fraction - m_barLength * 0.5f, 0));
    if (m_scale9) {
        if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_progressBarRenderer))
            nine->setPreferredSize(CCSize(m_barLength * fraction, m_progressBarTextureSize.height));
        return;
    }
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_progressBarRenderer);
    if (!sprite) return;
    // A sprite frame sits somewhere in its sheet: keep its corner, crop the width.
    CCPoint origin;
    if (m_progressBarKind == UI_TEX_TYPE_PLIST) {
        const CCRect& rect = sprite->getTextureRect();
        origin = CCPoint(std::trunc(rect.origin.x), std::trunc(rect.origin.y));
    }
    sprite->setTextureRect(CCRect(origin.x, origin.y, m_progressBarTextureSize.width * fraction,
                                  m_progressBarTextureSize.height));
}

int UISlider::percentAt(float x) const
{
    if (m_barLength <= 0) return m_percent;
    return static_cast<int>(((x + m_barLength * 0.5f) / m_barLength) * 100.0f);
}

void UISlider::setSliderListener(CCObject* target, SliderEventSelector selector)
{
    m_sliderTarget = target;
    m_sliderSelector = selector;
}

void UISlider::setPercentListener(CCObject* target, SEL_CallFuncO selector)
{
    m_percentTarget = target;
    m_percentSelector = selector;
}

void UISlider::percentChangedEvent()
{
    if (m_percentTarget && m_percentSelector) (m_percentTarget->*m_percentSelector)(this);
    if (m_sliderTarget && m_sliderSelector) (m_sliderTarget->*m_sliderSelector)(this, SLIDER_PERCENTCHANGED);
}

// ---- Touches ---------------------------------------------------------------------

void UISlider::onTouchBegan(const CCPoint& p)
{
    UIWidget::onTouchBegan(p);
    const CCPoint local = m_pRenderNode->convertToNodeSpace(p);
    setPercent(percentAt(local.x));
    percentChangedEvent();
}

void UISlider::onTouchMoved(const CCPoint& p)
{
    const CCPoint local = m_pRenderNode->convertToNodeSpace(p);
    // The ball goes under the finger first; setPercent then pulls it back onto the bar.
    m_slideBall->setPosition(CCPoint(local.x, 0));
    setPercent(percentAt(local.x));
    percentChangedEvent();
}

void UISlider::onTouchEnded(const CCPoint& p) { UIWidget::onTouchEnded(p); }

// ---- Fitting ------------------------------------------------------------------------

CCNode* UISlider::getRenderNode() { return m_barRenderer; }

const CCSize& UISlider::getContentSize() { return m_barRenderer->getContentSize(); }

void UISlider::onSizeChanged()
{
    fitBar();
    fitProgressBar();
}

void UISlider::fitBar()
{
    if (m_bIgnoreSize) {
        m_barRenderer->setScale(1.0f);
        m_size = m_barRenderer->getContentSize();
        m_barLength = m_size.width;
    } else {
        m_barLength = m_size.width;
        // A plain bar without a picture has nothing to stretch or to measure.
        if (!textureload::fit(m_barRenderer, m_scale9, false, m_barRenderer->getContentSize(), m_size)) return;
    }
    setPercent(m_percent);
}

void UISlider::fitProgressBar()
{
    if (m_bIgnoreSize) {
        // Follows the bar's size; a picture without area keeps scale 1.0.
        if (!m_scale9) textureload::scaleToSize(m_progressBarRenderer, m_progressBarTextureSize, m_size);
    } else if (!textureload::fit(m_progressBarRenderer, m_scale9, false, m_progressBarTextureSize, m_size)) {
        return;
    }
    m_progressBarRenderer->setPosition(CCPoint(-m_barLength * 0.5f, 0));
    setPercent(m_percent);
}

// ---- Looks ---------------------------------------------------------------------------

void UISlider::onNormalState()
{
    m_ballNormal->setVisible(true);
    m_ballPressed->setVisible(false);
    m_ballDisabled->setVisible(false);
}

void UISlider::onPressedState()
{
    m_ballNormal->setVisible(false);
    m_ballPressed->setVisible(true);
    m_ballDisabled->setVisible(false);
}

void UISlider::onDisabledState()
{
    m_ballNormal->setVisible(false);
    m_ballPressed->setVisible(false);
    m_ballDisabled->setVisible(true);
}

} // namespace cc
