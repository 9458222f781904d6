// Layers: touch registration that follows the stage, and the colour and
// gradient layers' colour state (their drawing lives with the renderer).
#include "scene/CCLayer.h"

#include "scene/CCDirector.h"
#include "scene/CCTouchDispatcher.h"

#include <algorithm>
#include <cmath>

namespace cc {

CCLayer::CCLayer()
{
    m_bIgnoreAnchorPointForPosition = true;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCLayer::~CCLayer() { unregisterFromTouchDispatcher(); }

bool CCLayer::init()
{
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

void CCLayer::registerWithTouchDispatcher()
{
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (m_eTouchMode == kCCTouchesAllAtOnce) {
        dispatcher->addStandardDelegate(this, 0);
    } else {
        dispatcher->addTargetedDelegate(this, m_nTouchPriority, true);
    }
    m_bRegistered = true;
}

void CCLayer::unregisterFromTouchDispatcher()
{
    if (m_bRegistered) {
        CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
        m_bRegistered = false;
    }
}

void CCLayer::setTouchEnabled(bool enabled)
{
    if (m_bTouchEnabled == enabled) {
        return;
    }
    m_bTouchEnabled = enabled;
    if (m_bRunning) {
        if (enabled) {
            registerWithTouchDispatcher();
        } else {
            unregisterFromTouchDispatcher();
        }
    }
}

void CCLayer::setTouchMode(ccTouchesMode mode)
{
    if (m_eTouchMode != mode) {
        m_eTouchMode = mode;
        if (m_bTouchEnabled && m_bRunning) {
            unregisterFromTouchDispatcher();
            registerWithTouchDispatcher();
        }
    }
}

void CCLayer::setTouchPriority(int priority)
{
    if (m_nTouchPriority != priority) {
        m_nTouchPriority = priority;
        if (m_bTouchEnabled && m_bRunning) {
            unregisterFromTouchDispatcher();
            registerWithTouchDispatcher();
        }
    }
}

void CCLayer::onEnter()
{
    if (m_bTouchEnabled) {
        registerWithTouchDispatcher();
    }
    CCNode::onEnter();
}

void CCLayer::onExit()
{
    unregisterFromTouchDispatcher();
    CCNode::onExit();
}

void CCLayer::onEnterTransitionDidFinish() { CCNode::onEnterTransitionDidFinish(); }

// ---- CCLayerColor -------------------------------------------------------------

CCLayerColor* CCLayerColor::create()
{
    CCLayerColor* l = new CCLayerColor();
    return autoreleasedOrNull(l, l->init());
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color)
{
    CCLayerColor* l = new CCLayerColor();
    return autoreleasedOrNull(l, l->initWithColor(color));
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color, float width, float height)
{
    CCLayerColor* l = new CCLayerColor();
    return autoreleasedOrNull(l, l->initWithColor(color, width, height));
}

bool CCLayerColor::init()
{
    const CCSize s = CCDirector::sharedDirector()->getWinSize();
    return initWithColor(ccc4(0, 0, 0, 0), s.width, s.height);
}

bool CCLayerColor::initWithColor(const ccColor4B& color)
{
    const CCSize s = CCDirector::sharedDirector()->getWinSize();
    return initWithColor(color, s.width, s.height);
}

bool CCLayerColor::initWithColor(const ccColor4B& color, float width, float height)
{
    if (!CCLayer::init()) {
        return false;
    }
    m_tDisplayedColor = m_tRealColor = ccc3(color.r, color.g, color.b);
    m_cDisplayedOpacity = m_cRealOpacity = color.a;
    setContentSize(CCSize(width, height));
    updateColor();
    return true;
}

void CCLayerColor::changeWidth(float w) { setContentSize(CCSize(w, m_obContentSize.height)); }
void CCLayerColor::changeHeight(float h) { setContentSize(CCSize(m_obContentSize.width, h)); }
void CCLayerColor::changeWidthAndHeight(float w, float h) { setContentSize(CCSize(w, h)); }

void CCLayerColor::setContentSize(const CCSize& size) { CCLayer::setContentSize(size); }

void CCLayerColor::setColor(const ccColor3B& color)
{
    m_tRealColor = color;
    updateDisplayedColor(parentDisplayedColor(m_pParent));
}

void CCLayerColor::setOpacity(GLubyte opacity)
{
    m_cRealOpacity = opacity;
    updateDisplayedOpacity(parentDisplayedOpacity(m_pParent));
}

void CCLayerColor::updateDisplayedColor(const ccColor3B& parentColor)
{
    m_tDisplayedColor.r = static_cast<GLubyte>(m_tRealColor.r * parentColor.r / 255);
    m_tDisplayedColor.g = static_cast<GLubyte>(m_tRealColor.g * parentColor.g / 255);
    m_tDisplayedColor.b = static_cast<GLubyte>(m_tRealColor.b * parentColor.b / 255);
    updateColor();
    if (m_bCascadeColorEnabled) {
        cascadeColorToChildren(this, m_tDisplayedColor);
    }
}

void CCLayerColor::updateDisplayedOpacity(GLubyte parentOpacity)
{
    m_cDisplayedOpacity = static_cast<GLubyte>(m_cRealOpacity * parentOpacity / 255);
    updateColor();
    if (m_bCascadeOpacityEnabled) {
        cascadeOpacityToChildren(this, m_cDisplayedOpacity);
    }
}

void CCLayerColor::updateColor()
{
    markForRedraw();
    const ccColor4F c = ccc4f(m_tDisplayedColor.r / 255.0f, m_tDisplayedColor.g / 255.0f,
                              m_tDisplayedColor.b / 255.0f, m_cDisplayedOpacity / 255.0f);
    for (ccColor4F& corner : m_pSquareColors) {
        corner = c;
    }
}

// ---- CCLayerGradient ------------------------------------------------------------

CCLayerGradient* CCLayerGradient::create()
{
    CCLayerGradient* l = new CCLayerGradient();
    return autoreleasedOrNull(l, l->init());
}

CCLayerGradient* CCLayerGradient::create(const ccColor4B& start, const ccColor4B& end)
{
    return create(start, end, CCPoint(0, -1));
}

CCLayerGradient* CCLayerGradient::create(const ccColor4B& start, const ccColor4B& end, const CCPoint& v)
{
    CCLayerGradient* l = new CCLayerGradient();
    return autoreleasedOrNull(l, l->initWithColor(start, end, v));
}

bool CCLayerGradient::init() { return initWithColor(ccc4(0, 0, 0, 255), ccc4(0, 0, 0, 255)); }

bool CCLayerGradient::initWithColor(const ccColor4B& start, const ccColor4B& end)
{
    return initWithColor(start, end, CCPoint(0, -1));
}

bool CCLayerGradient::initWithColor(const ccColor4B& start, const ccColor4B& end, const CCPoint& v)
{
    m_endColor = ccc3(end.r, end.g, end.b);
    m_cStartOpacity = start.a;
    m_cEndOpacity = end.a;
    m_AlongVector = v;
    m_bCompressedInterpolation = true;
    return CCLayerColor::initWithColor(ccc4(start.r, start.g, start.b, 255));
}

void CCLayerGradient::setStartColor(const ccColor3B& color) { CCLayerColor::setColor(color); }
void CCLayerGradient::setEndColor(const ccColor3B& color) { m_endColor = color; updateColor(); }
void CCLayerGradient::setStartOpacity(GLubyte o) { m_cStartOpacity = o; updateColor(); }
void CCLayerGradient::setEndOpacity(GLubyte o) { m_cEndOpacity = o; updateColor(); }
void CCLayerGradient::setVector(const CCPoint& v) { m_AlongVector = v; updateColor(); }
void CCLayerGradient::setCompressedInterpolation(bool c) { m_bCompressedInterpolation = c; updateColor(); }

void CCLayerGradient::updateColor()
{
    markForRedraw();
    // Corner weights come from projecting each corner (-1..1 square) onto the
    // unit vector; compressed interpolation stretches a diagonal vector so
    // the full colour range is still reached at the corners.
    float h = m_AlongVector.getLength();
    if (h == 0.0f) {
        return;
    }
    const float c = std::sqrt(2.0f);
    CCPoint u(m_AlongVector.x / h, m_AlongVector.y / h);
    if (m_bCompressedInterpolation) {
        const float h2 = 1.0f / (std::fabs(u.x) + std::fabs(u.y));
        u = u * (h2 * c);
    }
    const float opacityf = m_cDisplayedOpacity / 255.0f;
    const ccColor4F S = ccc4f(m_tDisplayedColor.r / 255.0f, m_tDisplayedColor.g / 255.0f,
                              m_tDisplayedColor.b / 255.0f, m_cStartOpacity * opacityf / 255.0f);
    const ccColor4F E = ccc4f(m_endColor.r / 255.0f, m_endColor.g / 255.0f, m_endColor.b / 255.0f,
                              m_cEndOpacity * opacityf / 255.0f);
    auto mix = [&](float t) {
        // t = 0 gives the end colour, t = 1 the start colour.
        t = std::min(1.0f, std::max(0.0f, t));
        return ccc4f(E.r + (S.r - E.r) * t, E.g + (S.g - E.g) * t, E.b + (S.b - E.b) * t, E.a + (S.a - E.a) * t);
    };
    // Corners: bottom-left (-1,-1), bottom-right (1,-1), top-left (-1,1), top-right (1,1).
    m_pSquareColors[0] = mix(((c + u.x + u.y) / (2.0f * c)));
    m_pSquareColors[1] = mix(((c - u.x + u.y) / (2.0f * c)));
    m_pSquareColors[2] = mix(((c + u.x - u.y) / (2.0f * c)));
    m_pSquareColors[3] = mix(((c - u.x - u.y) / (2.0f * c)));
}

} // namespace cc
