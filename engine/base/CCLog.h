// The engine's diagnostic log: one printf-style line on standard output.
// Tests read the lines back through a CCLogCapture.
#pragma once

#include <string>
#include <vector>

namespace cc {

void CCLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Records every line logged while it is alive (captures may nest).
class CCLogCapture {
public:
    CCLogCapture();
    ~CCLogCapture();
    CCLogCapture(const CCLogCapture&) = delete;
    CCLogCapture& operator=(const CCLogCapture&) = delete;

    const std::vector<std::string>& lines() const { return m_lines; }
    bool contains(const std::string& line) const;
    size_t countOf(const std::string& line) const;
    void clear() { m_lines.clear(); }

    // Whether lines still go to standard output while captured (default yes).
    static void setEcho(bool echo);

private:
    friend void CCLog(const char*, ...);
    std::vector<std::string> m_lines;
};

} // namespace cc
