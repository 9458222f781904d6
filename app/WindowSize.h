// The window's client size from the screen's full-screen client height: a
// portrait window as tall as the screen allows, made smaller when the
// screen cannot hold it. Asking the display for its size is the platform
// layer's.
#pragma once

#include "base/CCGeometry.h"

namespace quibo {

// A height the window is sized from when the display reports none.
constexpr int kMinimumScreenHeight = 480;

// width = H / 1.4, height = H * 0.94, in double and then narrowed to float.
// H of 0 or less is replaced by kMinimumScreenHeight, with one log line.
cc::CCSize windowSizeForScreenHeight(int screenHeight);

// The size unchanged when it fits in maxWidth x maxHeight; otherwise both
// sides scaled down by one factor so that it just fits (a portrait screen,
// a narrow one). A limit of 0 or less is unknown and limits nothing.
cc::CCSize fitWindowToScreen(const cc::CCSize& size, int maxWidth, int maxHeight);

} // namespace quibo
