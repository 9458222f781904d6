// Option parsing. Options may come in any order; each takes its value from
// the next argument.
#include "app/CommandLine.h"

#include <sys/stat.h>

#ifndef QUIBO_VERSION
#define QUIBO_VERSION "unknown"
#endif

namespace quibo {

namespace {
bool isDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

CommandLine failed(const std::string& message)
{
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = message;
    return line;
}
} // namespace

std::string usageText()
{
    return "usage: quibo [--resources DIR] [--simulate SCRIPT [--trace FILE]]\n"
           "             [--narration-speed X] [--remember]\n"
           "  --resources DIR   read the book from DIR (holding String.xml and the book folder)\n"
           "  --simulate SCRIPT run headless on a virtual clock, driven by the commands in SCRIPT\n"
           "  --trace FILE      with --simulate: write one JSON object a line to FILE\n"
           "  --narration-speed X\n"
           "                    narrate at X times the recorded speed, 0.5 to 2.0, pitch kept\n"
           "  --remember        keep the page and the play mode for the next start\n"
           "  --help            print this text\n"
           "  --version         print the version\n"
           "Without options the bundled book opens in a window. Settings are read from\n"
           "$XDG_CONFIG_HOME/quibo/quibo.conf (~/.config/quibo/quibo.conf) by window runs;\n"
           "the command line wins over them.\n";
}

std::string versionText() { return std::string("quibo ") + QUIBO_VERSION + "\n"; }

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool simulate = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            CommandLine help;
            help.action = CommandLine::Action::Help;
            return help;
        }
        if (arg == "--remember") {
            line.remember = true;
            continue;
        }
        if (arg == "--version") {
            CommandLine version;
            version.action = CommandLine::Action::Version;
            return version;
        }
        const bool takesValue = arg == "--resources" || arg == "--simulate" || arg == "--trace" ||
                                arg == "--narration-speed";
        if (!takesValue) {
            return failed("quibo: unknown option '" + arg + "' (try --help)");
        }
        if (i + 1 >= args.size()) {
            return failed("quibo: option " + arg + " needs a value (try --help)");
        }
        const std::string& value = args[++i];
        if (arg == "--resources") {
            if (!isDirectory(value)) {
                return failed("quibo: resource directory '" + value + "' does not exist");
            }
            line.resourcesDir = value;
        } else if (arg == "--narration-speed") {
            line.hasNarrationSpeed = true;
            line.narrationSpeed = value;
        } else if (arg == "--simulate") {
            simulate = true;
            line.scriptPath = value;
        } else {
            line.tracePath = value;
        }
    }
    if (!line.tracePath.empty() && !simulate) {
        return failed("quibo: --trace needs --simulate (try --help)");
    }
    line.action = simulate ? CommandLine::Action::Simulate : CommandLine::Action::OpenWindow;
    return line;
}

} // namespace quibo
