// The director runs the frame: it switches scenes, ticks the scheduler (and
// through it the action manager), visits the running scene and drains the
// autorelease pool. It owns the scheduler, the action manager and the touch
// and key dispatchers. The loop itself (real or virtual clock) belongs to the caller:
// CCApplication::run for the window, FrameDriver for tests.
#pragma once

#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/CCRefPtr.h"

#include <functional>
#include <vector>

namespace cc {

class CCActionManager;
class CCEGLView;
class CCRenderer;
class CCScene;
class CCScheduler;
class CCTouchDispatcher;
class CCKeyDispatcher;

class CCDirector : public CCObject {
public:
    static CCDirector* sharedDirector();
    // Ends and destroys the shared director (scenes, scheduler, actions); the
    // next sharedDirector() builds a fresh one. Used at process end and by tests.
    static void purgeSharedDirector();

    // ---- View --------------------------------------------------------------
    void setOpenGLView(CCEGLView* view);
    CCEGLView* getOpenGLView() const { return m_pView; }
    // The design-space size of the window (the view's design resolution).
    CCSize getWinSize() const;
    CCSize getWinSizeInPixels() const;
    CCSize getVisibleSize() const;
    CCPoint getVisibleOrigin() const;
    // Window points (y down) to design points (y up), and back.
    CCPoint convertToGL(const CCPoint& uiPoint) const;
    CCPoint convertToUI(const CCPoint& glPoint) const;

    // ---- Scenes ------------------------------------------------------------
    void runWithScene(CCScene* scene);
    // The switch happens at the start of the next frame; a later call before
    // then wins. While a transition runs, the request waits for its end.
    void replaceScene(CCScene* scene);
    CCScene* getRunningScene() const { return m_pRunningScene.get(); }
    CCScene* getNextScene() const { return m_pNextScene.get(); }
    // Called by a transition scene when it is done, with the scene to show.
    void transitionFinished(CCScene* incoming);

    // ---- Frame loop ----------------------------------------------------------
    void setAnimationInterval(double interval);
    double getAnimationInterval() const { return m_dAnimationInterval; }
    void stopAnimation();
    void startAnimation();
    bool isAnimating() const { return !m_bInvalid; }
    void pause();
    void resume();
    bool isPaused() const { return m_bPaused; }
    // Ends the loop: the caller's loop sees hasEnded() and stops.
    void end();
    bool hasEnded() const { return m_bEnded; }
    // One frame with the given delta time; does nothing while animation is
    // stopped (the pool is still drained).
    void mainLoop(float dt);
    float getDeltaTime() const { return m_fDeltaTime; }
    double getTotalTime() const { return m_dTotalTime; }
    unsigned int getTotalFrames() const { return m_uTotalFrames; }
    // Frames actually drawn (visited between the frame hooks).
    unsigned int getDrawnFrames() const { return m_uDrawnFrames; }

    // ---- Drawing on demand ----------------------------------------------------
    // When on, a frame is drawn only while the redraw mark is raised; timers
    // and actions still run on every frame. Off (every frame drawn) unless
    // the window's loop turns it on.
    void setDrawOnDemand(bool onDemand) { m_bDrawOnDemand = onDemand; }
    bool isDrawOnDemand() const { return m_bDrawOnDemand; }
    // The mark that the picture on the stage is out of date: raised by node
    // setters that change what a node on the stage shows, by scene switches
    // and by the window (exposed, resized, restored); the next drawn frame
    // lowers it. While a transition runs every frame is drawn, and the
    // transition reads the mark to know whether its scenes changed.
    static void setNeedsRedraw();
    static bool needsRedraw();
    // How long the loop may wait for input before the next frame has work:
    // 0 while a frame must be drawn, a scene is waiting to go on stage, or an
    // action, a busy update target or a per-frame timer runs; otherwise the
    // time to the scheduler's next timer; negative when nothing is due at all
    // (also while animation is stopped).
    double secondsUntilNextFrame() const;

    // ---- Drawing ------------------------------------------------------------
    void setDepthTest(bool on);
    bool isDepthTestEnabled() const { return m_bDepthTest; }
    void setDisplayStats(bool show) { m_bDisplayStats = show; }
    bool isDisplayStats() const { return m_bDisplayStats; }
    // The renderer, or null when there is no GL context (logic-only runs).
    // The director does not own it and never calls it: the renderer installs
    // frame hooks that run around the visit (clear before, flush and present
    // after).
    CCRenderer* getRenderer() const { return m_pRenderer; }
    void setRenderer(CCRenderer* renderer);
    void setFrameHooks(std::function<void()> beginFrame, std::function<void()> endFrame);
    // Visits the running scene between the frame hooks.
    void drawScene();

    // ---- Services ------------------------------------------------------------
    CCScheduler* getScheduler() const { return m_pScheduler.get(); }
    CCActionManager* getActionManager() const { return m_pActionManager.get(); }
    CCTouchDispatcher* getTouchDispatcher() const { return m_pTouchDispatcher.get(); }
    // Keys for the screens are held back whenever touches are (a transition).
    CCKeyDispatcher* getKeyDispatcher() const { return m_pKeyDispatcher.get(); }
    // Drops cached textures, frames and fonts that nothing uses.
    void purgeCachedData();
    // When on, purgeCachedData runs by itself whenever a scene has left the
    // stage, at the end of the frame that let it go: what only the screen
    // that left was showing does not stay in memory. Off unless the
    // application turns it on.
    void setPurgeCachesOnSceneChange(bool on) { m_bPurgeOnSceneChange = on; }
    bool isPurgingCachesOnSceneChange() const { return m_bPurgeOnSceneChange; }
    // Caches register here so the director need not know them.
    void addCachePurger(std::function<void()> purger);

    ~CCDirector() override;

private:
    CCDirector();
    void setNextScene();
    void releaseScenes();

    CCEGLView* m_pView = nullptr;
    CCRenderer* m_pRenderer = nullptr;
    CCRefPtr<CCScene> m_pRunningScene;
    CCRefPtr<CCScene> m_pNextScene;
    CCRefPtr<CCScene> m_pDeferredScene;
    CCRefPtr<CCScheduler> m_pScheduler;
    CCRefPtr<CCActionManager> m_pActionManager;
    CCRefPtr<CCTouchDispatcher> m_pTouchDispatcher;
    CCRefPtr<CCKeyDispatcher> m_pKeyDispatcher;
    std::vector<std::function<void()>> m_purgers;
    std::function<void()> m_beginFrame, m_endFrame;

    double m_dAnimationInterval = 1.0 / 60.0;
    double m_dTotalTime = 0;
    float m_fDeltaTime = 0;
    unsigned int m_uTotalFrames = 0;
    unsigned int m_uDrawnFrames = 0;
    bool m_bInvalid = false;
    bool m_bPaused = false;
    bool m_bEnded = false;
    bool m_bDepthTest = false;
    bool m_bDisplayStats = false;
    bool m_bDrawOnDemand = false;
    bool m_bPurgeOnSceneChange = false;
};

} // namespace cc
