// UTF-8 helpers shared by the labels and the text field: counting, walking
// and validating characters. Fonts and layout are left to the labels.
#pragma once

#include <string>

namespace cc {

// Characters (not bytes) in the first maxBytes bytes, or up to the NUL when
// maxBytes is -1. A broken sequence counts as one character per lead byte.
long cc_utf8_strlen(const char* text, int maxBytes = -1);

namespace utf8 {
// Bytes taken by the character starting at text[at]; at least 1 so loops
// always move forward, even over broken input.
size_t charLength(const std::string& text, size_t at);
// Bytes of the last character of text (0 for an empty text).
size_t lastCharLength(const std::string& text);
// The code point at text[at] (U+FFFD for a broken sequence); advances at.
unsigned int decode(const std::string& text, size_t& at);
// Whether every sequence is well-formed UTF-8.
bool isValid(const std::string& text);
} // namespace utf8

} // namespace cc
