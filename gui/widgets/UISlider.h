// The slider: a horizontal bar, a progress bar cropped to the percent and a
// ball that follows the finger. The bars are plain or nine-slice sprites;
// loading and fitting go through the shared texture helper (TextureLoad).
#pragma once

#include "gui/UIWidget.h"

#include <string>

namespace cc {

class CCSprite;

enum SliderEventKind {
    SLIDER_PERCENTCHANGED = 0,
};

// Called on the target with (sender, kind).
typedef void (CCObject::*SliderEventSelector)(CCObject* sender, SliderEventKind kind);
#define slidereventselector(_SELECTOR) static_cast<cc::SliderEventSelector>(&_SELECTOR)

class UISlider : public UIWidget {
public:
    static UISlider* create();
    UISlider();

    // ---- Overrides of the widget base, in its slot order
    ~UISlider() override;
    // The base's touch-down, then the percent from the touch point.
    void onTouchBegan(const CCPoint& worldPoint) override;
    // Only the percent follows: no look change, no moved event, no parent notice.
    void onTouchMoved(const CCPoint& worldPoint) override;
    void onTouchEnded(const CCPoint& worldPoint) override;
    // Refused (true asked) while nine-slice mode is on.
    void setIgnoreSize(bool ignore) override;
    // The bar renderer.
    CCNode* getRenderNode() override;
    // The bar renderer's content size.
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderNode() override;
    void onNormalState() override;
    void onPressedState() override;
    void onDisabledState() override;

    // ---- Textures. An empty name leaves that part as it was.
    void loadBarTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadProgressBarTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadBallTextures(const char* normal, const char* pressed, const char* disabled,
                          TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadBallNormalTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadBallPressedTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadBallDisabledTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    // Swaps both bars for nine-slice (or plain) ones and reloads their textures.
    void setScale9Enabled(bool enabled);
    // Kept in plain mode, applied once nine-slice mode is on.
    void setCapInsets(const CCRect& capInsets);
    void setCapInsetsBarRenderer(const CCRect& capInsets);
    void setCapInsetProgressBarRenderer(const CCRect& capInsets);

    // ---- Value: clamped to 0..100.
    void setPercent(int percent);
    int getPercent() const { return m_percent; }

    // ---- Listeners (targets are not retained); both hear every change by touch.
    void setSliderListener(CCObject* target, SliderEventSelector selector);
    void setPercentListener(CCObject* target, SEL_CallFuncO selector);

    // ---- Inspection
    bool isScale9Enabled() const { return m_scale9; }
    float getBarLength() const { return m_barLength; }
    CCNode* getBarRenderer() const { return m_barRenderer; }
    CCNode* getProgressBarRenderer() const { return m_progressBarRenderer; }
    const CCSize& getProgressBarTextureSize() const { return m_progressBarTextureSize; }
    CCNode* getSlideBallNode() const { return m_slideBall; }
    CCSprite* getBallNormalRenderer() const { return m_ballNormal; }
    CCSprite* getBallPressedRenderer() const { return m_ballPressed; }
    CCSprite* getBallDisabledRenderer() const { return m_ballDisabled; }
    const CCRect& getBarCapInsets() const { return m_barCapInsets; }
    const CCRect& getProgressBarCapInsets() const { return m_progressBarCapInsets; }
    const std::string& getBarFile() const { return m_barFile; }
    const std::string& getProgressBarFile() const { return m_progressBarFile; }

private:
    // The percent a point at x (render-node space) stands for; a bar without
    // length has no scale to read, so the percent stays.
    int percentAt(float x) const;
    void percentChangedEvent();
    void fitBar();
    void fitProgressBar();
    void loadBall(CCSprite* ball, std::string& file, TextureResType& kindField, const char* name, TextureResType kind);

    CCNode* m_barRenderer = nullptr;         // owned by the render node
    CCNode* m_progressBarRenderer = nullptr; // owned by the render node
    CCSize m_progressBarTextureSize;
    CCSprite* m_ballNormal = nullptr; // these three are owned by the ball node
    CCSprite* m_ballPressed = nullptr;
    CCSprite* m_ballDisabled = nullptr;
    CCNode* m_slideBall = nullptr; // owned by the render node
    float m_barLength = 0;
    int m_percent = 0;
    bool m_scale9 = false;
    bool m_prevIgnoreSize = true;
    std::string m_barFile, m_progressBarFile, m_ballNormalFile, m_ballPressedFile, m_ballDisabledFile;
    CCRect m_barCapInsets;
    CCRect m_progressBarCapInsets;
    // Listeners' targets (the *Target members) are not retained: whoever sets
    // a listener keeps its target alive while this widget can call it.
    CCObject* m_sliderTarget = nullptr;
    SliderEventSelector m_sliderSelector = nullptr;
    TextureResType m_barKind = UI_TEX_TYPE_LOCAL, m_progressBarKind = UI_TEX_TYPE_LOCAL,
                   m_ballNormalKind = UI_TEX_TYPE_LOCAL, m_ballPressedKind = UI_TEX_TYPE_LOCAL,
                   m_ballDisabledKind = UI_TEX_TYPE_LOCAL;
    CCObject* m_percentTarget = nullptr;
    SEL_CallFuncO m_percentSelector = nullptr;
};

} // namespace cc
