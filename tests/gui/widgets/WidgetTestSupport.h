// Shared by the widget tests: small PNG pictures written on the fly into a
// private temporary folder, a frame driver that renders when a display
// exists, and pixel checks with a tolerance.
#pragma once

#include "base/ccTypes.h"
#include "platform/FrameDriver.h"

#include <functional>
#include <memory>
#include <string>

namespace cc {
namespace widgettest {

// The process's scratch folder, made on first use and removed at exit.
std::string tempDir();
// Writes a width x height PNG whose pixel (x, y), top-left origin, is colour(x, y).
std::string writePNG(const std::string& name, int width, int height,
                     const std::function<ccColor4B(int x, int y)>& colour);
// A PNG of one colour.
std::string writeSolidPNG(const std::string& name, int width, int height, const ccColor4B& colour);

// True when a display is there and a hidden window could be opened for the driver.
bool startRendering(FrameDriver& driver, int frameWidth, int frameHeight);
void stopRendering();

bool near(const ccColor4B& c, int r, int g, int b, int tolerance = 12);
std::string describe(const ccColor4B& c);
// The frame's pixel under a design point (opaque black when it cannot be read).
ccColor4B pixelAt(float x, float y);

} // namespace widgettest
} // namespace cc
