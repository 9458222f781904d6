// Leaf render node: visiting is skipped entirely while disabled.
#include "gui/GUIRenderer.h"

namespace cc {

GUIRenderer* GUIRenderer::create()
{
    GUIRenderer* node = new GUIRenderer();
    return autoreleasedOrNull(node, node->init());
}

void GUIRenderer::visit()
{
    if (!m_bEnabled) return;
    CCNodeRGBA::visit();
}

} // namespace cc
