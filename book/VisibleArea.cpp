// Reading the visible area once from the shared view.
#include "book/VisibleArea.h"

#include "platform/CCEGLView.h"

#include <memory>

namespace quibo {

namespace {
std::unique_ptr<VisibleArea>& kept()
{
    static std::unique_ptr<VisibleArea> area;
    return area;
}
} // namespace

const VisibleArea& VisibleArea::get()
{
    std::unique_ptr<VisibleArea>& area = kept();
    if (!area) {
        area.reset(new VisibleArea());
        cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
        const cc::CCPoint origin = view->getVisibleOrigin();
        const cc::CCSize size = view->getVisibleSize();
        area->ox = origin.x;
        area->oy = origin.y;
        area->w = size.width;
        area->h = size.height;
    }
    return *area;
}

void VisibleArea::forget() { kept().reset(); }

} // namespace quibo
