// Rendering without showing anything: a hidden window of a given frame size
// behind the shared view, with the renderer installed in the director. Used
// by rendering tests, benchmarks and the frame driver's screenshots.
#pragma once

namespace cc {

// Call after the director and view exist (a FrameDriver makes them). False,
// with one log line, when there is no display; the engine then stays
// logic-only.
bool setUpHiddenRendering(int frameWidth, int frameHeight);
// Closes the window and takes the renderer out of the director.
void tearDownHiddenRendering();

} // namespace cc
