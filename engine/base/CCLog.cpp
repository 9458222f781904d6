// CCLog formatting and the capture list.
#include "base/CCLog.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace cc {

namespace {
std::vector<CCLogCapture*>& captures()
{
    static std::vector<CCLogCapture*> list;
    return list;
}
bool s_echo = true;
} // namespace

void CCLog(const char* format, ...)
{
    char stackBuf[1024];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(stackBuf, sizeof stackBuf, format, copy);
    va_end(copy);
    std::string line;
    if (n < 0) {
        line = format;
    } else if (static_cast<size_t>(n) < sizeof stackBuf) {
        line.assign(stackBuf, static_cast<size_t>(n));
    } else {
        std::vector<char> big(static_cast<size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), format, args);
        line.assign(big.data(), static_cast<size_t>(n));
    }
    va_end(args);

    if (s_echo || captures().empty()) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    for (CCLogCapture* c : captures()) {
        c->m_lines.push_back(line);
    }
}

CCLogCapture::CCLogCapture() { captures().push_back(this); }

CCLogCapture::~CCLogCapture()
{
    auto& list = captures();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

bool CCLogCapture::contains(const std::string& line) const
{
    return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
}

size_t CCLogCapture::countOf(const std::string& line) const
{
    return static_cast<size_t>(std::count(m_lines.begin(), m_lines.end(), line));
}

void CCLogCapture::setEcho(bool echo) { s_echo = echo; }

} // namespace cc
