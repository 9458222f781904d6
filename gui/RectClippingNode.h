// RectClippingNode: the render node of every container. A stencil clipping
// node whose stencil is one filled rectangle of the container's size; clipping
// can be switched off, and a disabled node draws nothing at all.
#pragma once

#include "render/CCClippingNode.h"

namespace cc {

class CCDrawNode;

class RectClippingNode : public CCClippingNode {
public:
    static RectClippingNode* create();

    bool init() override;
    void setClippingSize(const CCSize& size);
    const CCSize& getClippingSize() const { return m_clippingSize; }
    void setClippingEnabled(bool enabled)
    {
        m_bClippingEnabled = enabled;
        markForRedraw();
    }
    bool isClippingEnabled() const { return m_bClippingEnabled; }
    void setEnabled(bool enabled)
    {
        m_bEnabled = enabled;
        markForRedraw();
    }
    bool isEnabled() const { return m_bEnabled; }
    void visit() override;

private:
    void drawStencil();

    CCDrawNode* m_pInnerStencil = nullptr; // held by the clipping node as its stencil
    bool m_bEnabled = true;
    CCPoint m_corners[4];
    CCSize m_clippingSize = CCSize(50, 50);
    bool m_bClippingEnabled = false;
};

} // namespace cc
