// Headless frame stepping on a virtual clock.
#include "platform/FrameDriver.h"

#include "audio/SimpleAudioEngine.h"
#include "base/CCAutoreleasePool.h"
#include "platform/CCEGLView.h"
#include "render/CCFrameCapture.h"
#include "render/CCHiddenWindow.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

namespace cc {

namespace {
const float kDesignWidth = 640, kDesignHeight = 960;
}

FrameDriver::FrameDriver(float frameTime) : m_frameTime(frameTime > 0 ? frameTime : kDefaultFrameTime)
{
    // Start from nothing: a director or view left by an earlier user is gone.
    CCDirector::purgeSharedDirector();
    CCEGLView::purgeSharedOpenGLView();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(kDesignWidth, kDesignHeight);
    view->setDesignResolutionSize(kDesignWidth, kDesignHeight, kResolutionExactFit);
    CCDirector* director = CCDirector::sharedDirector();
    director->setOpenGLView(view);
    director->setAnimationInterval(m_frameTime);
}

FrameDriver::~FrameDriver()
{
    for (auto& hook : m_teardown) {
        hook();
    }
    if (m_rendering) {
        tearDownHiddenRendering();
    }
    SimpleAudioEngine::end();
    CCDirector::purgeSharedDirector();
    CCEGLView::purgeSharedOpenGLView();
    CCPoolManager::sharedPoolManager()->pop();
}

void FrameDriver::step(int frames)
{
    for (int i = 0; i < frames; ++i) {
        // Narration plays on the same virtual clock (when the simulated
        // audio backend is installed; nothing otherwise).
        SimpleAudioEngine::advanceSimulatedClock(m_frameTime);
        for (auto& listener : m_clockListeners) {
            listener(m_frameTime);
        }
        m_now += m_frameTime;
        CCDirector::sharedDirector()->mainLoop(m_frameTime);
    }
}

void FrameDriver::advance(double seconds)
{
    // Frames are whole; a tiny slack keeps 1.0 s at 60 Hz at 60 frames.
    const double target = m_now + seconds - 1e-9;
    while (m_now < target) {
        step();
    }
}

void FrameDriver::onClock(std::function<void(double)> listener) { m_clockListeners.push_back(std::move(listener)); }

void FrameDriver::onTeardown(std::function<void()> hook) { m_teardown.push_back(std::move(hook)); }

void FrameDriver::show(CCScene* scene)
{
    CCDirector* director = CCDirector::sharedDirector();
    if (director->getRunningScene() || director->getNextScene()) {
        director->replaceScene(scene);
    } else {
        director->runWithScene(scene);
    }
    step();
}

bool FrameDriver::enableRendering(int frameWidth, int frameHeight)
{
    if (!m_rendering) {
        m_rendering = setUpHiddenRendering(frameWidth, frameHeight);
    }
    return m_rendering;
}

bool FrameDriver::screenshot(const std::string& path) const
{
    return m_rendering && CCFrameCapture::saveToPNG(path);
}

CCDirector* FrameDriver::director() const { return CCDirector::sharedDirector(); }

void FrameDriver::touchDown(const CCPoint& p) { CCEGLView::sharedOpenGLView()->touchBegan(p); }
void FrameDriver::touchMove(const CCPoint& p) { CCEGLView::sharedOpenGLView()->touchMoved(p); }
void FrameDriver::touchUp(const CCPoint& p) { CCEGLView::sharedOpenGLView()->touchEnded(p); }
void FrameDriver::touchCancel() { CCEGLView::sharedOpenGLView()->touchCancelled(); }

void FrameDriver::tap(const CCPoint& p)
{
    touchDown(p);
    step();
    touchUp(p);
    step();
}

void FrameDriver::drag(const CCPoint& from, const CCPoint& to, int moves)
{
    touchDown(from);
    step();
    for (int i = 1; i <= moves; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(moves);
        touchMove(from + (to - from) * t);
        step();
    }
    touchUp(to);
    step();
}

} // namespace cc
