// Window size arithmetic, kept apart from the display query so it is the same
// on every system and can be checked without a screen.
#include "app/WindowSize.h"

#include "base/CCLog.h"

#include <algorithm>

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

cc::CCSize fitWindowToScreen(const cc::CCSize& size, int maxWidth, int maxHeight)
{
    double factor = 1.0;
    if (maxWidth > 0 && size.width > maxWidth) factor = std::min(factor, maxWidth / static_cast<double>(size.width));
    if (maxHeight > 0 && size.height > maxHeight) {
        factor = std::min(factor, maxHeight / static_cast<double>(size.height));
    }
    if (factor >= 1.0) return size;
    return cc::CCSize(static_cast<float>(size.width * factor), static_cast<float>(size.height * factor));
}

} // namespace quibo
