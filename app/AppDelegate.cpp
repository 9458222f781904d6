// Launch and background handling. Narration is left alone in the background:
// a word being read finishes even while the window is minimised.
#include "app/AppDelegate.h"

#include "book/PlaceholderMenuLayer.h"

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

    cc::CCScene* scene = cc::CCScene::create();
    if (cc::CCLayer* first = PlaceholderMenuLayer::create()) {
        scene->addChild(first);
    }
    director->runWithScene(scene);
    return true;
}

void AppDelegate::enterBackground() { cc::CCDirector::sharedDirector()->stopAnimation(); }

void AppDelegate::enterForeground() { cc::CCDirector::sharedDirector()->startAnimation(); }

} // namespace quibo
