// Scroll view movement: following the finger on one axis, clamping at the
// ends with their events, coasting after a release, and taking over drags
// that start on a child once they pass the focus-cancel distance.
#include "gui/widgets/UIScrollView.h"

#include <cmath>

#include "scene/CCNode.h"

namespace cc {

UIScrollView::UIScrollView() = default;

UIScrollView* UIScrollView::create()
{
    UIScrollView* view = new UIScrollView();
    return autoreleasedOrNull(view, view->init());
}

UIScrollView::~UIScrollView() = default;

bool UIScrollView::init()
{
    if (!Layout::init() || !m_pInnerContainer) return false;
    setUpdateEnabled(true);
    setTouchEnabled(true);
    setClippingEnabled(true);
    m_pInnerContainer->setTouchEnabled(false);
    return true;
}

const char* UIScrollView::getTypeName() { return "ScrollView"; }

void UIScrollView::onSizeChanged()
{
    Layout::onSizeChanged();
    m_fTopBoundary = m_size.height;
    m_fRightBoundary = m_size.width;
    growInnerContainerToView();
    placeInnerContainerAtTop();
}

// ---- listeners ----------------------------------------------------------------------

void UIScrollView::setScrollListener(CCObject* target, SEL_ScrollViewEvent selector)
{
    m_pScrollTarget = target;
    m_pScrollSelector = selector;
}
void UIScrollView::setScrollToTopListener(CCObject* target, SEL_CallFuncO selector)
{
    m_endListeners[SCROLLVIEW_EVENT_SCROLL_TO_TOP] = {target, selector};
}
void UIScrollView::setScrollToBottomListener(CCObject* target, SEL_CallFuncO selector)
{
    m_endListeners[SCROLLVIEW_EVENT_SCROLL_TO_BOTTOM] = {target, selector};
}
void UIScrollView::setScrollToLeftListener(CCObject* target, SEL_CallFuncO selector)
{
    m_endListeners[SCROLLVIEW_EVENT_SCROLL_TO_LEFT] = {target, selector};
}
void UIScrollView::setScrollToRightListener(CCObject* target, SEL_CallFuncO selector)
{
    m_endListeners[SCROLLVIEW_EVENT_SCROLL_TO_RIGHT] = {target, selector};
}

void UIScrollView::reportEnd(ScrollViewEventKind kind)
{
    const EndListener& own = m_endListeners[kind];
    if (own.target && own.selector) (own.target->*own.selector)(this);
    if (m_pScrollTarget && m_pScrollSelector) (m_pScrollTarget->*m_pScrollSelector)(this, kind);
}

// ---- moving the content -----------------------------------------------------------------

void UIScrollView::moveInnerBy(float offset)
{
    const CCPoint p = m_pInnerContainer->getPosition();
    if (m_eDirection == SCROLLVIEW_DIR_VERTICAL) m_pInnerContainer->setPosition(CCPoint(p.x, p.y + offset));
    else m_pInnerContainer->setPosition(CCPoint(p.x + offset, p.y));
}

bool UIScrollView::scrollContent(float offset)
{
    if (!m_pInnerContainer) return false;
    Layout* inner = m_pInnerContainer;
    if (m_eDirection == SCROLLVIEW_DIR_VERTICAL) {
        if (m_eMoveDirection == SCROLLVIEW_MOVE_DIR_UP && m_fBottomBoundary <= inner->getBottomEdge() + offset) {
            moveInnerBy(m_fBottomBoundary - inner->getBottomEdge());
            m_bBottomEnd = true;
            reportEnd(SCROLLVIEW_EVENT_SCROLL_TO_BOTTOM);
            return false;
        }
        if (m_eMoveDirection == SCROLLVIEW_MOVE_DIR_DOWN && m_fTopBoundary >= inner->getTopEdge() + offset) {
            moveInnerBy(m_fTopBoundary - inner->getTopEdge());
            m_bTopEnd = true;
            reportEnd(SCROLLVIEW_EVENT_SCROLL_TO_TOP);
            return false;
        }
        moveInnerBy(offset);
        m_bTopEnd = m_bBottomEnd = false;
        return true;
    }
    if (m_eDirection == SCROLLVIEW_DIR_HORIZONTAL) {
        if (m_eMoveDirection == SCROLLVIEW_MOVE_DIR_LEFT && m_fRightBoundary >= inner->getRightEdge() + offset) {
            moveInnerBy(m_fRightBoundary - inner->getRightEdge());
            m_bRightEnd = true;
            reportEnd(SCROLLVIEW_EVENT_SCROLL_TO_RIGHT);
            return false;
        }
        if (m_eMoveDirection == SCROLLVIEW_MOVE_DIR_RIGHT && m_fLeftBoundary <= inner->getLeftEdge() + offset) {
            moveInnerBy(m_fLeftBoundary - inner->getLeftEdge());
            m_bLeftEnd = true;
            reportEnd(SCROLLVIEW_EVENT_SCROLL_TO_LEFT);
            return false;
        }
        moveInnerBy(offset);
        m_bLeftEnd = m_bRightEnd = false;
        return true;
    }
    return false;
}

// ---- touches ---------------------------------------------------------------------------

float UIScrollView::axisCoordinate(const CCPoint& worldPoint)
{
    const CCPoint p = toViewSpace(worldPoint);
    return m_eDirection == SCROLLVIEW_DIR_HORIZONTAL ? p.x : p.y;
}

void UIScrollView::handlePress(const CCPoint& worldPoint)
{
    m_fTouchStart = m_fTouchMoveStart = axisCoordinate(worldPoint);
    if (!m_children || m_children->count() == 0) return;
    if (m_bAutoScroll) stopAutoScroll();
    m_bPressed = true;
    m_fSlideTime = 0;
}

void UIScrollView::handleMove(const CCPoint& worldPoint)
{
    const float now = axisCoordinate(worldPoint);
    const float offset = now - m_fTouchMoveStart;
    m_fTouchMoveStart = now;
    if (m_eDirection == SCROLLVIEW_DIR_VERTICAL) {
        if (offset < 0) m_eMoveDirection = SCROLLVIEW_MOVE_DIR_DOWN;
        else if (offset > 0) m_eMoveDirection = SCROLLVIEW_MOVE_DIR_UP;
    } else if (m_eDirection == SCROLLVIEW_DIR_HORIZONTAL) {
        if (offset < 0) m_eMoveDirection = SCROLLVIEW_MOVE_DIR_LEFT;
        else if (offset > 0) m_eMoveDirection = SCROLLVIEW_MOVE_DIR_RIGHT;
    }
    scrollContent(offset);
}

void UIScrollView::handleRelease(const CCPoint& worldPoint)
{
    m_fTouchEnd = axisCoordinate(worldPoint);
    beginAutoScroll();
}

void UIScrollView::handleChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& worldPoint)
{
    switch (phase) {
    case kTouchBegan: handlePress(worldPoint); break;
    case kTouchMoved: {
        if (!sender) return;
        const CCPoint& start = sender->getTouchStartPos();
        float distance = 0;
        if (m_eDirection == SCROLLVIEW_DIR_VERTICAL) distance = std::fabs(start.y - worldPoint.y);
        else if (m_eDirection == SCROLLVIEW_DIR_HORIZONTAL) distance = std::fabs(start.x - worldPoint.x);
        if (distance <= m_fChildFocusCancelDistance) return;
        if (sender->isFocused()) sender->setFocused(false);
        handleMove(worldPoint);
        break;
    }
    case kTouchEnded: handleRelease(worldPoint); break;
    default: break;
    }
}

// ---- coasting --------------------------------------------------------------------------

void UIScrollView::beginAutoScroll()
{
    if (!m_children || m_children->count() == 0) return;
    // A tap or a very short drag does not coast (pressed stays set until the next press).
    if (m_fSlideTime <= kMinSlideTime) return;
    m_bAutoScroll = true;
    m_bPressed = false;
    m_fAutoScrollSpeed = std::fabs(m_fTouchEnd - m_fTouchStart) / m_fSlideTime;
    m_fSlideTime = 0;
}

void UIScrollView::stopAutoScroll()
{
    m_bAutoScroll = false;
    m_fAutoScrollSpeed = 0;
}

void UIScrollView::advanceAutoScroll(float dt)
{
    m_fAutoScrollSpeed -= m_fAutoScrollDeceleration * dt;
    float distance = m_fAutoScrollSpeed * dt;
    if (distance <= 0) {
        stopAutoScroll();
        distance = 0;
    }
    float signedDistance = 0;
    switch (m_eMoveDirection) {
    case SCROLLVIEW_MOVE_DIR_UP: signedDistance = distance; break;
    case SCROLLVIEW_MOVE_DIR_DOWN: signedDistance = -distance; break;
    case SCROLLVIEW_MOVE_DIR_LEFT: signedDistance = -distance; break;
    case SCROLLVIEW_MOVE_DIR_RIGHT: signedDistance = distance; break;
    default: return;
    }
    const bool vertical = m_eDirection == SCROLLVIEW_DIR_VERTICAL;
    const bool verticalMove =
        m_eMoveDirection == SCROLLVIEW_MOVE_DIR_UP || m_eMoveDirection == SCROLLVIEW_MOVE_DIR_DOWN;
    if (m_eDirection == SCROLLVIEW_DIR_NONE || vertical != verticalMove) return;
    if (!scrollContent(signedDistance)) stopAutoScroll();
}

void UIScrollView::update(float dt)
{
    if (m_bAutoScroll) advanceAutoScroll(dt);
    if (m_bPressed) m_fSlideTime += dt;
}

} // namespace cc
