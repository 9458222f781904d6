// What the quibo program does with its command line: the window on the
// bundled (or given) book, the usage text, or a simulate run.
#pragma once

#include <string>
#include <vector>

namespace quibo {

// The window title.
constexpr const char* kViewName = "quibo";
// The exit status when no window can be opened.
constexpr int kNoWindowExitStatus = 1;

// Makes DIR the only resource search path; empty keeps the bundled book.
void useResourceDirectory(const std::string& dir);

// The whole program; returns the process exit status.
int runQuibo(const std::vector<std::string>& args);

} // namespace quibo
