// Launch and background handling. Narration is left alone in the background:
// a word being read finishes even while the window is minimised.
#include "app/AppDelegate.h"

#include "book/TestController.h"

#include "audio/SimpleAudioEngine.h"
#include "base/CCLog.h"
#include "platform/CCEGLView.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"
#include "scene/CCScheduler.h"

namespace quibo {

namespace {
// The sound output opens this long after launch, when the first frame is on
// screen: the main menu plays nothing, and no one taps a word sooner.
const float kOpenSoundAfter = 0.1f;

// The timer's target: opens the output once. One for the process.
class SoundOpener : public cc::CCObject {
public:
    static SoundOpener* shared()
    {
        static SoundOpener* opener = [] {
            SoundOpener* o = new SoundOpener();
            o->excludeFromLiveCount();
            return o;
        }();
        return opener;
    }
    void open(float) { cc::SimpleAudioEngine::sharedEngine()->prepareOutput(); }
};
} // namespace

bool AppDelegate::launch()
{
    cc::CCDirector* director = cc::CCDirector::sharedDirector();
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    director->setOpenGLView(view);
    view->setDesignResolutionSize(kDesignWidth, kDesignHeight, cc::kResolutionExactFit);
    director->setAnimationInterval(kFrameInterval);
    // Each screen's pictures go when it leaves; the ones wanted next stay or are decoded ahead.
    director->setPurgeCachesOnSceneChange(true);

    // The main menu is the first screen; without it the loop still runs on an
    // empty scene so the window can be closed normally.
    cc::CCScene* scene = TestController::scene();
    if (!scene) {
        cc::CCLog("AppDelegate: the main menu could not be built");
        scene = cc::CCScene::create();
    }
    director->runWithScene(scene);
    director->getScheduler()->scheduleSelector(schedule_selector(SoundOpener::open), SoundOpener::shared(), 0.0f, 0,
                                               kOpenSoundAfter, false);
    return true;
}

void AppDelegate::enterBackground() { cc::CCDirector::sharedDirector()->stopAnimation(); }

void AppDelegate::enterForeground() { cc::CCDirector::sharedDirector()->startAnimation(); }

} // namespace quibo
