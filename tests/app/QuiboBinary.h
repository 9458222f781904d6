// Where the reader program is, seen from a test program: both are built
// into the same build folder (build/tests/app_tests -> build/app/quibo).
#pragma once

#include <climits>
#include <string>

#include <unistd.h>

namespace quibo {

inline std::string quiboBinary()
{
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string self(buf, n > 0 ? static_cast<size_t>(n) : 0);
    const std::string tests = self.substr(0, self.rfind('/'));
    return tests.substr(0, tests.rfind('/')) + "/app/quibo";
}

} // namespace quibo
