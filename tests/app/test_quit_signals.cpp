// SIGTERM and SIGINT end the real program within a second in every mode: a
// simulate run after narration has played (SDL would otherwise take the
// signals for itself), a run with no window, and a window under a display.
#include <gtest/gtest.h>
#include "QuiboBinary.h"
#include "ScratchFolder.h"

#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Scratch {
    std::string dir;
    Scratch()
    {
        quibotest::ScratchTemplate pattern("quibo_signals_XXXXXX");
        dir = mkdtemp(pattern);
    }
    ~Scratch() { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::string write(const std::string& name, const std::string& text) const
    {
        const std::string path = dir + "/" + name;
        std::ofstream(path) << text;
        return path;
    }
};

// Starts quibo with the arguments; without a display when display is false.
pid_t start(const std::vector<std::string>& args, bool display, const std::string& output)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (!display) unsetenv("DISPLAY");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        FILE* out = std::freopen(output.c_str(), "w", stdout);
        (void)out;
        std::vector<char*> argv;
        static std::string binary;
        binary = quibo::quiboBinary();
        argv.push_back(const_cast<char*>(binary.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

bool fileHas(const std::string& path, const std::string& text)
{
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str().find(text) != std::string::npos;
}

// Waits up to seconds for the text to appear in the file.
bool waitFor(const std::string& path, const std::string& text, double seconds)
{
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < end) {
        if (fileHas(path, text)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// Sends the signal, then waits for the process: its exit status, or -1 when
// it had not ended within the limit (it is then killed). seconds gets the time taken.
int signalAndWait(pid_t pid, int sig, double limit, double& seconds)
{
    const Clock::time_point sent = Clock::now();
    kill(pid, sig);
    int status = 0;
    while (true) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        seconds = std::chrono::duration<double>(Clock::now() - sent).count();
        if (done == pid) break;
        if (seconds > limit) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

} // namespace

TEST(QuitSignals, ASimulateRunEndsWithinASecondAfterNarrationHasPlayed)
{
    Scratch s;
    // The grid, page 1, a word tapped (its narration plays), then a wait of
    // virtual hours that only a signal can cut short.
    const std::string script = s.write("long.txt", "wait 0.5\ntap 320 436\nwait 2.5\ntap 80 848\nwait 1\n"
                                                   "tap 128 887\nwait 3\nwait 1000000\n");
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        const std::string trace = s.dir + "/trace" + std::to_string(sig) + ".jsonl";
        const pid_t pid = start({"--simulate", script, "--trace", trace}, false, s.dir + "/out.txt");
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(waitFor(trace, "\"op\":\"ended\"", 30)) << "the narration never played";
        double seconds = 0;
        EXPECT_EQ(128 + sig, signalAndWait(pid, sig, 5.0, seconds));
        EXPECT_LT(seconds, 1.0);
    }
}

TEST(QuitSignals, AWindowEndsWithinASecond)
{
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    Scratch s;
    const std::string output = s.dir + "/out.txt";
    const pid_t pid = start({}, true, output);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(waitFor(output, "-----------TestController-----", 30)) << "the main menu never came";
    double seconds = 0;
    EXPECT_EQ(128 + SIGTERM, signalAndWait(pid, SIGTERM, 5.0, seconds));
    EXPECT_LT(seconds, 1.0);
}
