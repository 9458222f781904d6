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
    // Takes decoded rows over without copying them.
    bool initWithPixels(std::vector<unsigned char>&& rgba, int width, int height);

    // The one way a picture file becomes pixels, used by initWithImageFile and
    // by the background decoder alike: straight-alpha RGBA rows from the top,
    // read and judged as initWithImageFile does (except the page budget,
    // which counts only what a page decodes while it is read). It touches no
    // engine state and logs nothing, so any thread may call it; false with
    // the line to log in `why`.
    static bool decodeFile(const std::string& fullPath, std::vector<unsigned char>& rgba, int& width, int& height,
                           std::string& why);

    // Writes the pixels as a PNG; false plus one log line on failure.
    bool saveToPNG(const std::string& path) const;
    static bool savePNG(const std::string& path, const unsigned char* rgba, int width, int height);

    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    const unsigned char* getData() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    bool hasPixels() const { return !m_pixels.empty(); }
    // Hands the pixels over; the image is empty afterwards.
    std::vector<unsigned char> takePixels();
    // RGBA of one pixel, (0, 0) being the top-left corner.
    void pixelAt(int x, int y, unsigned char out[4]) const;

private:
    // Judges encoded bytes by their header (and, when asked, charges the
    // page's pixel budget), then decodes them; no engine state, no log: the
    // line to write comes back in `why`.
    static bool decodeBytes(const unsigned char* data, size_t length, const char* what, bool chargeBudget,
                            std::vector<unsigned char>& rgba, int& width, int& height, std::string& why);
    static bool readAndDecode(const std::string& fullPath, bool chargeBudget, std::vector<unsigned char>& rgba,
                              int& width, int& height, std::string& why);
    static bool pixelsOfSurface(SDL_Surface* surface, std::vector<unsigned char>& rgba, int& width, int& height);

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
    // Takes a picture's pixels from the open budget (none open: always fits);
    // false with the line to log in `why` when they do not fit. Decoding
    // charges it; pixels decoded ahead in the background are charged where
    // the engine thread takes them over, as if decoded there.
    static bool charge(const char* what, long long width, long long height, std::string& why);
    CCPagePixelBudget(const CCPagePixelBudget&) = delete;
    CCPagePixelBudget& operator=(const CCPagePixelBudget&) = delete;

private:
    bool m_owner = false;
};

} // namespace cc
