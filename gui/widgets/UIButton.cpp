// The button: loading and fitting its three textures, switching between
// plain and nine-slice renderers, the title, and the look hooks.
#include "gui/widgets/UIButton.h"

#include "actions/CCActions.h"
#include "gui/GUIRenderer.h"
#include "gui/widgets/TextureLoad.h"
#include "render/CCSprite.h"
#include "text/CCLabelTTF.h"

namespace cc {

namespace {
// Textures sit under the title.
const int kTextureZOrder = 0, kTitleZOrder = 1;
// The pressed zoom: a quick grow while held, back on release.
const float kZoomDuration = 0.05f;
const float kPressedZoomScale = 1.1f, kNormalZoomScale = 1.0f;
} // namespace

UIButton* UIButton::create()
{
    UIButton* button = new UIButton();
    return autoreleasedOrNull(button, button->init());
}

UIButton::UIButton() {}

UIButton::~UIButton() {}

const char* UIButton::getTypeName() { return "Button"; }

void UIButton::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    for (StateTexture& state : m_states) {
        state.renderer = textureload::createRenderer(false);
        m_pRenderNode->addChild(state.renderer, kTextureZOrder);
    }
    m_titleRenderer = CCLabelTTF::create();
    m_pRenderNode->addChild(m_titleRenderer, kTitleZOrder);
}

// ---- Textures ------------------------------------------------------------------

void UIButton::loadTextures(const char* normal, const char* pressed, const char* disabled, TextureResType kind)
{
    loadNormalTexture(normal, kind);
    loadPressedTexture(pressed, kind);
    loadDisabledTexture(disabled, kind);
}

void UIButton::loadNormalTexture(const char* name, TextureResType kind) { loadStateTexture(kNormal, name, kind); }
void UIButton::loadPressedTexture(const char* name, TextureResType kind) { loadStateTexture(kPressed, name, kind); }
void UIButton::loadDisabledTexture(const char* name, TextureResType kind)
{
    loadStateTexture(kDisabled, name, kind);
}

void UIButton::loadStateTexture(State which, const char* name, TextureResType kind)
{
    if (!name || !*name) return;
    StateTexture& state = m_states[which];
    state.fileName = name;
    state.kind = kind;
    textureload::loadInto(state.renderer, m_scale9, name, kind);
    textureload::applyColour(state.renderer, getColor(), getOpacity());
    state.textureSize = state.renderer->getContentSize();
    setAnchorPoint(m_anchorPoint);
    fitState(which);
}

void UIButton::fitState(State which)
{
    StateTexture& state = m_states[which];
    textureload::fit(state.renderer, m_scale9, m_bIgnoreSize, state.textureSize, m_size);
    // Only the normal texture sizes a plain button that follows its content.
    if (which == kNormal && m_bIgnoreSize && !m_scale9) m_size = state.textureSize;
}

void UIButton::setCapInsets(const CCRect& capInsets)
{
    for (StateTexture& state : m_states) {
        state.capInsets = capInsets;
        textureload::applyCapInsets(state.renderer, m_scale9, capInsets);
    }
}

void UIButton::setScale9Enabled(bool enabled)
{
    if (enabled == m_scale9) return;
    m_lookStyle = LOOK_STYLE_NONE;
    m_scale9 = enabled;

    textureload::RendererSlot slots[kStateCount];
    for (int i = 0; i < kStateCount; ++i) slots[i] = {&m_states[i].renderer, kTextureZOrder, &m_states[i].capInsets};
    textureload::switchScale9(this, enabled, slots, kStateCount, m_prevIgnoreSize, [this] {
        for (int i = 0; i < kStateCount; ++i) {
            // A copy: loading stores the name again into the same field.
            const std::string name = m_states[i].fileName;
            loadStateTexture(static_cast<State>(i), name.c_str(), m_states[i].kind);
        }
    });

    if (!m_bLookActive) {
        onDisabledState();
    } else {
        m_lookStyle = LOOK_STYLE_NORMAL;
        onNormalState();
    }
}

// ---- Size, anchor, flips, colour ----------------------------------------------

void UIButton::setIgnoreSize(bool ignore)
{
    if (m_scale9 && ignore) return;
    UIWidget::setIgnoreSize(ignore);
    m_prevIgnoreSize = ignore;
}

const CCSize& UIButton::getContentSize() { return m_states[kNormal].textureSize; }

void UIButton::onSizeChanged()
{
    fitState(kNormal);
    fitState(kPressed);
    fitState(kDisabled);
}

void UIButton::setAnchorPoint(const CCPoint& anchor)
{
    UIWidget::setAnchorPoint(anchor);
    for (StateTexture& state : m_states) state.renderer->setAnchorPoint(anchor);
    // The title stays at the button's centre whatever the anchor.
    m_titleRenderer->setPosition(CCPoint((0.5f - anchor.x) * m_size.width, (0.5f - anchor.y) * m_size.height));
}

void UIButton::setFlipX(bool flipX)
{
    m_titleRenderer->setFlipX(flipX);
    if (m_scale9) return;
    for (StateTexture& state : m_states) static_cast<CCSprite*>(state.renderer)->setFlipX(flipX);
}

void UIButton::setFlipY(bool flipY)
{
    m_titleRenderer->setFlipY(flipY);
    if (m_scale9) return;
    for (StateTexture& state : m_states) static_cast<CCSprite*>(state.renderer)->setFlipY(flipY);
}

bool UIButton::isFlipX()
{
    if (m_scale9) return false;
    return static_cast<CCSprite*>(m_states[kNormal].renderer)->isFlipX();
}

bool UIButton::isFlipY()
{
    if (m_scale9) return false;
    return static_cast<CCSprite*>(m_states[kNormal].renderer)->isFlipY();
}

void UIButton::setColor(const ccColor3B& color)
{
    UIWidget::setColor(color);
    m_titleRenderer->setColor(m_titleColor);
}

CCNode* UIButton::getRenderNode()
{
    if (!m_bLookActive) return m_states[kDisabled].renderer;
    if (m_lookStyle == LOOK_STYLE_NORMAL) return m_states[kNormal].renderer;
    if (m_lookStyle == LOOK_STYLE_HIGHLIGHT) return m_states[kPressed].renderer;
    return nullptr;
}

// ---- Looks ------------------------------------------------------------------------

void UIButton::showOnly(State which)
{
    for (int i = 0; i < kStateCount; ++i) m_states[i].renderer->setVisible(i == which);
}

void UIButton::zoomTextures(float scale)
{
    for (StateTexture& state : m_states) {
        state.renderer->stopAllActions();
        state.renderer->runAction(CCScaleTo::create(kZoomDuration, scale));
    }
}

void UIButton::onNormalState()
{
    showOnly(kNormal);
    if (m_pressedZoom) zoomTextures(kNormalZoomScale);
}

void UIButton::onPressedState()
{
    showOnly(kPressed);
    if (m_pressedZoom) zoomTextures(kPressedZoomScale);
}

void UIButton::onDisabledState() { showOnly(kDisabled); }

// ---- Title ------------------------------------------------------------------------

void UIButton::setTitleText(const char* text) { m_titleRenderer->setString(text ? text : ""); }
const char* UIButton::getTitleText() const { return m_titleRenderer->getString(); }

void UIButton::setTitleColor(const ccColor3B& color)
{
    m_titleColor = color;
    m_titleRenderer->setColor(color);
}

void UIButton::setTitleFontSize(float size) { m_titleRenderer->setFontSize(size); }
float UIButton::getTitleFontSize() const { return m_titleRenderer->getFontSize(); }
void UIButton::setTitleFontName(const char* name) { m_titleRenderer->setFontName(name ? name : ""); }
const char* UIButton::getTitleFontName() const { return m_titleRenderer->getFontName(); }

} // namespace cc
