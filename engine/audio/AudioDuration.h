// How long an audio file really plays: the file is decoded in full through
// SDL2_mixer and its samples counted, after the time stretch when it plays
// faster or slower. Used by the simulated backend; the caller decides what a
// failure means. The full decode is shared with the stretching player.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cc {

// Seconds of sound in the file at fullPath, or a negative value (and error)
// when it is missing, empty or not audio the mixer can decode. Needs no
// sound card: the mixer is opened on the dummy driver when nothing else is.
double decodedAudioDuration(const std::string& fullPath, std::string& error);
// The same for the file played at speed (1 as recorded, 0.5 twice as long),
// counted from the stretched samples themselves.
double decodedAudioDuration(const std::string& fullPath, float speed, std::string& error);

// The whole file as interleaved 16-bit stereo at MixerDevice::frequency().
// The mixer must be open (MixerDevice::acquire). False (and error) when the
// file is missing, empty or cannot be decoded.
bool decodeAudioFile(const std::string& fullPath, std::vector<int16_t>& samples, std::string& error);

} // namespace cc
