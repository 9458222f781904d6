// What the display offers a window: the client height of a window as tall as
// the screen allows and the usable width, used once at start-up to size the
// portrait window, and where a window of a given size sits centred.
#pragma once

namespace cc {

// The primary display's usable height in pixels, less one title bar where
// the window manager draws one; 1040 when there is no display.
int platformFullScreenClientHeight();

// The primary display's usable width in pixels (panels excluded); 0 when
// there is no display, which means no limit is known.
int platformUsableScreenWidth();

// The top-left corner of a window whose client area is width x height,
// centred in the primary display's usable area with its title bar inside
// it, and never above or left of that area. False without a display.
bool platformCentredWindowPosition(int width, int height, int& x, int& y);

} // namespace cc
