// Display metrics through SDL's video subsystem.
#include "platform/DisplayMetrics.h"

#include "platform/SDLWindowBackend.h"

#include <SDL2/SDL.h>

namespace cc {

namespace {
const int kNoDisplayHeight = 1040;
// A typical decorated title bar; SDL cannot tell the size before a window exists.
const int kTitleBarHeight = 30;
} // namespace

int platformFullScreenClientHeight()
{
    if (!initSDLVideo() || SDL_GetNumVideoDisplays() < 1) return kNoDisplayHeight;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.h <= 0) return kNoDisplayHeight;
    // A bare X server (no window manager) draws no title bar, and its usable
    // bounds are the whole screen; with a manager the usable area excludes panels.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool decorated = driver && SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0;
    const int height = decorated ? usable.h - kTitleBarHeight : usable.h;
    return height > 0 ? height : kNoDisplayHeight;
}

} // namespace cc
