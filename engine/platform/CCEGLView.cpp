// The view's geometry (frame, design resolution, fit) and the single touch
// that window input or the frame driver feeds to the touch dispatcher.
#include "platform/CCEGLView.h"

#include "base/CCLog.h"
#include "base/CCSet.h"
#include "platform/WindowBackend.h"
#include "scene/CCDirector.h"
#include "scene/CCTouch.h"
#include "scene/CCTouchDispatcher.h"

#include <algorithm>

namespace cc {

namespace {
CCEGLView* s_sharedView = nullptr;

void dispatch(CCTouch* touch, TouchPhase phase)
{
    CCRefPtr<CCSet> set = CCRefPtr<CCSet>::adopt(new CCSet());
    set->addObject(touch);
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    switch (phase) {
    case kTouchBegan: dispatcher->touchesBegan(set.get(), nullptr); break;
    case kTouchMoved: dispatcher->touchesMoved(set.get(), nullptr); break;
    case kTouchEnded: dispatcher->touchesEnded(set.get(), nullptr); break;
    case kTouchCancelled: dispatcher->touchesCancelled(set.get(), nullptr); break;
    }
}
} // namespace

CCEGLView* CCEGLView::sharedOpenGLView()
{
    if (!s_sharedView) {
        s_sharedView = new CCEGLView();
    }
    return s_sharedView;
}

void CCEGLView::purgeSharedOpenGLView()
{
    delete s_sharedView;
    s_sharedView = nullptr;
}

CCEGLView::CCEGLView() = default;

CCEGLView::~CCEGLView()
{
    m_pTouch.reset();
    if (m_backend) {
        m_backend->close();
    }
}

void CCEGLView::setViewName(const char* name)
{
    m_viewName = name ? name : "";
    if (m_backend) {
        m_backend->setTitle(m_viewName.c_str());
    }
}

void CCEGLView::setFrameSize(float width, float height)
{
    m_frameSize = CCSize(width, height);
    m_askedFrameSize = m_frameSize;
    if (m_designSize.width <= 0) {
        // Until a design resolution is set, points are pixels.
        m_designSize = m_frameSize;
    }
    if (m_backend) {
        m_backend->setSize(static_cast<int>(width + 0.5f), static_cast<int>(height + 0.5f));
    }
    updateScale();
}

void CCEGLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy)
{
    if (width <= 0 || height <= 0) {
        CCLog("CCEGLView: design resolution %gx%g refused", width, height);
        return;
    }
    m_designSize = CCSize(width, height);
    m_policy = policy;
    updateScale();
}

void CCEGLView::updateScale()
{
    if (m_designSize.width <= 0 || m_frameSize.width <= 0) {
        m_scaleX = m_scaleY = 1.0f;
        return;
    }
    m_scaleX = m_frameSize.width / m_designSize.width;
    m_scaleY = m_frameSize.height / m_designSize.height;
    const bool askedSize = m_frameSize.width == m_askedFrameSize.width && m_frameSize.height == m_askedFrameSize.height;
    if (m_policy == kResolutionExactFit && !askedSize) {
        // The user shaped this window: stretching would distort the pages.
        m_scaleX = m_scaleY = std::min(m_scaleX, m_scaleY);
        return;
    }
    switch (m_policy) {
    case kResolutionNoBorder: m_scaleX = m_scaleY = std::max(m_scaleX, m_scaleY); break;
    case kResolutionShowAll: m_scaleX = m_scaleY = std::min(m_scaleX, m_scaleY); break;
    case kResolutionFixedHeight: m_scaleX = m_scaleY; break;
    case kResolutionFixedWidth: m_scaleY = m_scaleX; break;
    default: break;
    }
}

CCSize CCEGLView::getVisibleSize() const
{
    if (m_policy == kResolutionNoBorder && m_scaleX > 0) {
        return CCSize(m_frameSize.width / m_scaleX, m_frameSize.height / m_scaleY);
    }
    return m_designSize;
}

CCPoint CCEGLView::getVisibleOrigin() const
{
    if (m_policy == kResolutionNoBorder) {
        const CCSize visible = getVisibleSize();
        return CCPoint((m_designSize.width - visible.width) / 2, (m_designSize.height - visible.height) / 2);
    }
    return CCPointZero;
}

CCPoint CCEGLView::frameToDesign(float px, float py) const
{
    // The same rectangle the picture is drawn into.
    const CCRect viewport = getViewportRect();
    const float x = (px - viewport.origin.x) / m_scaleX;
    const float yDown = (py - viewport.origin.y) / m_scaleY;
    return CCPoint(x, m_designSize.height - yDown);
}

void CCEGLView::setWindowSize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    // The window is made in whole units: the asked size, rounded, is still
    // the asked size, and keeps its exact fractional scale.
    const bool asked = width == static_cast<int>(m_askedFrameSize.width + 0.5f) &&
                       height == static_cast<int>(m_askedFrameSize.height + 0.5f);
    m_frameSize = asked ? m_askedFrameSize : CCSize(static_cast<float>(width), static_cast<float>(height));
    if (m_designSize.width <= 0) {
        m_designSize = m_frameSize;
    }
    updateScale();
}

CCRect CCEGLView::getViewportRect() const
{
    const float w = m_designSize.width * m_scaleX;
    const float h = m_designSize.height * m_scaleY;
    return CCRect((m_frameSize.width - w) / 2, (m_frameSize.height - h) / 2, w, h);
}

bool CCEGLView::isInViewport(float px, float py) const
{
    const CCRect r = getViewportRect();
    return px >= r.origin.x && px < r.origin.x + r.size.width && py >= r.origin.y && py < r.origin.y + r.size.height;
}

void CCEGLView::frameChanged()
{
    // What the window shows must be drawn again at its new size or place.
    CCDirector::setNeedsRedraw();
    if (m_frameChanged) {
        m_frameChanged();
    }
}

void CCEGLView::setFullScreen(bool on)
{
    if (m_backend) {
        m_backend->setFullScreen(on);
    }
}

bool CCEGLView::isFullScreen() const { return m_backend && m_backend->isFullScreen(); }

void CCEGLView::setBackend(std::unique_ptr<WindowBackend> backend)
{
    if (m_backend) {
        m_backend->close();
    }
    m_backend = std::move(backend);
}

bool CCEGLView::isOpenGLReady() const { return m_backend && m_backend->hasGLContext(); }

void CCEGLView::swapBuffers()
{
    if (m_backend) {
        m_backend->swapBuffers();
    }
}

void CCEGLView::end()
{
    if (m_backend) {
        m_backend->close();
    }
}

// ---- Input ----------------------------------------------------------------------

void CCEGLView::handlePointerDown(float px, float py)
{
    if (isInViewport(px, py)) {
        touchBegan(frameToDesign(px, py));
    }
}
void CCEGLView::handlePointerMove(float px, float py) { touchMoved(frameToDesign(px, py)); }
void CCEGLView::handlePointerUp(float px, float py) { touchEnded(frameToDesign(px, py)); }
void CCEGLView::handlePointerCancel() { touchCancelled(); }

void CCEGLView::touchBegan(const CCPoint& p)
{
    if (m_pTouch) {
        // A press without a release (the release happened outside the
        // window): the old touch is cancelled before the new one starts.
        touchCancelled();
    }
    m_pTouch = CCRefPtr<CCTouch>::adopt(new CCTouch());
    m_pTouch->setTouchInfo(m_nextTouchId++, p);
    // Held through the dispatch: a handler may end the touch meanwhile.
    CCRefPtr<CCTouch> touch = m_pTouch;
    dispatch(touch.get(), kTouchBegan);
}

void CCEGLView::touchMoved(const CCPoint& p)
{
    if (!m_pTouch) {
        return;
    }
    m_pTouch->setTouchInfo(m_pTouch->getID(), p);
    CCRefPtr<CCTouch> touch = m_pTouch;
    dispatch(touch.get(), kTouchMoved);
}

void CCEGLView::touchEnded(const CCPoint& p)
{
    if (!m_pTouch) {
        return;
    }
    CCRefPtr<CCTouch> touch = std::move(m_pTouch);
    touch->setTouchInfo(touch->getID(), p);
    dispatch(touch.get(), kTouchEnded);
}

void CCEGLView::touchCancelled()
{
    if (!m_pTouch) {
        return;
    }
    CCRefPtr<CCTouch> touch = std::move(m_pTouch);
    dispatch(touch.get(), kTouchCancelled);
}

} // namespace cc
