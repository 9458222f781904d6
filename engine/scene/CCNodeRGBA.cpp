// Colour and opacity with cascading; the cascade helpers are shared with the
// layer classes that implement the colour interface themselves.
#include "scene/CCNodeRGBA.h"

namespace cc {

void cascadeColorToChildren(CCNode* node, const ccColor3B& displayed)
{
    CCArray* children = node->getChildren();
    if (!children) {
        return;
    }
    for (CCObject* o : *children) {
        if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(o)) {
            rgba->updateDisplayedColor(displayed);
        }
    }
}

void cascadeOpacityToChildren(CCNode* node, GLubyte displayed)
{
    CCArray* children = node->getChildren();
    if (!children) {
        return;
    }
    for (CCObject* o : *children) {
        if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(o)) {
            rgba->updateDisplayedOpacity(displayed);
        }
    }
}

ccColor3B parentDisplayedColor(CCNode* parent)
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(parent);
    return rgba && rgba->isCascadeColorEnabled() ? rgba->getDisplayedColor() : ccWHITE;
}

GLubyte parentDisplayedOpacity(CCNode* parent)
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(parent);
    return rgba && rgba->isCascadeOpacityEnabled() ? rgba->getDisplayedOpacity() : 255;
}

CCNodeRGBA* CCNodeRGBA::create()
{
    CCNodeRGBA* n = new CCNodeRGBA();
    return autoreleasedOrNull(n, n->init());
}

bool CCNodeRGBA::init()
{
    if (!CCNode::init()) {
        return false;
    }
    m_cDisplayedOpacity = m_cRealOpacity = 255;
    m_tDisplayedColor = m_tRealColor = ccWHITE;
    m_bCascadeOpacityEnabled = m_bCascadeColorEnabled = false;
    return true;
}

void CCNodeRGBA::setColor(const ccColor3B& color)
{
    m_tRealColor = color;
    updateDisplayedColor(parentDisplayedColor(m_pParent));
}

void CCNodeRGBA::updateDisplayedColor(const ccColor3B& parentColor)
{
    m_tDisplayedColor.r = static_cast<GLubyte>(m_tRealColor.r * parentColor.r / 255);
    m_tDisplayedColor.g = static_cast<GLubyte>(m_tRealColor.g * parentColor.g / 255);
    m_tDisplayedColor.b = static_cast<GLubyte>(m_tRealColor.b * parentColor.b / 255);
    markForRedraw();
    if (m_bCascadeColorEnabled) {
        cascadeColorToChildren(this, m_tDisplayedColor);
    }
}

void CCNodeRGBA::setOpacity(GLubyte opacity)
{
    m_cRealOpacity = opacity;
    updateDisplayedOpacity(parentDisplayedOpacity(m_pParent));
}

void CCNodeRGBA::updateDisplayedOpacity(GLubyte parentOpacity)
{
    m_cDisplayedOpacity = static_cast<GLubyte>(m_cRealOpacity * parentOpacity / 255);
    markForRedraw();
    if (m_bCascadeOpacityEnabled) {
        cascadeOpacityToChildren(this, m_cDisplayedOpacity);
    }
}

void CCNodeRGBA::setOpacityModifyRGB(bool value)
{
    if (value != m_bOpacityModifyRGB) {
        m_bOpacityModifyRGB = value;
        markForRedraw();
    }
}

void CCNodeRGBA::addChild(CCNode* child, int zOrder, int tag)
{
    CCNode::addChild(child, zOrder, tag);
    if (child && child->getParent() == this) {
        if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(child)) {
            if (m_bCascadeColorEnabled) {
                rgba->updateDisplayedColor(m_tDisplayedColor);
            }
            if (m_bCascadeOpacityEnabled) {
                rgba->updateDisplayedOpacity(m_cDisplayedOpacity);
            }
        }
    }
}

} // namespace cc
