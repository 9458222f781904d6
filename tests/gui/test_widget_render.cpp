// Widgets drawn for real into a hidden window: container backgrounds, the
// enabled switch, and clipping of children (also under rotation).
#include "GuiTestSupport.h"

#include "gui/Layout.h"
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
