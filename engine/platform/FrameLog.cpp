// Frame log lines on stdio; the clock is the one steady_clock reads, which on
// Linux is CLOCK_MONOTONIC, the clock other processes can compare with.
#include "platform/FrameLog.h"

#include "base/CCLog.h"

#include <chrono>
#include <cstdlib>

namespace cc {

std::unique_ptr<FrameLog> FrameLog::fromEnvironment()
{
    const char* path = std::getenv(kEnvironmentVariable);
    if (!path || !*path) return nullptr;
    return open(path);
}

std::unique_ptr<FrameLog> FrameLog::open(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (!file) {
        CCLog("FrameLog: cannot write %s", path.c_str());
        return nullptr;
    }
    return std::unique_ptr<FrameLog>(new FrameLog(file));
}

FrameLog::~FrameLog() { std::fclose(m_file); }

double FrameLog::now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void FrameLog::mark(const char* what, double seconds)
{
    std::fprintf(m_file, "%s %.6f\n", what, seconds);
    std::fflush(m_file);
}

void FrameLog::finish(unsigned long presentedFrames, unsigned long loopFrames)
{
    std::fprintf(m_file, "end frames=%lu ticks=%lu\n", presentedFrames, loopFrames);
    std::fflush(m_file);
}

} // namespace cc
