// How long an audio file really plays: the file is decoded in full through
// SDL2_mixer and its samples counted. Used by the simulated backend; the
// caller decides what a failure means.
#pragma once

#include <string>

namespace cc {

// Seconds of sound in the file at fullPath, or a negative value (and error)
// when it is missing, empty or not audio the mixer can decode. Needs no
// sound card: the mixer is opened on the dummy driver when nothing else is.
double decodedAudioDuration(const std::string& fullPath, std::string& error);

} // namespace cc
