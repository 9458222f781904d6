// Narration speed as the reader offers it: the steps a reading key moves it
// by, the text shown for it, and reading a value a user typed. The speed
// itself, and the stretch, belong to the audio engine.
#pragma once

#include <string>

namespace quibo {

// One step of the reading keys.
constexpr float kNarrationSpeedStep = 0.25f;
// The speed when nothing else is asked for.
constexpr float kDefaultNarrationSpeed = 1.0f;

// Moves the audio engine's speed to the next multiple of the step above
// (direction > 0) or below (direction < 0), kept within the engine's limits,
// and returns the new speed. Every later narration plays at it.
float stepNarrationSpeed(int direction);

// The speed as shown to the user: "0.5x", "1.0x", "1.25x", "2.0x".
std::string narrationSpeedText(float speed);

// A decimal number ("0.75", "1", "1.5x" with an optional trailing x, blanks
// around it allowed) within the engine's limits. False for anything else;
// speed is then left as it was.
bool parseNarrationSpeed(const std::string& text, float& speed);

} // namespace quibo
