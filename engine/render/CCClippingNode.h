// A node whose children show only inside (or, inverted, outside) the shape
// its stencil node draws. The stencil is any node (often a CCDrawNode),
// placed in this node's space, drawn into the stencil buffer only. With an
// alpha threshold below 1, stencil pixels at or under it do not count.
#pragma once

#include "base/CCRefPtr.h"
#include "scene/CCNode.h"

namespace cc {

class CCClippingNode : public CCNode {
public:
    static CCClippingNode* create();
    static CCClippingNode* create(CCNode* stencil);
    bool init() override;
    virtual bool init(CCNode* stencil);
    ~CCClippingNode() override;

    CCNode* getStencil() const { return m_pStencil.get(); }
    void setStencil(CCNode* stencil);
    float getAlphaThreshold() const { return m_fAlphaThreshold; }
    void setAlphaThreshold(float threshold)
    {
        m_fAlphaThreshold = threshold;
        markForRedraw();
    }
    bool isInverted() const { return m_bInverted; }
    void setInverted(bool inverted)
    {
        m_bInverted = inverted;
        markForRedraw();
    }

    // The stencil follows this node on and off the stage.
    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExitTransitionDidStart() override;
    void onExit() override;
    void visit() override;

private:
    CCRefPtr<CCNode> m_pStencil;
    CCRefPtr<CCNode> m_pStencilHost; // carries this node's transform
    float m_fAlphaThreshold = 1.0f;
    bool m_bInverted = false;
};

} // namespace cc
