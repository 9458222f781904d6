// Process entry. Until the book's delegate exists this opens the window on an
// empty scene so the start-up path (window, loop, quit on close) is real.
#include "engine.h"
#include "platform/CCApplication.h"
#include "platform/CCEGLView.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

namespace {

class PlaceholderApp : public cc::CCApplication {
public:
    bool launch() override
    {
        cc::CCDirector* director = cc::CCDirector::sharedDirector();
        cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
        director->setOpenGLView(view);
        view->setDesignResolutionSize(640, 960, cc::kResolutionExactFit);
        director->setAnimationInterval(1.0 / 60);
        director->runWithScene(cc::CCScene::create());
        return true;
    }
    void enterBackground() override { cc::CCDirector::sharedDirector()->stopAnimation(); }
    void enterForeground() override { cc::CCDirector::sharedDirector()->startAnimation(); }
};

} // namespace

int main()
{
    PlaceholderApp app;
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    view->setViewName("quibo");
    view->setFrameSize(640 * 0.8f, 960 * 0.8f);
    return cc::CCApplication::sharedApplication()->run();
}
