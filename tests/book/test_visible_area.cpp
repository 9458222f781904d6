// The visible area, read once from the view with its derived points.
#include "BookTestSupport.h"

#include "book/VisibleArea.h"
#include "platform/CCEGLView.h"

#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quibo;

TEST(VisibleArea, IsReadOnceFromTheViewWithItsDerivedPoints)
{
    VisibleArea::forget();
    cc::CCEGLView::purgeSharedOpenGLView();
    cc::CCEGLView* view = cc::CCEGLView::sharedOpenGLView();
    view->setFrameSize(742.85712f, 977.59998f);
    view->setDesignResolutionSize(640, 960, cc::kResolutionExactFit);
    const VisibleArea& a = VisibleArea::get();
    EXPECT_FLOAT_EQ(0, a.ox);
    EXPECT_FLOAT_EQ(0, a.oy);
    EXPECT_FLOAT_EQ(640, a.w);
    EXPECT_FLOAT_EQ(960, a.h);
    EXPECT_FLOAT_EQ(480, a.left().y);
    EXPECT_FLOAT_EQ(0, a.left().x);
    EXPECT_FLOAT_EQ(640, a.right().x);
    EXPECT_FLOAT_EQ(320, a.top().x);
    EXPECT_FLOAT_EQ(960, a.top().y);
    EXPECT_FLOAT_EQ(0, a.bottom().y);
    EXPECT_FLOAT_EQ(320, a.centre().x);
    EXPECT_FLOAT_EQ(480, a.centre().y);

    // Kept for the process: a later change of the view is not seen.
    view->setDesignResolutionSize(320, 480, cc::kResolutionExactFit);
    EXPECT_FLOAT_EQ(640, VisibleArea::get().w);
    VisibleArea::forget();
    EXPECT_FLOAT_EQ(320, VisibleArea::get().w);
    VisibleArea::forget();
    cc::CCEGLView::purgeSharedOpenGLView();
}
