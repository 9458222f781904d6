// Header parsing for the picture formats the engine decodes: PNG's IHDR,
// the first JPEG start-of-frame segment, the BMP information header.
#include "render/CCImageHeader.h"

#include <cstdint>
#include <cstring>

namespace cc {

namespace {

uint32_t bigEndian32(const unsigned char* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
unsigned bigEndian16(const unsigned char* p) { return (unsigned(p[0]) << 8) | unsigned(p[1]); }
int32_t littleEndian32(const unsigned char* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                                (uint32_t(p[3]) << 24));
}
unsigned littleEndian16(const unsigned char* p) { return unsigned(p[0]) | (unsigned(p[1]) << 8); }

bool png(const unsigned char* d, size_t n, CCImageHeader& out)
{
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (n < 24 || std::memcmp(d, kSignature, 8) != 0 || std::memcmp(d + 12, "IHDR", 4) != 0) return false;
    out.format = "PNG";
    out.width = bigEndian32(d + 16);
    out.height = bigEndian32(d + 20);
    return true;
}

// Start-of-frame markers: every C0 to CF except DHT (C4), JPG (C8), DAC (CC).
bool isStartOfFrame(unsigned char m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

bool jpeg(const unsigned char* d, size_t n, CCImageHeader& out)
{
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8) return false;
    size_t at = 2;
    while (at + 4 <= n) {
        if (d[at] != 0xFF) return false;
        const unsigned char marker = d[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) { // no length
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return false; // image data before any frame
        const size_t length = bigEndian16(d + at + 2);
        if (length < 2) return false;
        if (isStartOfFrame(marker)) {
            if (at + 9 > n) return false;
            out.format = "JPEG";
            out.height = bigEndian16(d + at + 5);
            out.width = bigEndian16(d + at + 7);
            return true;
        }
        at += 2 + length;
    }
    return false;
}

bool bmp(const unsigned char* d, size_t n, CCImageHeader& out)
{
    if (n < 26 || d[0] != 'B' || d[1] != 'M') return false;
    const int32_t infoSize = littleEndian32(d + 14);
    out.format = "BMP";
    if (infoSize == 12) { // the old core header: 16-bit sides
        out.width = littleEndian16(d + 18);
        out.height = littleEndian16(d + 20);
        return true;
    }
    // Rows may run from the top (negative height); the size is the same.
    const long long w = littleEndian32(d + 18);
    const long long h = littleEndian32(d + 22);
    out.width = w < 0 ? -w : w;
    out.height = h < 0 ? -h : h;
    return true;
}

} // namespace

bool readImageHeader(const unsigned char* data, size_t length, CCImageHeader& out)
{
    out = CCImageHeader();
    if (!data) return false;
    return png(data, length, out) || jpeg(data, length, out) || bmp(data, length, out);
}

} // namespace cc
