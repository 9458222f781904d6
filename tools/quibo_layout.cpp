// quibo-layout FILE [--resources DIR]: reads a layout file through the real
// reader on the headless engine and prints the built widget tree as JSON.
// Diagnostics (the reader's messages included) go to standard error. Exit 0
// on success, 1 when the reader refuses the file, 2 on a usage error.
#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

#include "gui/LayoutDump.h"
#include "platform/CCFileUtils.h"
#include "platform/FrameDriver.h"

namespace {

const int kRefused = 1;
const int kUsage = 2;

int usage()
{
    std::fprintf(stderr, "usage: quibo-layout FILE [--resources DIR]\n");
    return kUsage;
}

} // namespace

int main(int argc, char** argv)
{
    const char* file = nullptr;
    std::string resources;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--resources") == 0) {
            if (++i >= argc) return usage();
            resources = argv[i];
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage();
            return 0;
        } else if (!file) {
            file = argv[i];
        } else {
            return usage();
        }
    }
    if (!file) return usage();

    // A director and view without a window: textures load, nothing is drawn.
    cc::FrameDriver engine;
    if (!resources.empty()) cc::CCFileUtils::sharedFileUtils()->setSearchPaths({resources});
    // While reading, standard output (the reader's messages and the engine's
    // log lines) goes to standard error, so that standard output carries only
    // the JSON and can be piped to other tools.
    std::fflush(stdout);
    const int savedStdout = ::dup(1);
    ::dup2(2, 1);
    Json::Value description;
    const bool read = cc::layoutdump::dumpLayoutFile(file, description);
    std::fflush(stdout);
    if (savedStdout >= 0) {
        ::dup2(savedStdout, 1);
        ::close(savedStdout);
    }
    if (!read) return kRefused;
    std::fputs(cc::layoutdump::toText(description).c_str(), stdout);
    std::fputs("\n", stdout);
    return 0;
}
