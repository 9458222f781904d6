// What the display offers a window, on the test display: the usable width,
// and a window centred in the usable area with its title bar inside it,
// never above or left of it even when it is larger than the screen.
#include "platform/DisplayMetrics.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

using namespace cc;

TEST(DisplayMetrics, AWindowIsCentredInTheUsableAreaAndNeverOffIt)
{
    int x = -1, y = -1;
    if (!platformCentredWindowPosition(100, 100, x, y)) {
        GTEST_SKIP() << "no display: run under Xvfb";
    }
    SDL_Rect usable;
    ASSERT_EQ(0, SDL_GetDisplayUsableBounds(0, &usable));
    EXPECT_EQ(usable.w, platformUsableScreenWidth());
    const int bar = usable.h - platformFullScreenClientHeight(); // the title bar allowance
    EXPECT_GE(bar, 0);

    // The start window of this screen.
    const int w = static_cast<int>(platformFullScreenClientHeight() / 1.4 + 0.5);
    const int h = static_cast<int>(platformFullScreenClientHeight() * 0.94 + 0.5);
    ASSERT_TRUE(platformCentredWindowPosition(w, h, x, y));
    EXPECT_EQ(usable.x + (usable.w - w) / 2, x);
    EXPECT_EQ(usable.y + bar + (usable.h - bar - h) / 2, y);
    EXPECT_GE(y - bar, usable.y);
    EXPECT_LE(y + h, usable.y + usable.h);

    // Larger than the screen: pinned to the usable area's top-left.
    ASSERT_TRUE(platformCentredWindowPosition(usable.w * 2, usable.h * 2, x, y));
    EXPECT_EQ(usable.x, x);
    EXPECT_EQ(usable.y + bar, y);
}
