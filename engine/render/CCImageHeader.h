// The size a picture file claims, read from its header alone, so a picture
// can be judged before its decoder allocates anything. Decoding is CCImage's.
#pragma once

#include <cstddef>

namespace cc {

struct CCImageHeader {
    const char* format = nullptr; // "PNG", "JPEG" or "BMP"
    long long width = 0;
    long long height = 0;
};

// False when the bytes start no PNG, JPEG or BMP picture, or its header is
// cut short or names no size.
bool readImageHeader(const unsigned char* data, size_t length, CCImageHeader& out);

} // namespace cc
