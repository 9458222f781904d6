// The text label: a TrueType label as the content node, fitted to the widget's
// size (stretched when a custom size is set, followed when it is not), with an
// optional text area and an optional grow-while-pressed look.
#pragma once

#include "gui/UIWidget.h"

namespace cc {

class CCLabelTTF;

class UILabel : public UIWidget {
public:
    static UILabel* create();
    UILabel();

    // ---- Overrides of the widget base, in its slot order
    ~UILabel() override;
    void setAnchorPoint(const CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // The label renderer (the content node).
    CCNode* getRenderNode() override;
    // The label's current content size.
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderNode() override;
    void onNormalState() override;
    void onPressedState() override;

    // ---- Text. Each setter refits the label afterwards.
    // Null is ignored; an empty string clears the label.
    void setText(const char* text);
    const char* getStringValue() const;
    void setFontSize(float size);
    void setFontName(const char* name);
    // A text area: a width above zero wraps lines inside it.
    void setTextAreaSize(const CCSize& size);
    void setTextHorizontalAlignment(CCTextAlignment alignment);
    void setTextVerticalAlignment(CCVerticalTextAlignment alignment);

    // ---- Touch scale: the whole render node grows while pressed. The render
    // node's scale at the time of the call is taken as the normal scale.
    void setTouchScaleEnabled(bool enabled);
    bool isTouchScaleEnabled() const { return m_touchScaleEnabled; }
    float getNormalScale() const { return m_normalScale; }

    CCLabelTTF* getLabelRenderer() const { return m_labelRenderer; }

private:
    void fitLabel();

    bool m_touchScaleEnabled = false;
    float m_normalScale = 1.0f;
    float m_pressedScaleIncrease = 0.5f;
    CCLabelTTF* m_labelRenderer = nullptr; // owned by the render node
};

} // namespace cc
