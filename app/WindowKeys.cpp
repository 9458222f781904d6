// Full screen and quit from the keyboard. A held key does not toggle full
// screen back and forth.
#include "app/WindowKeys.h"

#include "platform/CCEGLView.h"
#include "scene/CCDirector.h"

namespace quibo {

void WindowKeys::install() { cc::CCDirector::sharedDirector()->getKeyDispatcher()->addWindowDelegate(this); }

bool WindowKeys::ccKeyPressed(const cc::CCKeyEvent& event)
{
    if (event.key == cc::kCCKeyF11 && event.hasOnly(cc::kCCKeyModifierNone)) {
        if (!event.repeat) {
            cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
            view->setFullScreen(!view->isFullScreen());
        }
        return true;
    }
    if (event.key == cc::kCCKeyQ && event.hasOnly(cc::kCCKeyModifierCtrl)) {
        // The quit button ends the director's loop; run() then returns 0.
        cc::CCDirector::sharedDirector()->end();
        return true;
    }
    return false;
}

} // namespace quibo
