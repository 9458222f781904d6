// UTF-8 walking with tolerance for broken bytes: a label never loops or
// reads past the end whatever it is given.
#include "text/ccUTF8.h"

#include <cstring>

namespace cc {

namespace {
bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length announced by a lead byte; 0 for a byte that cannot start a character.
size_t announcedLength(unsigned char c)
{
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return 2;
    if (c >= 0xE0 && c <= 0xEF) return 3;
    if (c >= 0xF0 && c <= 0xF4) return 4;
    return 0;
}

// Length of a well-formed sequence at text[at], or 0 when it is broken.
size_t wellFormedLength(const std::string& text, size_t at)
{
    const size_t n = announcedLength(static_cast<unsigned char>(text[at]));
    if (n == 0 || at + n > text.size()) return 0;
    for (size_t i = 1; i < n; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[at + i]))) return 0;
    }
    return n;
}
} // namespace

long cc_utf8_strlen(const char* text, int maxBytes)
{
    if (!text) return 0;
    const size_t n = maxBytes < 0 ? std::strlen(text) : static_cast<size_t>(maxBytes);
    long count = 0;
    for (size_t i = 0; i < n && text[i]; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i]))) ++count;
    }
    return count;
}

namespace utf8 {

size_t charLength(const std::string& text, size_t at)
{
    if (at >= text.size()) return 0;
    const size_t n = wellFormedLength(text, at);
    return n ? n : 1;
}

size_t lastCharLength(const std::string& text)
{
    if (text.empty()) return 0;
    size_t start = text.size() - 1;
    // Step back over at most three continuation bytes to the lead byte.
    while (start > 0 && text.size() - start < 4 && isContinuation(static_cast<unsigned char>(text[start]))) --start;
    if (wellFormedLength(text, start) == text.size() - start) return text.size() - start;
    return 1;
}

unsigned int decode(const std::string& text, size_t& at)
{
    const size_t n = wellFormedLength(text, at);
    if (n == 0) {
        ++at;
        return 0xFFFD;
    }
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data() + at);
    unsigned int cp;
    switch (n) {
    case 1: cp = p[0]; break;
    case 2: cp = ((p[0] & 0x1Fu) << 6) | (p[1] & 0x3Fu); break;
    case 3: cp = ((p[0] & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu); break;
    default: cp = ((p[0] & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu); break;
    }
    at += n;
    return cp;
}

bool isValid(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t n = wellFormedLength(text, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

} // namespace utf8
} // namespace cc
