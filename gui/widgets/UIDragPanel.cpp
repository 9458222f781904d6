// Drag panel movement: dragging on both axes (clamped, or free with bounce),
// the eased coasting and spring-back slides, and the berth and bounce events.
#include "gui/widgets/UIDragPanel.h"

#include <algorithm>
#include <cmath>

#include "scene/CCNode.h"

namespace cc {

namespace {
// Keeps a zero-length slide from dividing by zero.
const float kShortestSlide = 1.1920929e-7f;
} // namespace

UIDragPanel::UIDragPanel() = default;

UIDragPanel* UIDragPanel::create()
{
    UIDragPanel* panel = new UIDragPanel();
    return autoreleasedOrNull(panel, panel->init());
}

UIDragPanel::~UIDragPanel() = default;

bool UIDragPanel::init()
{
    if (!Layout::init() || !m_pInnerContainer) return false;
    setUpdateEnabled(true);
    setTouchEnabled(true);
    setClippingEnabled(true);
    return true;
}

const char* UIDragPanel::getTypeName() { return "DragPanel"; }

void UIDragPanel::onSizeChanged()
{
    Layout::onSizeChanged();
    growInnerContainerToView();
}

// ---- listeners ----------------------------------------------------------------------

void UIDragPanel::setEventListener(CCObject* target, SEL_DragPanelEvent selector)
{
    m_pEventTarget = target;
    m_pEventSelector = selector;
}

void UIDragPanel::setEventKindListener(DragPanelEventKind kind, CCObject* target, SEL_CallFuncO selector)
{
    if (kind < DRAGPANEL_EVENT_BERTH_LEFTBOTTOM || kind > DRAGPANEL_EVENT_BOUNCE_BOTTOM) return;
    m_kindListeners[kind] = {target, selector};
}

void UIDragPanel::report(DragPanelEventKind kind)
{
    const KindListener& own = m_kindListeners[kind];
    if (own.target && own.selector) (own.target->*own.selector)(this);
    if (m_pEventTarget && m_pEventSelector) (m_pEventTarget->*m_pEventSelector)(this, kind);
}

void UIDragPanel::reportBerth(DragPanelBerth berth)
{
    if (berth != DRAGPANEL_BERTH_NONE) report(static_cast<DragPanelEventKind>(berth - 1));
}

// ---- geometry --------------------------------------------------------------------------

UIDragPanel::Edges UIDragPanel::innerEdges()
{
    Layout* inner = m_pInnerContainer;
    return {inner->getLeftEdge(), inner->getBottomEdge(), inner->getRightEdge(), inner->getTopEdge()};
}

bool UIDragPanel::coversView()
{
    const Edges e = innerEdges();
    return e.left <= 0 && e.bottom <= 0 && e.right >= m_size.width && e.top >= m_size.height;
}

void UIDragPanel::clampDelta(CCPoint& delta)
{
    const Edges e = innerEdges();
    if (e.left + delta.x > 0) delta.x = -e.left;
    else if (e.right + delta.x < m_size.width) delta.x = m_size.width - e.right;
    if (e.bottom + delta.y > 0) delta.y = -e.bottom;
    else if (e.top + delta.y < m_size.height) delta.y = m_size.height - e.top;
}

void UIDragPanel::moveInnerBy(const CCPoint& delta)
{
    m_pInnerContainer->setPosition(m_pInnerContainer->getPosition() + delta);
}

DragPanelBerth UIDragPanel::findBerth()
{
    const Edges e = innerEdges();
    const float w = m_size.width, h = m_size.height;
    if (e.left == 0 && e.bottom == 0) return DRAGPANEL_BERTH_LEFTBOTTOM;
    if (e.left == 0 && e.top == h) return DRAGPANEL_BERTH_LEFTTOP;
    if (e.right == w && e.bottom == 0) return DRAGPANEL_BERTH_RIGHTBOTTOM;
    if (e.right == w && e.top == h) return DRAGPANEL_BERTH_RIGHTTOP;
    if (e.left == 0) return DRAGPANEL_BERTH_LEFT;
    if (e.right == w) return DRAGPANEL_BERTH_RIGHT;
    if (e.top == h) return DRAGPANEL_BERTH_TOP;
    if (e.bottom == 0) return DRAGPANEL_BERTH_BOTTOM;
    return DRAGPANEL_BERTH_NONE;
}

// ---- touches ---------------------------------------------------------------------------

void UIDragPanel::handlePress(const CCPoint& worldPoint)
{
    if (!m_pInnerContainer) return;
    const CCSize& inner = m_pInnerContainer->getSize();
    if (m_size.width >= inner.width && m_size.height >= inner.height) return;
    m_bTouchPressed = true;
    m_bTouchMoved = m_bTouchReleased = m_bTouchCanceld = false;
    if (m_bRunningAction) {
        if (m_eMoveType == DRAGPANEL_MOVE_AUTOMOVE) {
            m_eMoveType = DRAGPANEL_MOVE_NONE;
            m_bRunningAction = false;
        } else if (m_eMoveType == DRAGPANEL_MOVE_BOUNCE) {
            m_bTouchPressed = false;
        }
    }
    m_touchStartNodeSpace = toViewSpace(worldPoint);
    m_touchStartWorldSpace = worldPoint;
}

void UIDragPanel::handleMove(const CCPoint& worldPoint)
{
    if (!m_bTouchPressed || m_bTouchCanceld || !m_pInnerContainer) return;
    m_bTouchMoved = true;
    const CCPoint now = toViewSpace(worldPoint);
    CCPoint delta = now - m_touchStartNodeSpace;
    m_touchStartNodeSpace = now;
    if (!m_bBounceEnable) {
        m_eBerthDirection = DRAGPANEL_BERTH_NONE;
        clampDelta(delta);
    }
    moveInnerBy(delta);
    if (m_bBounceEnable) {
        if (!hitTest(worldPoint)) {
            m_bTouchMoved = false;
            if (!coversView()) {
                m_bTouchCanceld = true;
                if (!(m_bRunningAction && m_eMoveType == DRAGPANEL_MOVE_BOUNCE)) startBounce();
            }
        }
    } else {
        m_eBerthDirection = findBerth();
        reportBerth(m_eBerthDirection);
    }
}

void UIDragPanel::handleRelease(const CCPoint& worldPoint)
{
    if (!m_bTouchPressed) return;
    m_bTouchPressed = m_bTouchMoved = false;
    m_bTouchReleased = true;
    m_bTouchCanceld = false;
    if (!hitTest(worldPoint)) return;
    m_touchEndWorldSpace = worldPoint;
    startCoasting();
}

void UIDragPanel::handleChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& worldPoint)
{
    switch (phase) {
    case kTouchBegan: handlePress(worldPoint); break;
    case kTouchMoved:
        if (!sender || sender->getTouchStartPos().getDistance(worldPoint) <= kChildFocusCancelDistance) return;
        if (sender->isFocused()) sender->setFocused(false);
        handleMove(worldPoint);
        break;
    case kTouchEnded: handleRelease(worldPoint); break;
    default: break;
    }
}

// ---- slides ----------------------------------------------------------------------------

void UIDragPanel::startCoasting()
{
    m_eMoveType = DRAGPANEL_MOVE_AUTOMOVE;
    m_bRunningAction = false;
    const float pressed = m_fSlideTime;
    m_fSlideTime = 0;
    if (pressed <= 0) {
        // Released in the frame it was pressed: no speed to coast with. Content
        // a drag left uncovered still springs back.
        m_eMoveType = DRAGPANEL_MOVE_NONE;
        if (m_bBounceEnable && !coversView()) startBounce();
        return;
    }
    CCPoint delta = (m_touchEndWorldSpace - m_touchStartWorldSpace) / (pressed * kCoastFramesPerSecond);
    if (!m_bBounceEnable) clampDelta(delta);
    startSlide(delta, m_fAutoMoveDuration);
}

void UIDragPanel::startBounce()
{
    m_eMoveType = DRAGPANEL_MOVE_BOUNCE;
    m_bRunningAction = false;
    const Edges e = innerEdges();
    const float w = m_size.width, h = m_size.height;
    CCPoint move(0, 0);
    if (e.left > 0 && e.bottom > 0) {
        m_eBounceDirection = DRAGPANEL_BERTH_LEFTBOTTOM;
        move = CCPoint(-e.left, -e.bottom);
    } else if (e.left > 0 && e.top < h) {
        m_eBounceDirection = DRAGPANEL_BERTH_LEFTTOP;
        move = CCPoint(-e.left, h - e.top);
    } else if (e.right < w && e.bottom > 0) {
        m_eBounceDirection = DRAGPANEL_BERTH_RIGHTBOTTOM;
        move = CCPoint(w - e.right, -e.bottom);
    } else if (e.right < w && e.top < h) {
        m_eBounceDirection = DRAGPANEL_BERTH_RIGHTTOP;
        move = CCPoint(w - e.right, h - e.top);
    } else if (e.left > 0) {
        m_eBounceDirection = DRAGPANEL_BERTH_LEFT;
        move = CCPoint(-e.left, 0);
    } else if (e.top < h) {
        m_eBounceDirection = DRAGPANEL_BERTH_TOP;
        move = CCPoint(0, h - e.top);
    } else if (e.right < w) {
        m_eBounceDirection = DRAGPANEL_BERTH_RIGHT;
        move = CCPoint(w - e.right, 0);
    } else if (e.bottom > 0) {
        m_eBounceDirection = DRAGPANEL_BERTH_BOTTOM;
        move = CCPoint(0, -e.bottom);
    } else {
        m_eBounceDirection = DRAGPANEL_BERTH_NONE;
    }
    startSlide(move, m_fBounceDuration);
}

void UIDragPanel::startSlide(const CCPoint& delta, float duration)
{
    m_bRunningAction = true;
    m_fDuration = duration == 0 ? kShortestSlide : duration;
    m_fElapsed = 0;
    m_bFirstTick = true;
    m_slideDelta = delta;
    m_slideStart = m_slidePrevious = m_pInnerContainer->getPosition();
}

void UIDragPanel::stepSlide(float dt)
{
    if (m_bFirstTick) {
        m_bFirstTick = false;
        m_fElapsed = 0;
    } else {
        m_fElapsed += dt;
    }
    const float t = std::min(1.0f, std::max(0.0f, m_fElapsed / std::max(m_fDuration, kShortestSlide)));
    const float rate = m_eMoveType == DRAGPANEL_MOVE_BOUNCE ? m_fBounceEaseRate : m_fAutoMoveEaseRate;
    const float eased = std::pow(t, 1.0f / rate);
    // Moves made by others during the slide carry over.
    const CCPoint current = m_pInnerContainer->getPosition();
    m_slideStart = m_slideStart + (current - m_slidePrevious);
    const CCPoint next = m_slideStart + m_slideDelta * eased;
    m_pInnerContainer->setPosition(next);
    m_slidePrevious = next;
    if (m_eMoveType == DRAGPANEL_MOVE_AUTOMOVE && m_bBounceEnable && !coversView()) startBounce();
}

void UIDragPanel::update(float dt)
{
    if (m_pInnerContainer && m_bRunningAction) {
        if (m_fElapsed >= m_fDuration) {
            m_bRunningAction = false;
            if (m_eMoveType == DRAGPANEL_MOVE_AUTOMOVE) {
                m_eMoveType = DRAGPANEL_MOVE_NONE;
                m_eBerthDirection = findBerth();
                reportBerth(m_eBerthDirection);
                m_eBerthDirection = DRAGPANEL_BERTH_NONE;
            } else if (m_eMoveType == DRAGPANEL_MOVE_BOUNCE) {
                const DragPanelBerth bounced = m_eBounceDirection;
                m_eBounceDirection = DRAGPANEL_BERTH_NONE;
                m_eMoveType = DRAGPANEL_MOVE_NONE;
                if (bounced != DRAGPANEL_BERTH_NONE) report(static_cast<DragPanelEventKind>(bounced - 1 + 8));
            }
        } else {
            stepSlide(dt);
        }
    }
    if (m_bTouchPressed) m_fSlideTime += dt;
}

} // namespace cc
