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
    // The function takes no width: two screens of one height but any width
    // give the same window.
    EXPECT_EQ(s.width, windowSizeForScreenHeight(1040).width);
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
