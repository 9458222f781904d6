// A record of the real loop for the measuring tools: one line per presented
// frame and per touch event, stamped with the monotonic clock, written to the
// file QUIBO_FRAME_LOG names. Without that variable nothing is written.
// Deciding what to record is the application loop's; reading it is the tools'.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace cc {

class FrameLog {
public:
    // The log the environment asks for, or null.
    static std::unique_ptr<FrameLog> fromEnvironment();
    // Appends to path; null plus one log line when it cannot be opened.
    static std::unique_ptr<FrameLog> open(const std::string& path);
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    // "<what> <seconds>" with the monotonic clock's seconds; flushed at once
    // so a tool can follow the file while the program runs.
    void mark(const char* what) { mark(what, now()); }
    void mark(const char* what, double seconds);
    void frame() { mark("frame"); }
    void touch() { mark("touch"); }
    // The closing line: "end frames=<presented> ticks=<loop frames>".
    void finish(unsigned long presentedFrames, unsigned long loopFrames);

    // Seconds on the clock the lines are stamped with.
    static double now();

    static constexpr const char* kEnvironmentVariable = "QUIBO_FRAME_LOG";

private:
    explicit FrameLog(std::FILE* file) : m_file(file) {}
    std::FILE* m_file;
};

} // namespace cc
