// Reading back the frame just drawn: as a PNG file, as pixels, or one pixel
// at a design point; and the draw calls it took. Needs a renderer (a window,
// hidden or not); without one every call gives false / zero.
#pragma once

#include "base/CCGeometry.h"
#include "base/ccTypes.h"

#include <string>
#include <vector>

namespace cc {

class CCFrameCapture {
public:
    // The whole current frame as a PNG file.
    static bool saveToPNG(const std::string& path);
    // RGBA rows, top row first.
    static bool readFrame(std::vector<unsigned char>& rgba, int& width, int& height);
    // One frame pixel, (0, 0) at the top-left.
    static bool pixelAt(int px, int py, ccColor4B& out);
    // The pixel under a design point (y up, origin bottom-left).
    static bool pixelAtDesignPoint(const CCPoint& point, ccColor4B& out);
    // Draw calls of the last finished frame.
    static unsigned int drawCallsLastFrame();
};

} // namespace cc
