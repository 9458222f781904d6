// Opens the SDL audio device and the mixer on it, shared by every user in the
// process and closed when the last one lets go. When no sound device can be
// opened it falls back to SDL's dummy driver, so playback goes on silently.
// Tracks and their timing belong to the backends.
#pragma once

#include <string>

namespace cc {

class MixerDevice {
public:
    enum class Mode {
        PreferHardware, // a real sound device, else the dummy driver
        DummyOnly,      // never make a sound (tests, duration probing)
    };

    // Takes one reference on the open mixer, opening it on first use. An
    // already open mixer is shared whatever its driver. False (and error)
    // only when even the dummy driver cannot be opened.
    static bool acquire(Mode mode, std::string& error);
    static void release();

    static bool isOpen();
    // Name of the SDL audio driver in use ("dummy" when silent).
    static std::string driverName();
    // The mixer always mixes 16-bit stereo at this rate, in buffers of this
    // many sample frames, whatever the device underneath wants.
    static int bufferFrames();
    static int frequency();
    static int channels();
    static int bytesPerFrame();
};

} // namespace cc
