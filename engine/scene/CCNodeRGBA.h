// Colour and opacity for nodes: the colour interface any node can be asked
// for at run time (dynamic_cast<CCRGBAProtocol*>), and the node that
// implements it with cascading to its children.
#pragma once

#include "base/ccTypes.h"
#include "scene/CCNode.h"

namespace cc {

class CCRGBAProtocol {
public:
    virtual ~CCRGBAProtocol() = default;
    virtual void setColor(const ccColor3B& color) = 0;
    virtual const ccColor3B& getColor() const = 0;
    virtual const ccColor3B& getDisplayedColor() const = 0;
    virtual GLubyte getDisplayedOpacity() const = 0;
    virtual GLubyte getOpacity() const = 0;
    virtual void setOpacity(GLubyte opacity) = 0;
    // Whether opacity is premultiplied into the colour when drawn.
    virtual void setOpacityModifyRGB(bool value) = 0;
    virtual bool isOpacityModifyRGB() const = 0;
    virtual bool isCascadeColorEnabled() const = 0;
    virtual void setCascadeColorEnabled(bool enabled) = 0;
    virtual void updateDisplayedColor(const ccColor3B& parentColor) = 0;
    virtual bool isCascadeOpacityEnabled() const = 0;
    virtual void setCascadeOpacityEnabled(bool enabled) = 0;
    virtual void updateDisplayedOpacity(GLubyte parentOpacity) = 0;
};

// The displayed colour is the node's own colour times its parent's displayed
// colour when cascading is on (likewise opacity), and is pushed to children.
class CCNodeRGBA : public CCNode, public CCRGBAProtocol {
public:
    static CCNodeRGBA* create();
    bool init() override;

    void setColor(const ccColor3B& color) override;
    const ccColor3B& getColor() const override { return m_tRealColor; }
    const ccColor3B& getDisplayedColor() const override { return m_tDisplayedColor; }
    GLubyte getOpacity() const override { return m_cRealOpacity; }
    GLubyte getDisplayedOpacity() const override { return m_cDisplayedOpacity; }
    void setOpacity(GLubyte opacity) override;
    void setOpacityModifyRGB(bool value) override;
    bool isOpacityModifyRGB() const override { return m_bOpacityModifyRGB; }
    bool isCascadeColorEnabled() const override { return m_bCascadeColorEnabled; }
    void setCascadeColorEnabled(bool enabled) override { m_bCascadeColorEnabled = enabled; }
    void updateDisplayedColor(const ccColor3B& parentColor) override;
    bool isCascadeOpacityEnabled() const override { return m_bCascadeOpacityEnabled; }
    void setCascadeOpacityEnabled(bool enabled) override { m_bCascadeOpacityEnabled = enabled; }
    void updateDisplayedOpacity(GLubyte parentOpacity) override;

    // A child added to a cascading node takes the node's displayed colour.
    void addChild(CCNode* child, int zOrder, int tag) override;
    using CCNode::addChild;

protected:
    GLubyte m_cDisplayedOpacity = 255, m_cRealOpacity = 255;
    ccColor3B m_tDisplayedColor = ccWHITE, m_tRealColor = ccWHITE;
    bool m_bCascadeColorEnabled = false;
    bool m_bCascadeOpacityEnabled = false;
    bool m_bOpacityModifyRGB = false;
};

// Shared by every RGBA implementation: push a displayed value to children.
void cascadeColorToChildren(CCNode* node, const ccColor3B& displayed);
void cascadeOpacityToChildren(CCNode* node, GLubyte displayed);
// The displayed colour/opacity a new child of parent should start from.
ccColor3B parentDisplayedColor(CCNode* parent);
GLubyte parentDisplayedOpacity(CCNode* parent);

} // namespace cc
