// Decoded pixels of one picture (PNG, JPEG or BMP, through SDL2_image), always
// kept as straight-alpha RGBA rows from the top, and PNG writing of such
// pixels. Every picture is judged by its header before it is decoded. Uploading
// the pixels to the GPU is the texture's business.
#pragma once

#include "base/CCObject.h"

#include <string>
#include <vector>

struct SDL_Surface;

namespace cc {

class CCImage : public CCObject {
public:
    CCImage() = default;

    // Decodes a file (already a full path), the one way a picture file
    // becomes pixels: read as a book picture (regular file, size bound), its
    // header within the side and pixel bounds and the page's pixel budget.
    // False plus one log line when the file is refused, missing or is not a
    // picture SDL2_image can read.
    bool initWithImageFile(const std::string& fullPath);
    // Decodes an encoded picture held in memory, judged the same way.
    bool initWithImageData(const unsigned char* data, size_t length);
    // Takes raw RGBA rows (top row first).
    bool initWithRGBA(const unsigned char* rgba, int width, int height);

    // Writes the pixels as a PNG; false plus one log line on failure.
    bool saveToPNG(const std::string& path) const;
    static bool savePNG(const std::string& path, const unsigned char* rgba, int width, int height);

    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    const unsigned char* getData() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    bool hasPixels() const { return !m_pixels.empty(); }
    // RGBA of one pixel, (0, 0) being the top-left corner.
    void pixelAt(int x, int y, unsigned char out[4]) const;

private:
    bool decode(const unsigned char* data, size_t length, const char* what);
    bool fromSurface(SDL_Surface* surface, const char* what);

    std::vector<unsigned char> m_pixels;
    int m_width = 0;
    int m_height = 0;
};

// The pictures one book page decodes share a pixel budget: while a budget
// lives, each picture decoded takes its pixels from it, and a picture that
// would pass what is left is refused with one line. Budgets do not nest: an
// inner one leaves the outer in charge.
class CCPagePixelBudget {
public:
    explicit CCPagePixelBudget(long long pixels);
    ~CCPagePixelBudget();
    CCPagePixelBudget(const CCPagePixelBudget&) = delete;
    CCPagePixelBudget& operator=(const CCPagePixelBudget&) = delete;

private:
    bool m_owner = false;
};

} // namespace cc
