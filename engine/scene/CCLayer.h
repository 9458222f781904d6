// A full-window node that can receive touches, in either delivery mode.
// Registration follows the stage: a layer gets touches only while running.
#pragma once

#include "scene/CCNodeRGBA.h"
#include "scene/CCTouch.h"

namespace cc {

enum ccTouchesMode { kCCTouchesAllAtOnce, kCCTouchesOneByOne };

class CCLayer : public CCNode, public CCTouchDelegate {
public:
    CREATE_FUNC(CCLayer)
    CCLayer();
    ~CCLayer() override;
    bool init() override;

    void onEnter() override;
    void onExit() override;
    void onEnterTransitionDidFinish() override;

    // Takes effect at once on the stage, or when the layer enters.
    virtual void setTouchEnabled(bool enabled);
    virtual bool isTouchEnabled() const { return m_bTouchEnabled; }
    virtual void setTouchMode(ccTouchesMode mode);
    virtual int getTouchMode() const { return m_eTouchMode; }
    virtual void setTouchPriority(int priority);
    virtual int getTouchPriority() const { return m_nTouchPriority; }
    // Registers with the director's dispatcher; menus override to swallow
    // with their own priority.
    virtual void registerWithTouchDispatcher();

protected:
    void unregisterFromTouchDispatcher();

    bool m_bTouchEnabled = false;
    bool m_bRegistered = false;
    ccTouchesMode m_eTouchMode = kCCTouchesAllAtOnce;
    int m_nTouchPriority = 0;
};

// A layer with one flat colour filling its content size.
class CCLayerColor : public CCLayer, public CCRGBAProtocol {
public:
    static CCLayerColor* create();
    static CCLayerColor* create(const ccColor4B& color);
    static CCLayerColor* create(const ccColor4B& color, float width, float height);
    bool init() override;
    virtual bool initWithColor(const ccColor4B& color);
    virtual bool initWithColor(const ccColor4B& color, float width, float height);

    void changeWidth(float w);
    void changeHeight(float h);
    void changeWidthAndHeight(float w, float h);
    void setContentSize(const CCSize& size) override;
    void draw() override;

    void setColor(const ccColor3B& color) override;
    const ccColor3B& getColor() const override { return m_tRealColor; }
    const ccColor3B& getDisplayedColor() const override { return m_tDisplayedColor; }
    GLubyte getOpacity() const override { return m_cRealOpacity; }
    GLubyte getDisplayedOpacity() const override { return m_cDisplayedOpacity; }
    void setOpacity(GLubyte opacity) override;
    void setOpacityModifyRGB(bool) override {}
    bool isOpacityModifyRGB() const override { return false; }
    bool isCascadeColorEnabled() const override { return m_bCascadeColorEnabled; }
    void setCascadeColorEnabled(bool enabled) override { m_bCascadeColorEnabled = enabled; }
    void updateDisplayedColor(const ccColor3B& parentColor) override;
    bool isCascadeOpacityEnabled() const override { return m_bCascadeOpacityEnabled; }
    void setCascadeOpacityEnabled(bool enabled) override { m_bCascadeOpacityEnabled = enabled; }
    void updateDisplayedOpacity(GLubyte parentOpacity) override;

    // Colour of each corner (bottom-left, bottom-right, top-left, top-right)
    // as drawn; gradients override how they are computed.
    const ccColor4F* cornerColors() const { return m_pSquareColors; }

protected:
    virtual void updateColor();

    ccColor4F m_pSquareColors[4];
    GLubyte m_cDisplayedOpacity = 255, m_cRealOpacity = 255;
    ccColor3B m_tDisplayedColor = ccWHITE, m_tRealColor = ccWHITE;
    bool m_bCascadeColorEnabled = false;
    bool m_bCascadeOpacityEnabled = false;
};

// A layer whose colour runs from a start to an end colour along a vector.
class CCLayerGradient : public CCLayerColor {
public:
    static CCLayerGradient* create();
    static CCLayerGradient* create(const ccColor4B& start, const ccColor4B& end);
    static CCLayerGradient* create(const ccColor4B& start, const ccColor4B& end, const CCPoint& v);
    bool init() override;
    // The single-colour forms stay callable next to the two-colour ones.
    using CCLayerColor::initWithColor;
    virtual bool initWithColor(const ccColor4B& start, const ccColor4B& end);
    virtual bool initWithColor(const ccColor4B& start, const ccColor4B& end, const CCPoint& v);

    void setStartColor(const ccColor3B& color);
    const ccColor3B& getStartColor() const { return m_tRealColor; }
    void setEndColor(const ccColor3B& color);
    const ccColor3B& getEndColor() const { return m_endColor; }
    void setStartOpacity(GLubyte o);
    GLubyte getStartOpacity() const { return m_cStartOpacity; }
    void setEndOpacity(GLubyte o);
    GLubyte getEndOpacity() const { return m_cEndOpacity; }
    // The direction the colour runs in, from start to end; (0, -1) is top to bottom.
    void setVector(const CCPoint& v);
    const CCPoint& getVector() const { return m_AlongVector; }
    void setCompressedInterpolation(bool compressed);
    bool isCompressedInterpolation() const { return m_bCompressedInterpolation; }

protected:
    void updateColor() override;

    ccColor3B m_endColor = ccBLACK;
    GLubyte m_cStartOpacity = 255, m_cEndOpacity = 255;
    CCPoint m_AlongVector = CCPoint(0, -1);
    bool m_bCompressedInterpolation = true;
};

} // namespace cc
