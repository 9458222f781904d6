// What the display offers a window: the client height of a window as tall as
// the screen allows, used once at start-up to size the portrait window.
#pragma once

namespace cc {

// The primary display's usable height in pixels, less one title bar where
// the window manager draws one; 1040 when there is no display.
int platformFullScreenClientHeight();

} // namespace cc
