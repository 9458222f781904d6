// Shared set-up of the rendering tests: a frame driver plus a hidden window
// (skipped with a message when there is no display), pictures written on
// the fly, and pixel checks with a tolerance.
#pragma once

#include "base/ccTypes.h"
#include "platform/FrameDriver.h"
#include "render/CCFrameCapture.h"
#include "render/CCHiddenWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace cc {
namespace rendertest {

// Half the design size keeps software GL quick; exact fit scales it.
const int kFrameWidth = 320, kFrameHeight = 480;

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver.reset(new FrameDriver());
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display || !setUpHiddenRendering(kFrameWidth, kFrameHeight)) {
            driver.reset();
            GTEST_SKIP() << "no display: rendering tests need X (run them under xvfb-run)";
        }
    }
    void TearDown() override
    {
        if (driver) tearDownHiddenRendering();
        driver.reset();
    }

    ccColor4B at(float x, float y)
    {
        ccColor4B c;
        EXPECT_TRUE(CCFrameCapture::pixelAtDesignPoint(CCPoint(x, y), c));
        return c;
    }

    std::unique_ptr<FrameDriver> driver;
};

inline bool near(const ccColor4B& c, int r, int g, int b, int tolerance = 12)
{
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
}

inline std::string describe(const ccColor4B& c)
{
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
           std::to_string(c.a) + ")";
}

// A temporary file path unique to this process.
std::string tempPath(const std::string& name);
// Writes a PNG whose pixel (x, y) (top-left origin) is colour(x, y).
bool writePNG(const std::string& path, int width, int height,
              const std::function<ccColor4B(int x, int y)>& colour);

} // namespace rendertest
} // namespace cc
