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
    CCSet* set = new CCSet();
    set->addObject(touch);
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    switch (phase) {
    case kTouchBegan: dispatcher->touchesBegan(set, nullptr); break;
    case kTouchMoved: dispatcher->touchesMoved(set, nullptr); break;
    case kTouchEnded: dispatcher->touchesEnded(set, nullptr); break;
    case kTouchCancelled: dispatcher->touchesCancelled(set, nullptr); break;
    }
    set->release();
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
    if (m_pTouch) {
        m_pTouch->release();
    }
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
    // Letterboxing policies centre the design area in the frame.
    const float offX = (m_frameSize.width - m_designSize.width * m_scaleX) / 2;
    const float offY = (m_frameSize.height - m_designSize.height * m_scaleY) / 2;
    const float x = (px - offX) / m_scaleX;
    const float yDown = (py - offY) / m_scaleY;
    return CCPoint(x, m_designSize.height - yDown);
}

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

void CCEGLView::handlePointerDown(float px, float py) { touchBegan(frameToDesign(px, py)); }
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
    m_pTouch = new CCTouch();
    m_pTouch->setTouchInfo(m_nextTouchId++, p);
    CCTouch* touch = m_pTouch;
    touch->retain();
    dispatch(touch, kTouchBegan);
    touch->release();
}

void CCEGLView::touchMoved(const CCPoint& p)
{
    if (!m_pTouch) {
        return;
    }
    m_pTouch->setTouchInfo(m_pTouch->getID(), p);
    CCTouch* touch = m_pTouch;
    touch->retain();
    dispatch(touch, kTouchMoved);
    touch->release();
}

void CCEGLView::touchEnded(const CCPoint& p)
{
    if (!m_pTouch) {
        return;
    }
    CCTouch* touch = m_pTouch;
    m_pTouch = nullptr;
    touch->setTouchInfo(touch->getID(), p);
    dispatch(touch, kTouchEnded);
    touch->release();
}

void CCEGLView::touchCancelled()
{
    if (!m_pTouch) {
        return;
    }
    CCTouch* touch = m_pTouch;
    m_pTouch = nullptr;
    dispatch(touch, kTouchCancelled);
    touch->release();
}

} // namespace cc
