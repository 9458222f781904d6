// Window size arithmetic, kept apart from the display query so it is the same
// on every system and can be checked without a screen.
#include "app/WindowSize.h"

#include "base/CCLog.h"

namespace quibo {

namespace {
const double kWidthDivisor = 1.4;
const double kHeightFactor = 0.94;
} // namespace

cc::CCSize windowSizeForScreenHeight(int screenHeight)
{
    int h = screenHeight;
    if (h <= 0) {
        cc::CCLog("quibo: the display reports a height of %d; sizing the window for %d", screenHeight,
                  kMinimumScreenHeight);
        h = kMinimumScreenHeight;
    }
    const double width = h / kWidthDivisor;
    const double height = h * kHeightFactor;
    return cc::CCSize(static_cast<float>(width), static_cast<float>(height));
}

} // namespace quibo
