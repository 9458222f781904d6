// Widgets drawn for real into a hidden window: container backgrounds, the
// enabled switch, clipping of children (also under rotation), and the
// scrolling views' culling, which keeps whatever reaches into the view.
#include "GuiTestSupport.h"

#include "gui/Layout.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UIScrollView.h"
#include "render/CCFrameCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace cc;
using namespace cc::guitest;

namespace {
bool isColour(const ccColor4B& c, int r, int g, int b)
{
    const int tolerance = 12;
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
}

Layout* colourPanel(const ccColor3B& colour, const CCSize& size, const CCPoint& position)
{
    Layout* panel = Layout::create();
    panel->setSize(size);
    panel->setPosition(position);
    panel->setBackGroundColorType(LAYOUT_COLOR_SOLID);
    panel->setBackGroundColor(colour);
    return panel;
}

class WidgetRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display || !stage.driver->enableRendering(320, 480))
            GTEST_SKIP() << "no display: rendering tests need X (run them under xvfb-run)";
    }
    ccColor4B at(float x, float y)
    {
        ccColor4B c;
        EXPECT_TRUE(CCFrameCapture::pixelAtDesignPoint(CCPoint(x, y), c));
        return c;
    }
    Stage stage;
};
} // namespace

TEST_F(WidgetRender, ClippingPanelCutsItsChildrenAndEnabledHidesEverything)
{
    const ccColor3B red = ccc3(255, 0, 0), green = ccc3(0, 255, 0);
    Layout* panel = colourPanel(red, CCSize(200, 200), CCPoint(200, 300));
    // The child covers the panel's upper-right quarter and overhangs by 100 on both sides.
    Layout* child = colourPanel(green, CCSize(200, 200), CCPoint(100, 100));
    stage.root()->addChild(panel);
    panel->addChild(child);
    stage.driver->step();
    EXPECT_TRUE(isColour(at(250, 350), 255, 0, 0));
    EXPECT_TRUE(isColour(at(350, 450), 0, 255, 0));
    EXPECT_TRUE(isColour(at(450, 550), 0, 255, 0)) << "no clipping yet";

    panel->setClippingEnabled(true);
    stage.driver->step();
    EXPECT_TRUE(isColour(at(350, 450), 0, 255, 0));
    EXPECT_FALSE(isColour(at(450, 550), 0, 255, 0)) << "outside the clipping rectangle";
    EXPECT_FALSE(isColour(at(150, 250), 255, 0, 0));

    // Under a 45 degree turn about the panel's corner, of two points on either
    // side of the diagonal (both inside the unturned panel) exactly one stays
    // inside, whichever way the engine turns; and nothing shows beyond the
    // turned rectangle's reach.
    panel->getRenderNode()->setRotation(45);
    stage.driver->step();
    auto drawn = [&](float x, float y) {
        const ccColor4B c = at(x, y);
        return isColour(c, 0, 255, 0) || isColour(c, 255, 0, 0);
    };
    EXPECT_NE(drawn(200 + 100, 300 + 60), drawn(200 + 60, 300 + 100));
    EXPECT_FALSE(drawn(200 + 290, 300 + 5));
    EXPECT_FALSE(drawn(200 + 5, 300 + 290));
    panel->getRenderNode()->setRotation(0);

    // Disabled: neither the panel nor anything under it is drawn.
    panel->setEnabled(false);
    stage.driver->step();
    EXPECT_FALSE(isColour(at(250, 350), 255, 0, 0));
    EXPECT_FALSE(isColour(at(350, 450), 0, 255, 0));
    panel->setEnabled(true);
    stage.driver->step();
    EXPECT_TRUE(isColour(at(250, 350), 255, 0, 0));
    EXPECT_TRUE(isColour(at(350, 450), 0, 255, 0));

    // Hidden: not drawn either (but still touchable, see the touch tests).
    child->setVisible(false);
    stage.driver->step();
    EXPECT_TRUE(isColour(at(350, 450), 255, 0, 0));
}

TEST_F(WidgetRender, ResizingAPanelResizesItsBackground)
{
    Layout* panel = colourPanel(ccc3(0, 0, 255), CCSize(100, 100), CCPoint(0, 0));
    stage.root()->addChild(panel);
    stage.driver->step();
    EXPECT_TRUE(isColour(at(50, 50), 0, 0, 255));
    EXPECT_FALSE(isColour(at(150, 150), 0, 0, 255));
    panel->setSize(CCSize(200, 200));
    stage.driver->step();
    EXPECT_TRUE(isColour(at(150, 150), 0, 0, 255));
    panel->setBackGroundColorOpacity(0);
    stage.driver->step();
    EXPECT_FALSE(isColour(at(150, 150), 0, 0, 255));
}

namespace {
// Three children of a clipping view, each with its own rectangle outside the
// view's 200 x 200 window but drawing into it: a bar turned half a turn, a
// panel whose own child reaches in, and a button whose title is wider than
// the button. The view shows inner y 400..600 (top aligned over 600).
void addChildrenReachingIn(InnerContainerLayout* view)
{
    view->setSize(CCSize(200, 200));
    view->setPosition(CCPoint(20, 20));
    view->setInnerContainerSize(CCSize(200, 600));
    Layout* bar = colourPanel(ccc3(0, 255, 0), CCSize(300, 20), CCPoint(250, 500));
    bar->getOwnRenderNode()->setRotation(180); // now x -50..250, y 480..500
    view->addChild(bar);
    Layout* holder = colourPanel(ccc3(0, 0, 0), CCSize(50, 50), CCPoint(300, 420));
    holder->setBackGroundColorType(LAYOUT_COLOR_NONE);
    holder->addChild(colourPanel(ccc3(255, 0, 0), CCSize(100, 30), CCPoint(-250, 0))); // x 50..150, y 420..450
    view->addChild(holder);
    UIButton* wide = UIButton::create();
    wide->setIgnoreSize(false);
    wide->setSize(CCSize(20, 20));
    wide->setPosition(CCPoint(235, 560)); // x 225..245
    wide->setTitleFontSize(40);
    wide->setTitleColor(ccc3(0, 0, 255));
    wide->setTitleText("WWWWWWWWWW");
    view->addChild(wide);
}
} // namespace

TEST_F(WidgetRender, AClippingViewDrawsChildrenWhoseDrawingReachesIntoIt)
{
    for (int kind = 0; kind < 2; ++kind) {
        InnerContainerLayout* view = kind == 0 ? static_cast<InnerContainerLayout*>(UIScrollView::create())
                                               : static_cast<InnerContainerLayout*>(UIDragPanel::create());
        SCOPED_TRACE(kind == 0 ? "scroll view" : "drag panel");
        addChildrenReachingIn(view);
        stage.root()->addChild(view);
        stage.driver->step();
        // In world points the view's window is (20..220, 20..220); inner y 400 is world 20.
        EXPECT_TRUE(isColour(at(120, 20 + 90), 0, 255, 0)) << "the turned bar";
        EXPECT_TRUE(isColour(at(120, 20 + 35), 255, 0, 0)) << "the panel's child";
        int blue = 0;
        for (float x = 150; x < 220; x += 1) {
            for (float y = 20 + 140; y < 20 + 180; y += 1) {
                const ccColor4B c = at(x, y);
                if (c.b > 150 && c.r < 90 && c.g < 90) ++blue;
            }
        }
        EXPECT_GT(blue, 20) << "the title wider than its button";
        // Still clipped: nothing of the bar beyond the view's right edge.
        EXPECT_FALSE(isColour(at(240, 20 + 90), 0, 255, 0));
        stage.root()->removeChild(view);
        stage.driver->step();
    }
}
