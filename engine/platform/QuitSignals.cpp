// Signal handling on POSIX calls. The handler only stores the signal and arms
// an interval timer; the timer's handler leaves at once with _exit, since by
// then the engine thread is stuck somewhere a flag cannot reach.
#include "platform/QuitSignals.h"

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <sys/time.h>
#include <unistd.h>

namespace cc {

namespace {

std::atomic<int> s_signal{0};

extern "C" void onWatchdog(int)
{
    const int sig = s_signal.load();
    ::_exit(128 + (sig > 0 ? sig : SIGTERM));
}

extern "C" void onQuitSignal(int sig)
{
    int none = 0;
    if (!s_signal.compare_exchange_strong(none, sig)) {
        ::_exit(128 + sig); // asked twice: no more waiting
    }
    struct itimerval grace = {};
    grace.it_value.tv_sec = 0;
    grace.it_value.tv_usec = static_cast<suseconds_t>(kQuitGraceSeconds * 1e6);
    ::setitimer(ITIMER_REAL, &grace, nullptr);
}

void handle(int sig, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking call the engine is in returns early.
    action.sa_flags = 0;
    ::sigaction(sig, &action, nullptr);
}

} // namespace

void installQuitSignals()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    handle(SIGALRM, onWatchdog);
    handle(SIGINT, onQuitSignal);
    handle(SIGTERM, onQuitSignal);
}

bool quitSignalled() { return s_signal.load() != 0; }

int quitSignalExitStatus()
{
    const int sig = s_signal.load();
    return sig ? 128 + sig : 0;
}

} // namespace cc
