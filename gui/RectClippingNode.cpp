// The container's clipping rectangle, redrawn into the stencil on every resize.
#include "gui/RectClippingNode.h"

#include "render/CCDrawNode.h"

namespace cc {

namespace {
// Only the stencil buffer sees this colour; any opaque fill works.
const ccColor4F kStencilFill = {0, 1, 0, 1};
const float kStencilBorder = 0;
} // namespace

RectClippingNode* RectClippingNode::create()
{
    RectClippingNode* node = new RectClippingNode();
    return autoreleasedOrNull(node, node->init());
}

bool RectClippingNode::init()
{
    m_pInnerStencil = CCDrawNode::create();
    if (!m_pInnerStencil) return false;
    drawStencil();
    return CCClippingNode::init(m_pInnerStencil);
}

void RectClippingNode::drawStencil()
{
    const float w = m_clippingSize.width, h = m_clippingSize.height;
    m_corners[0] = CCPoint(0, 0);
    m_corners[1] = CCPoint(w, 0);
    m_corners[2] = CCPoint(w, h);
    m_corners[3] = CCPoint(0, h);
    m_pInnerStencil->clear();
    m_pInnerStencil->drawPolygon(m_corners, 4, kStencilFill, kStencilBorder, kStencilFill);
}

void RectClippingNode::setClippingSize(const CCSize& size)
{
    setContentSize(size);
    m_clippingSize = size;
    drawStencil();
}

void RectClippingNode::visit()
{
    if (!m_bEnabled) return;
    if (m_bClippingEnabled) CCClippingNode::visit();
    else CCNode::visit();
}

} // namespace cc
