// The window's client size from the screen's full-screen client height: a
// portrait window as tall as the screen allows. Asking the display for the
// height is the platform layer's.
#pragma once

#include "base/CCGeometry.h"

namespace quibo {

// A height the window is sized from when the display reports none.
constexpr int kMinimumScreenHeight = 480;

// width = H / 1.4, height = H * 0.94, in double and then narrowed to float.
// H of 0 or less is replaced by kMinimumScreenHeight, with one log line.
cc::CCSize windowSizeForScreenHeight(int screenHeight);

} // namespace quibo
