// Display metrics through SDL's video subsystem.
#include "platform/DisplayMetrics.h"

#include "platform/SDLWindowBackend.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace cc {

namespace {
const int kNoDisplayHeight = 1040;
// A typical decorated title bar; SDL cannot tell the size before a window exists.
const int kTitleBarHeight = 30;

bool usableArea(SDL_Rect& usable)
{
    if (!initSDLVideo() || SDL_GetNumVideoDisplays() < 1) return false;
    return SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0;
}

// A bare X server (no window manager) draws no title bar, and its usable
// bounds are the whole screen; with a manager the usable area excludes panels.
int titleBarHeight()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool decorated = driver && SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0;
    return decorated ? kTitleBarHeight : 0;
}
} // namespace

int platformFullScreenClientHeight()
{
    SDL_Rect usable;
    if (!usableArea(usable)) return kNoDisplayHeight;
    const int height = usable.h - titleBarHeight();
    return height > 0 ? height : kNoDisplayHeight;
}

int platformUsableScreenWidth()
{
    SDL_Rect usable;
    return usableArea(usable) ? usable.w : 0;
}

bool platformCentredWindowPosition(int width, int height, int& x, int& y)
{
    SDL_Rect usable;
    if (!usableArea(usable)) return false;
    const int bar = titleBarHeight();
    x = usable.x + std::max(0, (usable.w - width) / 2);
    y = usable.y + bar + std::max(0, (usable.h - bar - height) / 2);
    return true;
}

} // namespace cc
