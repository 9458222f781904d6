// What the reader's own options come to for one run: the command line wins
// over the settings file. The session hands the speed to the audio engine and
// keeps the remembered place for as long as it lives; how the place is kept
// is PlaceKeeper's.
#pragma once

#include "app/CommandLine.h"
#include "app/UserSettings.h"
#include "base/CCRefPtr.h"

namespace quibo {

struct ReaderOptions {
    bool setsNarrationSpeed = false; // false: the engine's speed is left alone
    float narrationSpeed = 1.0f;
    bool remember = false;
};

// A --narration-speed value that is not a number from 0.5 to 2.0 writes one
// log line and gives 1.0.
ReaderOptions readerOptions(const CommandLine& line, const UserSettings& settings);

// Sets the audio engine's speed when the options ask for one.
void applyNarrationSpeed(const ReaderOptions& options);

class PlaceKeeper;

// The reader's options for one run, made before the application launches and
// destroyed after its loop ended (the place is then written a last time).
// The search path must already lead to the book.
class ReaderSession {
public:
    enum class Settings { Read, Ignore };
    ReaderSession(const CommandLine& line, Settings settings);
    ~ReaderSession();
    ReaderSession(const ReaderSession&) = delete;
    ReaderSession& operator=(const ReaderSession&) = delete;

    const ReaderOptions& options() const { return m_options; }
    // Null unless the place is remembered.
    PlaceKeeper* placeKeeper() const { return m_keeper.get(); }

private:
    ReaderOptions m_options;
    cc::CCRefPtr<PlaceKeeper> m_keeper;
};

} // namespace quibo
