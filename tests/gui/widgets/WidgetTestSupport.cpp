// Helpers of the widget tests: pictures through SDL_image, hidden-window rendering.
#include "WidgetTestSupport.h"
#include "ScratchFolder.h"

#include "render/CCFrameCapture.h"
#include "render/CCHiddenWindow.h"

#include <SDL.h>
#include <SDL_image.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace cc {
namespace widgettest {

std::string tempDir()
{
    // The pictures live as long as the test program.
    return quibotest::scratchRoot();
}

std::string writePNG(const std::string& name, int width, int height,
                     const std::function<ccColor4B(int, int)>& colour)
{
    const std::string path = tempDir() + "/" + name;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (!surface) return "";
    for (int y = 0; y < height; ++y) {
        unsigned char* row = static_cast<unsigned char*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < width; ++x) {
            const ccColor4B c = colour(x, y);
            row[x * 4] = c.r;
            row[x * 4 + 1] = c.g;
            row[x * 4 + 2] = c.b;
            row[x * 4 + 3] = c.a;
        }
    }
    const bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return ok ? path : "";
}

std::string writeSolidPNG(const std::string& name, int width, int height, const ccColor4B& colour)
{
    return writePNG(name, width, height, [colour](int, int) { return colour; });
}

bool startRendering(FrameDriver&, int frameWidth, int frameHeight)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return false;
    return setUpHiddenRendering(frameWidth, frameHeight);
}

void stopRendering() { tearDownHiddenRendering(); }

bool near(const ccColor4B& c, int r, int g, int b, int tolerance)
{
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
}

std::string describe(const ccColor4B& c)
{
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
           std::to_string(c.a) + ")";
}

ccColor4B pixelAt(float x, float y)
{
    ccColor4B c = {0, 0, 0, 255};
    CCFrameCapture::pixelAtDesignPoint(CCPoint(x, y), c);
    return c;
}

} // namespace widgettest
} // namespace cc
