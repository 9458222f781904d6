// The view's fit when the window takes another size than the program asked
// for: the asked size keeps the exact-fit stretch, any other shows the whole
// design area uniformly scaled and centred, pointers map through the same
// rectangle, a press on the bars starts no touch, and the screens keep
// reading a 640 x 960 visible area at (0, 0).
#include "base/CCSet.h"
#include "platform/CCEGLView.h"
#include "platform/FrameDriver.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

#include <vector>

using namespace cc;

namespace {
class TouchLog : public CCLayer {
public:
    std::vector<CCPoint> began;
    void ccTouchesBegan(CCSet* touches, CCEvent*) override
    {
        began.push_back(static_cast<CCTouch*>(*touches->begin())->getLocation());
    }
};

void expectNear(const CCPoint& want, const CCPoint& got)
{
    EXPECT_NEAR(want.x, got.x, 1e-2);
    EXPECT_NEAR(want.y, got.y, 1e-2);
}
} // namespace

TEST(EGLView, TheAskedSizeStretchesAndAnyOtherSizeFitsUniformlyCentred)
{
    FrameDriver driver;
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(742.85712f, 977.59998f);
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    int changes = 0;
    view->setFrameChangedListener([&] { ++changes; });

    // The window made at the asked size (rounded to whole pixels): as before.
    view->setWindowSize(743, 978);
    EXPECT_EQ(742.85712f, view->getFrameSize().width);
    EXPECT_FLOAT_EQ(742.85712f / 640, view->getScaleX());
    EXPECT_FLOAT_EQ(977.59998f / 960, view->getScaleY());
    expectNear(CCPoint(320, 480), view->frameToDesign(742.85712f / 2, 977.59998f / 2));

    struct Size {
        int w, h;
        float scale, left, top;
    };
    const Size sizes[] = {
        {1280, 960, 1.0f, 320, 0},      // maximised on a landscape screen: bars left and right
        {640, 1920, 1.0f, 0, 480},      // very tall: bars above and below
        {320, 240, 0.25f, 80, 0},       // small
        {1080, 1920, 1.6875f, 0, 150},  // a portrait screen, full screen
        {3840, 1080, 1.125f, 1560, 0},  // a very wide screen
    };
    for (const Size& s : sizes) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        view->setWindowSize(s.w, s.h);
        EXPECT_FLOAT_EQ(s.scale, view->getScaleX());
        EXPECT_FLOAT_EQ(s.scale, view->getScaleY());
        const CCRect r = view->getViewportRect();
        EXPECT_NEAR(s.left, r.origin.x, 1e-3);
        EXPECT_NEAR(s.top, r.origin.y, 1e-3);
        EXPECT_NEAR(640 * s.scale, r.size.width, 1e-3);
        EXPECT_NEAR(960 * s.scale, r.size.height, 1e-3);
        // The picture's corners and centre.
        expectNear(CCPoint(0, 960), view->frameToDesign(s.left, s.top));
        expectNear(CCPoint(640, 0), view->frameToDesign(s.left + 640 * s.scale, s.top + 960 * s.scale));
        expectNear(CCPoint(320, 480), view->frameToDesign(s.w / 2.0f, s.h / 2.0f));
        EXPECT_TRUE(view->getVisibleOrigin().equals(CCPointZero));
        EXPECT_TRUE(view->getVisibleSize().equals(CCSize(640, 960)));
    }

    // One pixel tall or wide, and nothing at all: a tiny picture, never a
    // division by zero.
    view->setWindowSize(1, 600);
    EXPECT_GT(view->getScaleX(), 0.0f);
    view->setWindowSize(0, 0);
    EXPECT_EQ(CCSize(1, 1).width, view->getFrameSize().width);
    EXPECT_GT(view->getScaleY(), 0.0f);
    const CCPoint p = view->frameToDesign(0.5f, 0.5f);
    EXPECT_TRUE(p.x == p.x && p.y == p.y); // no NaN

    // Back to the asked size: the stretch again.
    view->setWindowSize(743, 978);
    EXPECT_NE(view->getScaleX(), view->getScaleY());
    EXPECT_EQ(0, changes); // setWindowSize alone reports nothing; the window calls frameChanged
    view->frameChanged();
    EXPECT_EQ(1, changes);
}

TEST(EGLView, APressOnTheBarsTouchesNothingAndADragMayLeaveThePicture)
{
    FrameDriver driver;
    TouchLog* layer = new TouchLog();
    layer->init();
    layer->setTouchEnabled(true);
    CCScene* scene = CCScene::create();
    scene->addChild(layer);
    layer->release();
    driver.show(scene);
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setWindowSize(1280, 960); // picture from x = 320 to 960

    view->handlePointerDown(100, 480); // left bar
    view->handlePointerUp(100, 480);
    view->handlePointerDown(1200, 10); // right bar
    view->handlePointerUp(1200, 10);
    EXPECT_TRUE(layer->began.empty());
    EXPECT_FALSE(view->isTouchDown());

    view->handlePointerDown(330, 950);
    ASSERT_EQ(1u, layer->began.size());
    expectNear(CCPoint(10, 10), layer->began[0]);
    // The finger may go on over the bars until it lifts.
    view->handlePointerMove(100, 950);
    EXPECT_TRUE(view->isTouchDown());
    view->handlePointerUp(100, 950);
    EXPECT_FALSE(view->isTouchDown());
}
