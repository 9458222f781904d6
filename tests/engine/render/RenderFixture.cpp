// Helpers for the rendering tests.
#include "RenderFixture.h"
#include "ScratchFolder.h"

#include "render/CCImage.h"

#include <unistd.h>

#include <vector>

namespace cc {
namespace rendertest {

std::string tempPath(const std::string& name)
{
    return quibotest::scratchPath(name);
}

bool writePNG(const std::string& path, int width, int height, const std::function<ccColor4B(int, int)>& colour)
{
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const ccColor4B c = colour(x, y);
            unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = c.r; p[1] = c.g; p[2] = c.b; p[3] = c.a;
        }
    }
    return CCImage::savePNG(path, rgba.data(), width, height);
}

} // namespace rendertest
} // namespace cc
