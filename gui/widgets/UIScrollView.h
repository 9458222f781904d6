// UIScrollView: a clipping container whose children live in an inner
// container moved along one axis by dragging, coasting on after a release
// with a linearly decaying speed and stopping, with an event, at either end.
// Holding the children is InnerContainerLayout's; this class moves them.
#pragma once

#include "gui/widgets/InnerContainer.h"

namespace cc {

enum ScrollDirection {
    SCROLLVIEW_DIR_NONE = 0,
    SCROLLVIEW_DIR_VERTICAL = 1,
    SCROLLVIEW_DIR_HORIZONTAL = 2,
};

enum ScrollMoveDirection {
    SCROLLVIEW_MOVE_DIR_NONE = 0,
    SCROLLVIEW_MOVE_DIR_UP = 1,
    SCROLLVIEW_MOVE_DIR_DOWN = 2,
    SCROLLVIEW_MOVE_DIR_LEFT = 3,
    SCROLLVIEW_MOVE_DIR_RIGHT = 4,
};

enum ScrollViewEventKind {
    SCROLLVIEW_EVENT_SCROLL_TO_TOP = 0,
    SCROLLVIEW_EVENT_SCROLL_TO_BOTTOM = 1,
    SCROLLVIEW_EVENT_SCROLL_TO_LEFT = 2,
    SCROLLVIEW_EVENT_SCROLL_TO_RIGHT = 3,
};

typedef void (CCObject::*SEL_ScrollViewEvent)(CCObject* sender, ScrollViewEventKind kind);
#define scrollvieweventselector(_SELECTOR) static_cast<cc::SEL_ScrollViewEvent>(&_SELECTOR)

class UIScrollView : public InnerContainerLayout {
public:
    UIScrollView();
    static UIScrollView* create();

    // --- overrides ---
    ~UIScrollView() override;
    void update(float dt) override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void handlePress(const CCPoint& worldPoint) override;
    void handleMove(const CCPoint& worldPoint) override;
    void handleRelease(const CCPoint& worldPoint) override;
    void handleChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& worldPoint) override;

    // --- appended virtual operations ---
    // Moves the content along the axis; false when it was clamped at an end.
    virtual bool scrollContent(float offset);
    virtual void beginAutoScroll();

    void setDirection(ScrollDirection direction) { m_eDirection = direction; }
    ScrollDirection getDirection() const { return m_eDirection; }
    ScrollMoveDirection getMoveDirection() const { return m_eMoveDirection; }
    bool isAtTop() const { return m_bTopEnd; }
    bool isAtBottom() const { return m_bBottomEnd; }
    bool isAtLeft() const { return m_bLeftEnd; }
    bool isAtRight() const { return m_bRightEnd; }
    bool isAutoScrolling() const { return m_bAutoScroll; }
    float getAutoScrollSpeed() const { return m_fAutoScrollSpeed; }
    bool isPressed() const { return m_bPressed; }
    float getSlideTime() const { return m_fSlideTime; }

    void setScrollListener(CCObject* target, SEL_ScrollViewEvent selector);
    void setScrollToTopListener(CCObject* target, SEL_CallFuncO selector);
    void setScrollToBottomListener(CCObject* target, SEL_CallFuncO selector);
    void setScrollToLeftListener(CCObject* target, SEL_CallFuncO selector);
    void setScrollToRightListener(CCObject* target, SEL_CallFuncO selector);

    // A release this soon after the press is a tap: no coasting.
    static constexpr float kMinSlideTime = 0.016f;
    static constexpr float kDeceleration = 600.0f;
    static constexpr float kChildFocusCancelDistance = 5.0f;

private:
    float axisCoordinate(const CCPoint& worldPoint);
    void moveInnerBy(float offset);
    void stopAutoScroll();
    void advanceAutoScroll(float dt);
    void reportEnd(ScrollViewEventKind kind);

    ScrollDirection m_eDirection = SCROLLVIEW_DIR_VERTICAL;
    ScrollMoveDirection m_eMoveDirection = SCROLLVIEW_MOVE_DIR_NONE;
    float m_fTouchStart = 0;
    float m_fTouchEnd = 0;
    float m_fTouchMoveStart = 0;
    float m_fTopBoundary = 0;
    float m_fBottomBoundary = 0;
    float m_fLeftBoundary = 0;
    float m_fRightBoundary = 0;
    bool m_bTopEnd = false;
    bool m_bBottomEnd = false;
    bool m_bLeftEnd = false;
    bool m_bRightEnd = false;
    bool m_bAutoScroll = false;
    float m_fAutoScrollSpeed = 0;
    float m_fAutoScrollDeceleration = kDeceleration;
    bool m_bPressed = false;
    float m_fSlideTime = 0;
    float m_fChildFocusCancelDistance = kChildFocusCancelDistance;
    CCObject* m_pScrollTarget = nullptr; // listeners' targets are not retained
    SEL_ScrollViewEvent m_pScrollSelector = nullptr;
    struct EndListener {
        CCObject* target = nullptr;
        SEL_CallFuncO selector = nullptr;
    };
    EndListener m_endListeners[4]; // top, bottom, left, right
};

} // namespace cc
