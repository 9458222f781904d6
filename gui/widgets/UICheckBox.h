// The check box: a box that toggles between selected and unselected on every
// completed tap, drawn with five plain sprites (box, box pressed, cross, box
// disabled, cross disabled). Loading and fitting are the shared texture
// helper's (TextureLoad); touch-down and moves are the widget base's.
#pragma once

#include "gui/UIWidget.h"

namespace cc {

class CCSprite;

enum CheckBoxEventKind {
    CHECKBOX_STATE_EVENT_SELECTED = 0,
    CHECKBOX_STATE_EVENT_UNSELECTED = 1,
};

// Called on the target with (sender, kind).
typedef void (CCObject::*CheckBoxEventSelector)(CCObject* sender, CheckBoxEventKind kind);
#define checkboxeventselector(_SELECTOR) static_cast<cc::CheckBoxEventSelector>(&_SELECTOR)

class UICheckBox : public UIWidget {
public:
    static UICheckBox* create();
    UICheckBox();

    // ---- Overrides of the widget base, in its slot order
    ~UICheckBox() override;
    void setAnchorPoint(const CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // A completed tap: touch listener (ended), the toggle with its listener,
    // then the check box listener; see the .cpp for the order.
    void onTouchEnded(const CCPoint& worldPoint) override;
    // The box sprite.
    CCNode* getRenderNode() override;
    // The box sprite's content size.
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void createRenderNode() override;
    void onNormalState() override;
    void onPressedState() override;
    void onDisabledState() override;

    // ---- Textures. An empty name leaves that sprite as it was.
    void loadTextures(const char* box, const char* boxPressed, const char* cross, const char* boxDisabled,
                      const char* crossDisabled, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadBoxTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadBoxPressedTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadCrossTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadBoxDisabledTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadCrossDisabledTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);

    // ---- State: setting it tells no listener.
    void setSelectedState(bool selected);
    bool getSelectedState() const { return m_selected; }

    // ---- Listeners (targets are not retained)
    void setCheckBoxListener(CCObject* target, CheckBoxEventSelector selector);
    // Sender-only listeners, in the engine's callfuncO_selector form.
    void setSelectListener(CCObject* target, SEL_CallFuncO selector);
    void setUnselectListener(CCObject* target, SEL_CallFuncO selector);

    // ---- Inspection
    enum Part { kBox, kBoxPressed, kCross, kBoxDisabled, kCrossDisabled, kPartCount };
    CCSprite* getPartRenderer(Part part) const { return m_parts[part]; }
    TextureResType getTextureKind(Part part) const { return m_kinds[part]; }

private:
    void loadPart(Part part, const char* name, TextureResType kind);
    void fitPart(Part part);
    void selectedEvent();
    void unselectedEvent();

    CCSprite* m_parts[kPartCount] = {}; // owned by the render node
    bool m_selected = true;             // init makes it false
    // Listeners' targets (the *Target members) are not retained: whoever sets
    // a listener keeps its target alive while this widget can call it.
    CCObject* m_checkBoxTarget = nullptr;
    CheckBoxEventSelector m_checkBoxSelector = nullptr;
    TextureResType m_kinds[kPartCount] = {UI_TEX_TYPE_LOCAL, UI_TEX_TYPE_LOCAL, UI_TEX_TYPE_LOCAL, UI_TEX_TYPE_LOCAL,
                                          UI_TEX_TYPE_LOCAL};
    CCObject* m_selectTarget = nullptr;
    SEL_CallFuncO m_selectSelector = nullptr;
    CCObject* m_unselectTarget = nullptr;
    SEL_CallFuncO m_unselectSelector = nullptr;
};

} // namespace cc
