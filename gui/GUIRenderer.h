// GUIRenderer: the render node of every leaf widget, a colour node that draws
// nothing (itself and its children) while its enabled flag is off.
// Containers use RectClippingNode, which follows the same rule.
#pragma once

#include "scene/CCNodeRGBA.h"

namespace cc {

class GUIRenderer : public CCNodeRGBA {
public:
    static GUIRenderer* create();

    void setEnabled(bool enabled)
    {
        m_bEnabled = enabled;
        markForRedraw();
    }
    bool isEnabled() const { return m_bEnabled; }
    void visit() override;

private:
    bool m_bEnabled = true;
};

} // namespace cc
