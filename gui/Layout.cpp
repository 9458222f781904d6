// Container widget: clipping switch, colour / gradient layers and the
// background image. The nine-slice sprite itself lives in gui/widgets.
#include "gui/Layout.h"

#include "base/CCLog.h"
#include "gui/RectClippingNode.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "render/CCSprite.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"
#include "scene/CCScheduler.h"

namespace cc {

namespace {
// Backgrounds sit below every child widget (whose z-orders start at 0).
const int kBackGroundImageZ = -1;
const int kColorLayerZ = -2;

GLubyte clampOpacity(int value) { return static_cast<GLubyte>(value < 0 ? 0 : (value > 255 ? 255 : value)); }
} // namespace

Layout::Layout() { m_widgetType = WidgetTypeContainer; }

Layout* Layout::create()
{
    Layout* layout = new Layout();
    return autoreleasedOrNull(layout, layout->init());
}

Layout::~Layout()
{
    // Background nodes are children of the render node and go with it.
    m_pBackGroundImage = nullptr;
    m_pColorLayer = nullptr;
    m_pGradientLayer = nullptr;
}

void Layout::createRenderNode() { m_pRenderNode.reset(RectClippingNode::create()); }

bool Layout::init()
{
    m_children.reset(CCArray::create());
    createRenderNode();
    if (!m_pRenderNode) {
        CCLog("Layout::init: no clipping node");
        return false;
    }
    m_pRenderNode->setZOrder(m_nZOrder);
    // Containers do not pass their tint on to their children.
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get())) {
        rgba->setCascadeColorEnabled(false);
        rgba->setCascadeOpacityEnabled(false);
    }
    m_bLookActive = true;
    m_lookStyle = LOOK_STYLE_NORMAL;
    onNormalState();
    setIgnoreSize(false);
    m_pScheduler.reset(CCDirector::sharedDirector()->getScheduler());
    setSize(CCSize(0, 0));
    setAnchorPoint(CCPoint(0, 0));
    return true;
}

const char* Layout::getTypeName() { return "Layout"; }

const CCSize& Layout::getContentSize() { return m_pRenderNode->getContentSize(); }

bool Layout::hitTest(const CCPoint& worldPoint)
{
    const CCPoint p = m_pRenderNode->convertToNodeSpace(worldPoint);
    return p.x >= 0 && p.x <= m_size.width && p.y >= 0 && p.y <= m_size.height;
}

void Layout::setColor(const ccColor3B& color)
{
    UIWidget::setColor(color);
    if (CCRGBAProtocol* image = dynamic_cast<CCRGBAProtocol*>(m_pBackGroundImage)) image->setColor(color);
}

void Layout::setOpacity(GLubyte opacity)
{
    UIWidget::setOpacity(opacity);
    if (CCRGBAProtocol* image = dynamic_cast<CCRGBAProtocol*>(m_pBackGroundImage)) image->setOpacity(opacity);
}

void Layout::onSizeChanged()
{
    static_cast<RectClippingNode*>(m_pRenderNode.get())->setClippingSize(m_size);
    doLayout();
    if (m_pBackGroundImage) {
        m_pBackGroundImage->setPosition(CCPoint(m_size.width / 2, m_size.height / 2));
        if (m_bBackGroundScale9Enabled) static_cast<CCScale9Sprite*>(m_pBackGroundImage)->setPreferredSize(m_size);
    }
    if (m_pColorLayer) m_pColorLayer->setContentSize(m_size);
    if (m_pGradientLayer) m_pGradientLayer->setContentSize(m_size);
}

// ---- appended operations ------------------------------------------------------------

void Layout::setClippingEnabled(bool enabled)
{
    m_bClippingEnabled = enabled;
    static_cast<RectClippingNode*>(m_pRenderNode.get())->setClippingEnabled(enabled);
}
bool Layout::isClippingEnabled() { return m_bClippingEnabled; }
void Layout::setLayoutType(int type) { m_nLayoutType = type; }
int Layout::getLayoutType() { return m_nLayoutType; }
void Layout::doLayout() {}
void Layout::setClippingEnable(bool enabled) { setClippingEnabled(enabled); }

// ---- background image -----------------------------------------------------------------

void Layout::addBackGroundImageNode()
{
    if (m_bBackGroundScale9Enabled) m_pBackGroundImage = CCScale9Sprite::create();
    else m_pBackGroundImage = CCSprite::create();
    if (!m_pBackGroundImage) {
        CCLog("Layout: cannot create a background image node");
        return;
    }
    m_pRenderNode->addChild(m_pBackGroundImage, kBackGroundImageZ);
}

void Layout::setBackGroundImageScale9Enabled(bool enabled)
{
    if (enabled == m_bBackGroundScale9Enabled) return;
    if (m_pBackGroundImage) {
        m_pRenderNode->removeChild(m_pBackGroundImage, true);
        m_pBackGroundImage = nullptr;
    }
    m_bBackGroundScale9Enabled = enabled;
    addBackGroundImageNode();
    setBackGroundImage(m_strBackGroundImageFileName.c_str(), m_eBGImageTexType);
    if (enabled) setBackGroundImageCapInsets(m_backGroundImageCapInsets);
}

void Layout::setBackGroundImage(const char* fileName, TextureResType texType)
{
    if (!fileName || !*fileName) return;
    if (!m_pBackGroundImage) {
        addBackGroundImageNode();
        if (!m_pBackGroundImage) return;
        m_pBackGroundImage->setPosition(CCPoint(m_size.width / 2, m_size.height / 2));
    }
    m_strBackGroundImageFileName = fileName;
    m_eBGImageTexType = texType;
    bool loaded = false;
    if (m_bBackGroundScale9Enabled) {
        CCScale9Sprite* nine = static_cast<CCScale9Sprite*>(m_pBackGroundImage);
        loaded = texType == UI_TEX_TYPE_PLIST ? nine->initWithSpriteFrameName(fileName) : nine->initWithFile(fileName);
        nine->setPreferredSize(m_size);
    } else {
        CCSprite* sprite = static_cast<CCSprite*>(m_pBackGroundImage);
        loaded = texType == UI_TEX_TYPE_PLIST ? sprite->initWithSpriteFrameName(fileName) : sprite->initWithFile(fileName);
    }
    if (!loaded) CCLog("Layout: cannot load background image %s", fileName);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pBackGroundImage)) {
        rgba->setColor(getColor());
        rgba->setOpacity(getOpacity());
    }
    m_backGroundImageTextureSize = m_pBackGroundImage->getContentSize();
    m_pBackGroundImage->setPosition(CCPoint(m_size.width / 2, m_size.height / 2));
}

void Layout::setBackGroundImageCapInsets(const CCRect& capInsets)
{
    m_backGroundImageCapInsets = capInsets;
    if (m_bBackGroundScale9Enabled && m_pBackGroundImage)
        static_cast<CCScale9Sprite*>(m_pBackGroundImage)->setCapInsets(capInsets);
}

// ---- colour and gradient backgrounds -------------------------------------------------------

void Layout::removeColorLayers(int oldType)
{
    const bool dropColor = oldType == LAYOUT_COLOR_NONE || oldType == LAYOUT_COLOR_SOLID;
    const bool dropGradient = oldType == LAYOUT_COLOR_NONE || oldType == LAYOUT_COLOR_GRADIENT;
    if (dropColor && m_pColorLayer) {
        m_pRenderNode->removeChild(m_pColorLayer, true);
        m_pColorLayer = nullptr;
    }
    if (dropGradient && m_pGradientLayer) {
        m_pRenderNode->removeChild(m_pGradientLayer, true);
        m_pGradientLayer = nullptr;
    }
}

void Layout::setBackGroundColorType(int type)
{
    if (type == m_colorType) return;
    removeColorLayers(m_colorType);
    m_colorType = type;
    if (type == LAYOUT_COLOR_SOLID) {
        m_pColorLayer = CCLayerColor::create();
        if (!m_pColorLayer) return;
        m_pColorLayer->setContentSize(m_size);
        m_pColorLayer->setOpacity(clampOpacity(m_nCOpacity));
        m_pColorLayer->setColor(m_cColor);
        m_pRenderNode->addChild(m_pColorLayer, kColorLayerZ);
    } else if (type == LAYOUT_COLOR_GRADIENT) {
        m_pGradientLayer = CCLayerGradient::create();
        if (!m_pGradientLayer) return;
        m_pGradientLayer->setContentSize(m_size);
        m_pGradientLayer->setOpacity(clampOpacity(m_nCOpacity));
        m_pGradientLayer->setStartColor(m_gStartColor);
        m_pGradientLayer->setEndColor(m_gEndColor);
        m_pGradientLayer->setVector(m_alongVector);
        m_pRenderNode->addChild(m_pGradientLayer, kColorLayerZ);
    }
}

void Layout::setBackGroundColor(const ccColor3B& color)
{
    m_cColor = color;
    if (m_pColorLayer) m_pColorLayer->setColor(color);
}

void Layout::setBackGroundColor(const ccColor3B& startColor, const ccColor3B& endColor)
{
    m_gStartColor = startColor;
    m_gEndColor = endColor;
    if (m_pGradientLayer) {
        m_pGradientLayer->setStartColor(startColor);
        m_pGradientLayer->setEndColor(endColor);
    }
}

void Layout::setBackGroundColorOpacity(int opacity)
{
    m_nCOpacity = opacity;
    if (m_colorType == LAYOUT_COLOR_SOLID && m_pColorLayer) m_pColorLayer->setOpacity(clampOpacity(opacity));
    else if (m_colorType == LAYOUT_COLOR_GRADIENT && m_pGradientLayer)
        m_pGradientLayer->setOpacity(clampOpacity(opacity));
}

void Layout::setBackGroundColorVector(const CCPoint& vector)
{
    m_alongVector = vector;
    if (m_pGradientLayer) m_pGradientLayer->setVector(vector);
}

} // namespace cc
