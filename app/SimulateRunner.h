// A headless run of the application for book makers and tests: the same
// launch as the window, on the frame driver's virtual clock with the
// simulated audio backend, driven by a script and optionally traced.
#pragma once

#include <string>

namespace quibo {

struct SimulateRequest {
    std::string scriptPath;
    std::string tracePath;    // empty: no trace
    std::string resourcesDir; // empty: the bundled book
};

// Runs the script; 0 when it ran to its end (or quit, or the application
// ended the loop), 2 for an unreadable or bad script or trace file.
int runSimulation(const SimulateRequest& request);

} // namespace quibo
