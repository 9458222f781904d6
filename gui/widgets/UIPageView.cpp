// Page view: the page list beside the ordinary children, the row of pages
// following the finger between its two end pages, and the 0.2 s snap.
#include "gui/widgets/UIPageView.h"

#include <cmath>

#include "scene/CCNode.h"

namespace cc {

UIPageView::UIPageView() = default;

UIPageView* UIPageView::create()
{
    UIPageView* view = new UIPageView();
    return autoreleasedOrNull(view, view->init());
}

UIPageView::~UIPageView() = default;

bool UIPageView::init()
{
    if (!Layout::init()) return false;
    m_pages.reset(CCArray::create());
    if (!m_pages) return false;
    setClippingEnabled(true);
    setUpdateEnabled(true);
    return true;
}

const char* UIPageView::getTypeName() { return "PageView"; }

void UIPageView::doLayout() {}

bool UIPageView::addChild(UIWidget* child) { return UIWidget::addChild(child); }

bool UIPageView::removeChild(UIWidget* child)
{
    if (!child || !m_pages || !m_pages->containsObject(child)) return false;
    // Held while the list and the child array each let go of it.
    CCRefPtr<UIWidget> keepAlive(child);
    m_pages->removeObject(child);
    const bool removed = UIWidget::removeChild(child);
    keepAlive.reset();
    refreshEndPages();
    return removed;
}

void UIPageView::removeAllChildren()
{
    if (m_pages) m_pages->removeAllObjects();
    m_pLeftChild = m_pRightChild = nullptr;
    UIWidget::removeAllChildren();
}

bool UIPageView::addPage(Layout* page)
{
    if (!page || !m_pages || m_pages->containsObject(page)) return false;
    if (!UIWidget::addChild(page)) return false;
    m_pages->addObject(page);
    page->setSize(m_size);
    layoutPages();
    refreshEndPages();
    return true;
}

void UIPageView::refreshEndPages()
{
    const bool any = m_pages && m_pages->count() > 0;
    m_pLeftChild = any ? static_cast<UIWidget*>(m_pages->objectAtIndex(0)) : nullptr;
    m_pRightChild = any ? static_cast<UIWidget*>(m_pages->lastObject()) : nullptr;
}

void UIPageView::onSizeChanged()
{
    Layout::onSizeChanged();
    m_fRightBoundary = m_size.width;
    if (!m_pages) return;
    for (CCObject* obj : *m_pages) static_cast<UIWidget*>(obj)->setSize(m_size);
    layoutPages();
}

void UIPageView::layoutPages()
{
    const int count = m_pages ? static_cast<int>(m_pages->count()) : 0;
    if (count == 0) m_nCurPageIdx = 0;
    else if (m_nCurPageIdx > count - 1) m_nCurPageIdx = count - 1;
    for (int i = 0; i < count; ++i) {
        UIWidget* page = static_cast<UIWidget*>(m_pages->objectAtIndex(i));
        page->setPosition(CCPoint((i - m_nCurPageIdx) * m_size.width, 0));
    }
}

void UIPageView::scrollToPage(int index)
{
    if (!m_pages || index < 0 || index >= static_cast<int>(m_pages->count())) return;
    m_nCurPageIdx = index;
    UIWidget* page = static_cast<UIWidget*>(m_pages->objectAtIndex(index));
    m_fAutoScrollDistance = -page->getPosition().x;
    m_bAutoScroll = true;
    m_fAutoScrollSpeed = std::fabs(m_fAutoScrollDistance) / kSnapDuration;
    m_nAutoScrollDir = m_fAutoScrollDistance > 0 ? 1 : 0;
}

void UIPageView::movePagesBy(float offset)
{
    for (CCObject* obj : *m_pages) {
        UIWidget* page = static_cast<UIWidget*>(obj);
        const CCPoint p = page->getPosition();
        page->setPosition(CCPoint(p.x + offset, p.y));
    }
}

bool UIPageView::scrollPages(float offset)
{
    if (!m_pages || m_pages->count() == 0 || !m_pLeftChild || !m_pRightChild) return false;
    if (m_nTouchMoveDir == 0) {
        const float rightEdge = m_pRightChild->getRightEdge();
        if (m_fRightBoundary >= rightEdge + offset) {
            movePagesBy(m_fRightBoundary - rightEdge);
            return false;
        }
    } else {
        const float leftEdge = m_pLeftChild->getLeftEdge();
        if (m_fLeftBoundary <= leftEdge + offset) {
            movePagesBy(m_fLeftBoundary - leftEdge);
            return false;
        }
    }
    movePagesBy(offset);
    return true;
}

void UIPageView::update(float dt)
{
    if (!m_bAutoScroll) return;
    const float step = m_fAutoScrollSpeed * dt;
    if (m_nAutoScrollDir == 0) {
        if (m_fAutoScrollDistance + step >= 0) {
            // The last part of the way, so the page lands exactly in place.
            const float rest = m_fAutoScrollDistance;
            m_fAutoScrollDistance = 0;
            m_bAutoScroll = false;
            scrollPages(rest);
            reportTurning();
        } else {
            m_fAutoScrollDistance += step;
            scrollPages(-step);
        }
    } else {
        if (m_fAutoScrollDistance - step <= 0) {
            const float rest = m_fAutoScrollDistance;
            m_fAutoScrollDistance = 0;
            m_bAutoScroll = false;
            scrollPages(rest);
            reportTurning();
        } else {
            m_fAutoScrollDistance -= step;
            scrollPages(step);
        }
    }
}

void UIPageView::setPageViewListener(CCObject* target, SEL_PageViewEvent selector)
{
    m_pPageViewTarget = target;
    m_pPageViewSelector = selector;
}

void UIPageView::setPageTurningListener(CCObject* target, SEL_CallFuncO selector)
{
    m_pTurningTarget = target;
    m_pTurningSelector = selector;
}

void UIPageView::reportTurning()
{
    if (m_pTurningTarget && m_pTurningSelector) (m_pTurningTarget->*m_pTurningSelector)(this);
    if (m_pPageViewTarget && m_pPageViewSelector) (m_pPageViewTarget->*m_pPageViewSelector)(this, PAGEVIEW_EVENT_TURNING);
}

// ---- touches ---------------------------------------------------------------------------

void UIPageView::onTouchBegan(const CCPoint& worldPoint)
{
    Layout::onTouchBegan(worldPoint);
    handlePress(worldPoint);
}

void UIPageView::onTouchMoved(const CCPoint& worldPoint)
{
    m_touchMovePos = worldPoint;
    handleMove(worldPoint);
    if (m_pParent) m_pParent->interceptChildTouch(kTouchMoved, this, worldPoint);
    notifyListener(kTouchMoved);
    // Leaving the view ends the touch there and then.
    if (!hitTest(worldPoint)) {
        setFocused(false);
        onTouchEnded(worldPoint);
    }
}

void UIPageView::onTouchEnded(const CCPoint& worldPoint)
{
    Layout::onTouchEnded(worldPoint);
    handleRelease(worldPoint);
}

void UIPageView::interceptChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& point)
{
    handleChildTouch(phase, sender, point);
}

void UIPageView::handlePress(const CCPoint& worldPoint)
{
    m_fTouchStart = m_fTouchMoveStart = m_pRenderNode->convertToNodeSpace(worldPoint).x;
}

void UIPageView::handleMove(const CCPoint& worldPoint)
{
    const float x = m_pRenderNode->convertToNodeSpace(worldPoint).x;
    const float offset = x - m_fTouchMoveStart;
    m_fTouchMoveStart = x;
    if (offset < 0) m_nTouchMoveDir = 0;
    else if (offset > 0) m_nTouchMoveDir = 1;
    scrollPages(offset);
}

void UIPageView::handleRelease(const CCPoint& worldPoint)
{
    m_fTouchEnd = m_pRenderNode->convertToNodeSpace(worldPoint).x;
    const int count = m_pages ? static_cast<int>(m_pages->count()) : 0;
    if (m_nCurPageIdx < 0 || m_nCurPageIdx >= count) return;
    UIWidget* page = static_cast<UIWidget*>(m_pages->objectAtIndex(m_nCurPageIdx));
    const float x = page->getPosition().x;
    const float threshold = m_size.width * 0.5f;
    if (x <= -threshold) {
        if (m_nCurPageIdx + 1 < count) scrollToPage(m_nCurPageIdx + 1);
        else scrollPages(-x);
    } else if (x >= threshold) {
        if (m_nCurPageIdx > 0) scrollToPage(m_nCurPageIdx - 1);
        else scrollPages(-x);
    } else {
        scrollToPage(m_nCurPageIdx);
    }
}

void UIPageView::handleChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& worldPoint)
{
    switch (phase) {
    case kTouchBegan: handlePress(worldPoint); break;
    case kTouchMoved:
        if (!sender || std::fabs(sender->getTouchStartPos().x - worldPoint.x) <= m_fChildFocusCancelDistance) return;
        if (sender->isFocused()) sender->setFocused(false);
        handleMove(worldPoint);
        break;
    case kTouchEnded: handleRelease(worldPoint); break;
    default: break;
    }
}

} // namespace cc
