// The options of the quibo program, for book makers and tests: another
// resource directory, a headless scripted run and its trace; and for readers:
// the narration speed and a remembered place. Running what they ask for is
// AppMain's.
#pragma once

#include <string>
#include <vector>

namespace quibo {

struct CommandLine {
    enum class Action { OpenWindow, Help, Version, Simulate, Error };

    Action action = Action::OpenWindow;
    std::string resourcesDir; // empty: the bundled book
    std::string scriptPath;   // --simulate
    std::string tracePath;    // --trace (simulate runs only)
    std::string error;        // the one line to print for Action::Error

    // Reader options; checking the speed's value is ReaderOptions'.
    bool hasNarrationSpeed = false; // --narration-speed X
    std::string narrationSpeed;     // X as given
    bool remember = false;          // --remember
};

// Reads the arguments after the program name. A DIR that is not a directory,
// an unknown option or a missing value gives Action::Error.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The usage text printed by --help.
std::string usageText();
// The one line printed by --version: the program's name and version.
std::string versionText();

// The exit status of a bad command line or a bad script.
constexpr int kUsageExitStatus = 2;

} // namespace quibo
