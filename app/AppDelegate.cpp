// Launch and background handling. Narration is left alone in the background:
// a word being read finishes even while the window is minimised.
#include "app/AppDelegate.h"

#include "book/TestController.h"

#include "base/CCLog.h"
#include "platform/CCEGLView.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

namespace quibo {

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
    return true;
}

void AppDelegate::enterBackground() { cc::CCDirector::sharedDirector()->stopAnimation(); }

void AppDelegate::enterForeground() { cc::CCDirector::sharedDirector()->startAnimation(); }

} // namespace quibo
