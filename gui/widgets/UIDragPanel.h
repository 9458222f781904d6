// UIDragPanel: a clipping container whose inner container is dragged freely
// on both axes, coasts after a release with a square-root eased slide, and
// either stays covering the view or (with bounce) springs back into place.
// Holding the children is InnerContainerLayout's; this class moves them.
#pragma once

#include "gui/widgets/InnerContainer.h"

namespace cc {

enum DragPanelMoveKind {
    DRAGPANEL_MOVE_NONE = 0,
    DRAGPANEL_MOVE_AUTOMOVE = 1,
    DRAGPANEL_MOVE_BOUNCE = 2,
};

// Where the content rests or springs to.
enum DragPanelBerth {
    DRAGPANEL_BERTH_NONE = 0,
    DRAGPANEL_BERTH_LEFTBOTTOM = 1,
    DRAGPANEL_BERTH_LEFTTOP = 2,
    DRAGPANEL_BERTH_RIGHTBOTTOM = 3,
    DRAGPANEL_BERTH_RIGHTTOP = 4,
    DRAGPANEL_BERTH_LEFT = 5,
    DRAGPANEL_BERTH_TOP = 6,
    DRAGPANEL_BERTH_RIGHT = 7,
    DRAGPANEL_BERTH_BOTTOM = 8,
};

enum DragPanelEventKind {
    DRAGPANEL_EVENT_BERTH_LEFTBOTTOM = 0,
    DRAGPANEL_EVENT_BERTH_LEFTTOP = 1,
    DRAGPANEL_EVENT_BERTH_RIGHTBOTTOM = 2,
    DRAGPANEL_EVENT_BERTH_RIGHTTOP = 3,
    DRAGPANEL_EVENT_BERTH_LEFT = 4,
    DRAGPANEL_EVENT_BERTH_TOP = 5,
    DRAGPANEL_EVENT_BERTH_RIGHT = 6,
    DRAGPANEL_EVENT_BERTH_BOTTOM = 7,
    DRAGPANEL_EVENT_BOUNCE_LEFTBOTTOM = 8,
    DRAGPANEL_EVENT_BOUNCE_LEFTTOP = 9,
    DRAGPANEL_EVENT_BOUNCE_RIGHTBOTTOM = 10,
    DRAGPANEL_EVENT_BOUNCE_RIGHTTOP = 11,
    DRAGPANEL_EVENT_BOUNCE_LEFT = 12,
    DRAGPANEL_EVENT_BOUNCE_TOP = 13,
    DRAGPANEL_EVENT_BOUNCE_RIGHT = 14,
    DRAGPANEL_EVENT_BOUNCE_BOTTOM = 15,
};

typedef void (CCObject::*SEL_DragPanelEvent)(CCObject* sender, DragPanelEventKind kind);
#define dragpaneleventselector(_SELECTOR) static_cast<cc::SEL_DragPanelEvent>(&_SELECTOR)

class UIDragPanel : public InnerContainerLayout {
public:
    UIDragPanel();
    static UIDragPanel* create();

    // --- overrides ---
    ~UIDragPanel() override;
    void update(float dt) override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void handlePress(const CCPoint& worldPoint) override;
    void handleMove(const CCPoint& worldPoint) override;
    void handleRelease(const CCPoint& worldPoint) override;
    void handleChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& worldPoint) override;

    void setBounceEnabled(bool enabled) { m_bBounceEnable = enabled; }
    bool isBounceEnabled() const { return m_bBounceEnable; }
    DragPanelMoveKind getMoveKind() const { return m_eMoveType; }
    bool isSliding() const { return m_bRunningAction; }
    bool isTouchPressed() const { return m_bTouchPressed; }
    bool isTouchCancelled() const { return m_bTouchCanceld; }
    float getSlideTime() const { return m_fSlideTime; }

    void setEventListener(CCObject* target, SEL_DragPanelEvent selector);
    // The listener of one event kind, called with the sender only.
    void setEventKindListener(DragPanelEventKind kind, CCObject* target, SEL_CallFuncO selector);
    void setBerthToLeftBottomListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BERTH_LEFTBOTTOM, t, s); }
    void setBerthToLeftTopListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BERTH_LEFTTOP, t, s); }
    void setBerthToRightBottomListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BERTH_RIGHTBOTTOM, t, s); }
    void setBerthToRightTopListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BERTH_RIGHTTOP, t, s); }
    void setBerthToLeftListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BERTH_LEFT, t, s); }
    void setBerthToTopListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BERTH_TOP, t, s); }
    void setBerthToRightListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BERTH_RIGHT, t, s); }
    void setBerthToBottomListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BERTH_BOTTOM, t, s); }
    void setBounceToLeftBottomListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BOUNCE_LEFTBOTTOM, t, s); }
    void setBounceToLeftTopListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BOUNCE_LEFTTOP, t, s); }
    void setBounceToRightBottomListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BOUNCE_RIGHTBOTTOM, t, s); }
    void setBounceToRightTopListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BOUNCE_RIGHTTOP, t, s); }
    void setBounceToLeftListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BOUNCE_LEFT, t, s); }
    void setBounceToTopListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BOUNCE_TOP, t, s); }
    void setBounceToRightListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BOUNCE_RIGHT, t, s); }
    void setBounceToBottomListener(CCObject* t, SEL_CallFuncO s) { setEventKindListener(DRAGPANEL_EVENT_BOUNCE_BOTTOM, t, s); }

    static constexpr float kAutoMoveDuration = 0.5f;
    static constexpr float kBounceDuration = 0.5f;
    static constexpr float kEaseRate = 2.0f;
    static constexpr float kChildFocusCancelDistance = 5.0f;
    // The swipe's displacement per frame at this rate is how far the content coasts.
    static constexpr float kCoastFramesPerSecond = 60.0f;

private:
    struct Edges {
        float left, bottom, right, top;
    };
    Edges innerEdges();
    bool coversView();
    void clampDelta(CCPoint& delta);
    void moveInnerBy(const CCPoint& delta);
    DragPanelBerth findBerth();
    void startCoasting();
    void startBounce();
    void startSlide(const CCPoint& delta, float duration);
    void stepSlide(float dt);
    void report(DragPanelEventKind kind);
    void reportBerth(DragPanelBerth berth);

    bool m_bTouchPressed = false;
    bool m_bTouchMoved = false;
    bool m_bTouchReleased = false;
    bool m_bTouchCanceld = false;
    CCPoint m_touchStartNodeSpace;
    CCPoint m_touchStartWorldSpace;
    CCPoint m_touchEndWorldSpace;
    float m_fSlideTime = 0; // pressed time since coasting last started
    DragPanelMoveKind m_eMoveType = DRAGPANEL_MOVE_AUTOMOVE;
    float m_fAutoMoveDuration = kAutoMoveDuration;
    float m_fAutoMoveEaseRate = kEaseRate;
    DragPanelBerth m_eBerthDirection = DRAGPANEL_BERTH_NONE;
    bool m_bBounceEnable = false;
    DragPanelBerth m_eBounceDirection = DRAGPANEL_BERTH_NONE;
    float m_fBounceDuration = kBounceDuration;
    float m_fBounceEaseRate = kEaseRate;
    CCObject* m_pEventTarget = nullptr; // listeners' targets are not retained
    SEL_DragPanelEvent m_pEventSelector = nullptr;
    // The running slide.
    bool m_bRunningAction = false;
    float m_fDuration = 0;
    float m_fElapsed = 0;
    bool m_bFirstTick = false;
    CCPoint m_slideDelta;
    CCPoint m_slideStart;
    CCPoint m_slidePrevious;
    struct KindListener {
        CCObject* target = nullptr;
        SEL_CallFuncO selector = nullptr;
    };
    KindListener m_kindListeners[16]; // by DragPanelEventKind
};

} // namespace cc
