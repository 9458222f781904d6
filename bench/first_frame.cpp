// Process start to the first presented frame: quibo against a bare SDL2 +
// OpenGL program that opens a window of the same kind and presents one
// cleared frame, started alternately in one run so both see the same machine.
// Also the resident memory of each at its first frame. Needs a display (run
// it under xvfb-run with LIBGL_ALWAYS_SOFTWARE=1 for the software GL figures):
//
//     xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/first_frame
//
// quibo reports its first frame through its frame log (QUIBO_FRAME_LOG); the
// bare program prints the same clock's time on its standard output. With
// --quibo=PATH (repeatable) other builds are measured in the same rounds
// (quibo2_ms, ratio2, ...), for a before-and-after comparison on one machine
// state; --rounds=N sets the number of rounds (default 8).
#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

const char* const kBareFlag = "--bare-window";
// The reader's window on a 1000-pixel screen.
const int kWidth = 714, kHeight = 940;
const int kDefaultRounds = 8;
const double kTimeoutSeconds = 20;

double monotonicNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The bare program: the same GL attributes the reader asks for, one cleared
// frame, then it waits to be ended.
int runBareWindow()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) return 1;
    SDL_GL_SetSwapInterval(1);
    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    std::printf("frame %.6f\n", monotonicNow());
    std::fflush(stdout);
    SDL_Event e;
    while (SDL_WaitEvent(&e) && e.type != SDL_QUIT) {
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

double residentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    }
    return 0;
}

struct Start {
    double seconds = -1; // start to first frame; negative when none came
    double rssMb = 0;
};

// Starts argv with extra environment, waits for `firstFrame` to give the
// first frame's time, measures, then ends the process.
template <class FirstFrame>
Start measure(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv, int stdoutFd,
              FirstFrame firstFrame)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.push_back(*e);
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> argvp, envp;
    for (const std::string& a : args) argvp.push_back(const_cast<char*>(a.c_str()));
    argvp.push_back(nullptr);
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    pid_t pid = 0;
    Start result;
    const double started = monotonicNow();
    const int rc = posix_spawn(&pid, argvp[0], &actions, nullptr, argvp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return result;
    while (monotonicNow() - started < kTimeoutSeconds) {
        double at = -1;
        if (firstFrame(at)) {
            result.seconds = at - started;
            result.rssMb = residentMegabytes(pid);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return result;
}

Start startBare(const std::string& self)
{
    int fds[2];
    if (pipe(fds) != 0) return Start();
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    std::string out;
    Start s = measure({self, kBareFlag}, {}, fds[1], [&](double& at) {
        char buf[256];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n > 0) out.append(buf, static_cast<size_t>(n));
        return out.find('\n') != std::string::npos && std::sscanf(out.c_str(), "frame %lf", &at) == 1;
    });
    close(fds[0]);
    close(fds[1]);
    return s;
}

Start startQuibo(const std::string& binary)
{
    char logPath[] = "/tmp/quibo-first-frame-XXXXXX";
    const int fd = mkstemp(logPath);
    if (fd < 0) return Start();
    close(fd);
    const int devnull = open("/dev/null", O_WRONLY);
    Start s = measure({binary}, {std::string("QUIBO_FRAME_LOG=") + logPath}, devnull, [&](double& at) {
        std::ifstream log(logPath);
        std::string word;
        double t = 0;
        while (log >> word) {
            if (word == "end" || !(log >> t)) break;
            if (word == "frame") {
                at = t;
                return true;
            }
        }
        return false;
    });
    close(devnull);
    std::remove(logPath);
    return s;
}

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

std::string s_self;
std::vector<std::string> s_binaries;
int s_rounds = kDefaultRounds;

void BM_StartToFirstFrame(benchmark::State& state)
{
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    const size_t programs = s_binaries.size() + 1; // the bare window first
    std::vector<std::vector<double>> ms(programs), rss(programs);
    for (auto _ : state) {
        for (int round = 0; round < s_rounds; ++round) {
            // Each round starts with another program, so none always meets a warm cache.
            for (size_t k = 0; k < programs; ++k) {
                const size_t which = (static_cast<size_t>(round) + k) % programs;
                const Start s = which == 0 ? startBare(s_self) : startQuibo(s_binaries[which - 1]);
                if (s.seconds >= 0) {
                    ms[which].push_back(s.seconds * 1000);
                    rss[which].push_back(s.rssMb);
                }
            }
        }
        state.SetIterationTime(median(ms[1]) / 1000.0);
    }
    for (const auto& m : ms) {
        if (m.empty()) {
            state.SkipWithError("a program showed no frame");
            return;
        }
    }
    state.counters["bare_ms"] = median(ms[0]);
    state.counters["bare_rss_mb"] = median(rss[0]);
    for (size_t b = 1; b < programs; ++b) {
        const std::string suffix = b == 1 ? "" : std::to_string(b);
        state.counters["quibo" + suffix + "_ms"] = median(ms[b]);
        state.counters["quibo" + suffix + "_rss_mb"] = median(rss[b]);
        state.counters["ratio" + suffix] = median(ms[b]) / median(ms[0]);
    }
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], kBareFlag) == 0) return runBareWindow();
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    s_self = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string(argv[0]);
    // Our own options; the rest is the benchmark library's.
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--quibo=", 8) == 0) {
            s_binaries.push_back(argv[i] + 8);
        } else if (std::strncmp(argv[i], "--rounds=", 9) == 0) {
            s_rounds = std::max(1, std::atoi(argv[i] + 9));
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (s_binaries.empty()) s_binaries.push_back(QUIBO_BINARY);
    argc = static_cast<int>(rest.size());
    argv = rest.data();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
