// SIGINT and SIGTERM end the program within a second in every mode (window,
// no window, simulate; narration playing or not): the handlers raise a flag
// the loops watch, and a watchdog ends the process if no loop gets there in
// time. What a loop does on the flag is the loop's business.
#pragma once

namespace cc {

// Installs the handlers once for the process and keeps SDL from putting its
// own in their place (it would turn the signals into events nobody reads
// without a window). Call before SDL starts.
void installQuitSignals();

// True once SIGINT or SIGTERM has arrived.
bool quitSignalled();
// The exit status for the signal that arrived (128 + its number), or 0.
int quitSignalExitStatus();

// Seconds the loops have to end the program before the watchdog does.
constexpr double kQuitGraceSeconds = 0.5;

} // namespace cc
