// Transition timing and the lifecycle calls of the two scenes it joins.
#include "transitions/CCTransitionScene.h"

#include "base/CCLog.h"
#include "scene/CCDirector.h"
#include "scene/CCTouchDispatcher.h"

namespace cc {

CCTransitionScene* CCTransitionScene::create(float duration, CCScene* scene)
{
    CCTransitionScene* t = new CCTransitionScene();
    if (t->initWithDuration(duration, scene)) {
        t->autorelease();
        return t;
    }
    delete t;
    return nullptr;
}

CCTransitionScene::CCTransitionScene() = default;

CCTransitionScene::~CCTransitionScene()
{
    // The incoming scene is let go first, as it always was.
    m_pInScene.reset();
    m_pOutScene.reset();
}

bool CCTransitionScene::initWithDuration(float duration, CCScene* scene)
{
    if (!scene) {
        CCLog("CCTransitionScene: no incoming scene");
        return false;
    }
    if (!CCScene::init()) return false;
    CCScene* running = CCDirector::sharedDirector()->getRunningScene();
    if (running == scene) {
        CCLog("CCTransitionScene: the incoming scene is already running");
        return false;
    }
    m_fDuration = duration > 0 ? duration : 0;
    m_pInScene.reset(scene);
    // Without a running scene the transition starts from an empty one.
    m_pOutScene.reset(running ? running : CCScene::create());
    return true;
}

void CCTransitionScene::onEnter()
{
    CCScene::onEnter();
    if (m_bStarted) return;
    m_bStarted = true;
    CCDirector::sharedDirector()->getTouchDispatcher()->setDispatchEvents(false);
    m_pOutScene->onExitTransitionDidStart();
    m_pInScene->onEnter();
    progressChanged(0);
    if (m_fDuration <= 0) {
        finish();
    } else {
        scheduleUpdate();
    }
}

void CCTransitionScene::update(float dt)
{
    if (m_bFinished) return;
    m_fElapsed += dt;
    m_fProgress = m_fElapsed >= m_fDuration ? 1.0f : m_fElapsed / m_fDuration;
    progressChanged(m_fProgress);
    if (m_fProgress >= 1.0f) finish();
}

void CCTransitionScene::finish()
{
    if (m_bFinished || !m_bStarted) return;
    m_bFinished = true;
    m_fProgress = 1.0f;
    unscheduleUpdate();
    restoreScenes();
    if (m_pOutScene->isRunning()) m_pOutScene->onExit();
    m_pOutScene->cleanup();
    m_pInScene->onEnterTransitionDidFinish();
    CCDirector* director = CCDirector::sharedDirector();
    director->getTouchDispatcher()->setDispatchEvents(true);
    director->transitionFinished(m_pInScene.get());
}

void CCTransitionScene::onExit()
{
    CCScene::onExit();
    if (m_bStarted && !m_bFinished) {
        // Torn down half way (the director went away): leave both scenes off stage.
        m_bFinished = true;
        restoreScenes();
        if (m_pOutScene->isRunning()) m_pOutScene->onExit();
        if (m_pInScene->isRunning()) m_pInScene->onExit();
        CCDirector::sharedDirector()->getTouchDispatcher()->setDispatchEvents(true);
    }
}

void CCTransitionScene::cleanup()
{
    CCScene::cleanup();
    unscheduleUpdate();
}

void CCTransitionScene::visit()
{
    if (!m_bVisible) return;
    if (m_bIsInSceneOnTop) {
        m_pOutScene->visit();
        m_pInScene->visit();
    } else {
        m_pInScene->visit();
        m_pOutScene->visit();
    }
}

} // namespace cc
