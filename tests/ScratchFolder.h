// Scratch files of a test process: one folder made on first use under
// $TMPDIR (or /tmp) and removed with everything in it when the process ends,
// pass or fail. ctest runs each test in a process of its own, so every test
// has its own folder and none leaves a file behind.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quibotest {

namespace detail {
struct ScratchRoot {
    std::string path;
    pid_t owner = 0;
    ScratchRoot()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quibo-test-XXXXXX";
        if (mkdtemp(&pattern[0])) path = pattern;
        owner = getpid();
    }
    ~ScratchRoot()
    {
        // A forked child that exits must not take its parent's files with it.
        if (path.empty() || getpid() != owner) return;
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};
} // namespace detail

// The process's scratch folder.
inline const std::string& scratchRoot()
{
    static detail::ScratchRoot root;
    return root.path;
}

// A path in the scratch folder (nothing is made there).
inline std::string scratchPath(const std::string& name) { return scratchRoot() + "/" + name; }

// A mkdtemp template in the scratch folder, usable where a char array
// template was: `ScratchTemplate t("name-XXXXXX"); mkdtemp(t)`.
class ScratchTemplate {
public:
    explicit ScratchTemplate(const std::string& pattern) : m_text(scratchPath(pattern)) {}
    operator char*() { return &m_text[0]; }

private:
    std::string m_text;
};

} // namespace quibotest
