// The frame: scene switch, scheduler tick, visit, pool drain.
#include "scene/CCDirector.h"

#include "actions/CCActionManager.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCLog.h"
#include "platform/CCEGLView.h"
#include "scene/CCKeyDispatcher.h"
#include "scene/CCScene.h"
#include "scene/CCScheduler.h"
#include "scene/CCTouchDispatcher.h"

namespace cc {

namespace {
CCDirector* s_sharedDirector = nullptr;
// Process-wide, like the stage it describes; nodes raise it without a director at hand.
bool s_needsRedraw = true;
// Without a view the design area is the reader's portrait page.
const CCSize kDefaultWinSize(640, 960);
} // namespace

CCDirector* CCDirector::sharedDirector()
{
    if (!s_sharedDirector) {
        s_sharedDirector = new CCDirector();
        s_sharedDirector->excludeFromLiveCount();
    }
    return s_sharedDirector;
}

void CCDirector::purgeSharedDirector()
{
    if (!s_sharedDirector) {
        return;
    }
    CCDirector* d = s_sharedDirector;
    d->releaseScenes();
    CCPoolManager::sharedPoolManager()->pop();
    s_sharedDirector = nullptr;
    d->release();
}

CCDirector::CCDirector()
{
    m_pScheduler = CCRefPtr<CCScheduler>::adopt(new CCScheduler());
    m_pScheduler->excludeFromLiveCount();
    m_pActionManager = CCRefPtr<CCActionManager>::adopt(new CCActionManager());
    m_pActionManager->excludeFromLiveCount();
    // Actions advance before any node's own timers in the same frame.
    m_pScheduler->scheduleUpdateForTarget(m_pActionManager.get(), kCCPrioritySystem, false);
    m_pTouchDispatcher = CCRefPtr<CCTouchDispatcher>::adopt(new CCTouchDispatcher());
    m_pTouchDispatcher->excludeFromLiveCount();
    // Not retained: the key dispatcher is let go before the touch dispatcher.
    CCTouchDispatcher* touches = m_pTouchDispatcher.get();
    m_pKeyDispatcher =
        CCRefPtr<CCKeyDispatcher>::adopt(new CCKeyDispatcher([touches] { return !touches->isDispatchEvents(); }));
    m_pKeyDispatcher->excludeFromLiveCount();
    setNeedsRedraw();
}

CCDirector::~CCDirector()
{
    releaseScenes();
    m_pScheduler->unscheduleAll();
    // The services are let go after this body in reverse order of their
    // declaration: keys, touches, actions, then the scheduler.
}

void CCDirector::releaseScenes()
{
    if (m_pRunningScene) {
        if (m_pRunningScene->isRunning()) {
            m_pRunningScene->onExitTransitionDidStart();
            m_pRunningScene->onExit();
        }
        m_pRunningScene->cleanup();
    }
    m_pRunningScene.reset();
    m_pNextScene.reset();
    m_pDeferredScene.reset();
}

// ---- View -------------------------------------------------------------------------

void CCDirector::setOpenGLView(CCEGLView* view) { m_pView = view; }

CCSize CCDirector::getWinSize() const
{
    if (m_pView && m_pView->getDesignResolutionSize().width > 0) {
        return m_pView->getDesignResolutionSize();
    }
    return kDefaultWinSize;
}

CCSize CCDirector::getWinSizeInPixels() const
{
    return m_pView && m_pView->getFrameSize().width > 0 ? m_pView->getFrameSize() : getWinSize();
}

CCSize CCDirector::getVisibleSize() const { return m_pView ? m_pView->getVisibleSize() : getWinSize(); }

CCPoint CCDirector::getVisibleOrigin() const { return m_pView ? m_pView->getVisibleOrigin() : CCPointZero; }

CCPoint CCDirector::convertToGL(const CCPoint& uiPoint) const
{
    return CCPoint(uiPoint.x, getWinSize().height - uiPoint.y);
}

CCPoint CCDirector::convertToUI(const CCPoint& glPoint) const
{
    return CCPoint(glPoint.x, getWinSize().height - glPoint.y);
}

// ---- Scenes -------------------------------------------------------------------------

void CCDirector::runWithScene(CCScene* scene)
{
    if (!scene) {
        CCLog("CCDirector::runWithScene: no scene given");
        return;
    }
    if (m_pRunningScene) {
        replaceScene(scene);
        return;
    }
    m_pNextScene.reset(scene);
}

void CCDirector::replaceScene(CCScene* scene)
{
    if (!scene) {
        CCLog("CCDirector::replaceScene: no scene given");
        return;
    }
    if (m_pRunningScene && m_pRunningScene->isTransition() && m_pRunningScene->isRunning()) {
        // A transition is playing: the request waits until it has finished.
        m_pDeferredScene.reset(scene);
        return;
    }
    // A second request before the switch wins; the first is let go.
    m_pNextScene.reset(scene);
}

void CCDirector::transitionFinished(CCScene* incoming)
{
    if (!incoming) {
        return;
    }
    m_pNextScene.reset(incoming);
}

void CCDirector::setNextScene()
{
    CCScene* outgoing = m_pRunningScene.get();
    CCScene* incoming = m_pNextScene.get();
    const bool outgoingIsTransition = outgoing && outgoing->isTransition();
    const bool incomingIsTransition = incoming->isTransition();

    // A transition scene runs the outgoing scene's exit itself, and has
    // already entered the incoming scene when it hands it over.
    if (outgoing && !incomingIsTransition) {
        if (outgoing->isRunning()) {
            outgoing->onExitTransitionDidStart();
            outgoing->onExit();
        }
        outgoing->cleanup();
    }
    // The outgoing scene is held until the incoming one has entered.
    CCRefPtr<CCScene> outgoingHeld = std::move(m_pRunningScene);
    m_pRunningScene = std::move(m_pNextScene);
    setNeedsRedraw();
    if (!outgoingIsTransition || !incoming->isRunning()) {
        incoming->onEnter();
        incoming->onEnterTransitionDidFinish();
    }
    outgoingHeld.reset();

    if (outgoingIsTransition && m_pDeferredScene) {
        // Asked for while the transition played: it goes next.
        m_pNextScene = std::move(m_pDeferredScene);
    }
}

// ---- Frame loop -----------------------------------------------------------------------

void CCDirector::setAnimationInterval(double interval)
{
    if (interval > 0) {
        m_dAnimationInterval = interval;
    }
}

void CCDirector::stopAnimation() { m_bInvalid = true; }
void CCDirector::startAnimation()
{
    m_bInvalid = false;
    setNeedsRedraw();
}
void CCDirector::pause() { m_bPaused = true; }
void CCDirector::resume() { m_bPaused = false; }

void CCDirector::end()
{
    m_bEnded = true;
    if (m_pView) {
        m_pView->end();
    }
}

void CCDirector::mainLoop(float dt)
{
    bool sceneLeft = false;
    if (!m_bInvalid && !m_bEnded) {
        m_fDeltaTime = dt < 0 ? 0 : dt;
        m_dTotalTime += m_fDeltaTime;
        ++m_uTotalFrames;
        if (m_pNextScene) {
            setNextScene();
            sceneLeft = true;
        }
        if (!m_bPaused) {
            m_pScheduler->update(m_fDeltaTime);
        }
        // A transition is drawn from its progress, not from node setters:
        // every frame of it is drawn.
        if (!m_bDrawOnDemand || s_needsRedraw || (m_pRunningScene && m_pRunningScene->isTransition())) {
            drawScene();
        }
    }
    CCPoolManager::sharedPoolManager()->pop();
    // The scene that left is gone with the pool.
    if (sceneLeft && m_bPurgeOnSceneChange) {
        purgeCachedData();
    }
}

// ---- Drawing on demand ------------------------------------------------------------------

void CCDirector::setNeedsRedraw() { s_needsRedraw = true; }

bool CCDirector::needsRedraw() { return s_needsRedraw; }

double CCDirector::secondsUntilNextFrame() const
{
    if (m_bInvalid || m_bEnded) {
        return -1.0;
    }
    if (s_needsRedraw || m_pNextScene) {
        return 0.0;
    }
    return m_bPaused ? -1.0 : m_pScheduler->secondsUntilNextWork();
}

// ---- Drawing ---------------------------------------------------------------------------

void CCDirector::setDepthTest(bool on)
{
    if (on != m_bDepthTest) {
        m_bDepthTest = on;
        setNeedsRedraw();
    }
}

void CCDirector::setRenderer(CCRenderer* renderer)
{
    m_pRenderer = renderer;
    setNeedsRedraw();
}

void CCDirector::setFrameHooks(std::function<void()> beginFrame, std::function<void()> endFrame)
{
    m_beginFrame = std::move(beginFrame);
    m_endFrame = std::move(endFrame);
    setNeedsRedraw();
}

void CCDirector::drawScene()
{
    ++m_uDrawnFrames;
    if (m_beginFrame) {
        m_beginFrame();
    }
    if (m_pRunningScene) {
        m_pRunningScene->visit();
    }
    if (m_endFrame) {
        m_endFrame();
    }
    // Lowered after the visit: what nodes change while they are drawn (a
    // label laying out its glyphs, a nine-slice placing its cells) is already
    // in this frame.
    s_needsRedraw = false;
}

// ---- Services ----------------------------------------------------------------------------

void CCDirector::purgeCachedData()
{
    for (auto& purge : m_purgers) {
        purge();
    }
}

void CCDirector::addCachePurger(std::function<void()> purger) { m_purgers.push_back(std::move(purger)); }

} // namespace cc
