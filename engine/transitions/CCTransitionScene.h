// The base of scene transitions: a scene that shows the outgoing (running)
// scene and the incoming one together for a duration, then hands the
// incoming scene to the director. It runs their enter/exit calls itself:
// outgoing onExitTransitionDidStart and incoming onEnter when it starts,
// outgoing onExit and incoming onEnterTransitionDidFinish when it ends.
// No touches are dispatched while it runs.
#pragma once

#include "base/CCRefPtr.h"
#include "scene/CCScene.h"

namespace cc {

enum tOrientation {
    kCCTransitionOrientationLeftOver = 0,
    kCCTransitionOrientationRightOver = 1,
    kCCTransitionOrientationUpOver = 0,
    kCCTransitionOrientationDownOver = 1,
};

class CCTransitionScene : public CCScene {
public:
    static CCTransitionScene* create(float duration, CCScene* scene);
    CCTransitionScene();
    ~CCTransitionScene() override;
    // Fails (with a log line) without an incoming scene or when it is the
    // running scene itself.
    virtual bool initWithDuration(float duration, CCScene* scene);

    bool isTransition() const override { return true; }
    void onEnter() override;
    void onExit() override;
    void cleanup() override;
    // Draws both scenes; subclasses choose how.
    void visit() override;
    void update(float dt) override;

    // Ends the transition now (also reached when the duration is over).
    void finish();
    CCScene* getInScene() const { return m_pInScene.get(); }
    CCScene* getOutScene() const { return m_pOutScene.get(); }
    float getDuration() const { return m_fDuration; }
    // 0 at the start, 1 at the end.
    float getProgress() const { return m_fProgress; }
    bool isFinished() const { return m_bFinished; }

protected:
    // Called with the progress each frame the transition runs.
    virtual void progressChanged(float progress) {}
    // Called once at the end, to put the scenes back as they were.
    virtual void restoreScenes() {}
    // Whether the incoming scene is drawn above the outgoing one by visit().
    bool m_bIsInSceneOnTop = true;

    CCRefPtr<CCScene> m_pInScene;
    CCRefPtr<CCScene> m_pOutScene;
    float m_fDuration = 0;
    float m_fElapsed = 0;
    float m_fProgress = 0;
    bool m_bStarted = false;
    bool m_bFinished = false;
};

} // namespace cc
