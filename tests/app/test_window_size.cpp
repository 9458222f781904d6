// The window size arithmetic: only the screen height counts.
#include "app/WindowSize.h"

#include "base/CCLog.h"

#include <gtest/gtest.h>

using namespace quibo;

TEST(WindowSize, IsDerivedFromTheScreenHeightAlone)
{
    const cc::CCSize s = windowSizeForScreenHeight(1040);
    EXPECT_EQ(742.85712f, s.width);
    EXPECT_EQ(977.59998f, s.height);
    const cc::CCSize t = windowSizeForScreenHeight(1000);
    EXPECT_EQ(static_cast<float>(1000 / 1.4), t.width);
    EXPECT_EQ(940.0f, t.height);
    // Both sides follow the height in proportion: a screen twice as high gives
    // a window twice as large, of the same shape, whatever the height.
    const cc::CCSize d = windowSizeForScreenHeight(2080);
    EXPECT_FLOAT_EQ(2 * s.width, d.width);
    EXPECT_FLOAT_EQ(2 * s.height, d.height);
    for (int h : {480, 768, 1200, 2160}) {
        const cc::CCSize w = windowSizeForScreenHeight(h);
        EXPECT_NEAR(s.width / s.height, w.width / w.height, 1e-5) << h;
        EXPECT_LT(w.height, h) << h;
    }
}

TEST(WindowSize, AZeroHeightDisplayStillGivesAUsableWindow)
{
    cc::CCLogCapture log;
    const cc::CCSize s = windowSizeForScreenHeight(0);
    EXPECT_EQ(windowSizeForScreenHeight(kMinimumScreenHeight).width, s.width);
    EXPECT_GT(s.width, 300.0f);
    EXPECT_GT(s.height, 400.0f);
    EXPECT_EQ(1u, log.lines().size());
    windowSizeForScreenHeight(-5);
    EXPECT_EQ(2u, log.lines().size());
    windowSizeForScreenHeight(900);
    EXPECT_EQ(2u, log.lines().size());
}

TEST(WindowSize, AScreenThatCannotHoldTheWindowShrinksItByOneFactor)
{
    // An ordinary landscape screen holds the formula's window: unchanged.
    const cc::CCSize usual = windowSizeForScreenHeight(1040);
    const cc::CCSize kept = fitWindowToScreen(usual, 1920, 1040);
    EXPECT_EQ(usual.width, kept.width);
    EXPECT_EQ(usual.height, kept.height);
    // No known limit: unchanged.
    EXPECT_EQ(usual.width, fitWindowToScreen(usual, 0, 0).width);

    // A portrait screen 1080 wide: H = 1890 gives 1350 x 1776.6, too wide.
    const cc::CCSize tall = windowSizeForScreenHeight(1890);
    EXPECT_GT(tall.width, 1080.0f);
    const cc::CCSize fitted = fitWindowToScreen(tall, 1080, 1890);
    EXPECT_FLOAT_EQ(1080.0f, fitted.width);
    EXPECT_NEAR(tall.height * 1080.0 / tall.width, fitted.height, 1e-3);
    EXPECT_NEAR(tall.width / tall.height, fitted.width / fitted.height, 1e-5); // same shape

    // A screen lower than the window: the height decides.
    const cc::CCSize low = fitWindowToScreen(cc::CCSize(700, 900), 2000, 600);
    EXPECT_FLOAT_EQ(600.0f, low.height);
    EXPECT_NEAR(700.0 * 600 / 900, low.width, 1e-3);
    // Both too small: the tighter one decides, and the result fits both.
    const cc::CCSize both = fitWindowToScreen(cc::CCSize(700, 900), 350, 600);
    EXPECT_LE(both.width, 350.0f);
    EXPECT_LE(both.height, 600.0f);
    EXPECT_FLOAT_EQ(350.0f, both.width);
}
