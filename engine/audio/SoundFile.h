// Opening a narration file for SDL_mixer the guarded way: a regular file
// within the sound size bound, opened without blocking, and a track no longer
// than the sound duration bound. Decoding and playing stay with the backends.
#pragma once

#include <string>

struct SDL_RWops;
typedef struct _Mix_Music Mix_Music;

namespace cc {

// The file as a stream SDL_mixer closes itself; null with error set to the
// reason in a few words.
SDL_RWops* openSoundFile(const std::string& fullPath, std::string& error);

// True when the music is no longer than the bound; otherwise false with
// error set. A track whose length the decoder cannot tell passes.
bool soundWithinDuration(Mix_Music* music, std::string& error);

} // namespace cc
