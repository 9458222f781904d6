// Hidden-window set-up on top of the SDL backend.
#include "render/CCHiddenWindow.h"

#include "base/CCLog.h"
#include "platform/CCEGLView.h"
#include "platform/SDLWindowBackend.h"
#include "scene/CCDirector.h"

#include <memory>

namespace cc {

bool setUpHiddenRendering(int frameWidth, int frameHeight)
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    std::unique_ptr<SDLWindowBackend> backend(new SDLWindowBackend(true));
    if (!backend->open(view->getViewName().c_str(), frameWidth, frameHeight)) {
        CCLog("CCHiddenWindow: no window to draw into (%s)", backend->lastError().c_str());
        return false;
    }
    view->setBackend(std::move(backend));
    view->setFrameSize(static_cast<float>(frameWidth), static_cast<float>(frameHeight));
    CCDirector::sharedDirector()->setOpenGLView(view);
    return true;
}

void tearDownHiddenRendering()
{
    CCDirector* director = CCDirector::sharedDirector();
    director->setRenderer(nullptr);
    director->setFrameHooks(nullptr, nullptr);
    CCEGLView::sharedOpenGLView()->setBackend(nullptr);
}

} // namespace cc
