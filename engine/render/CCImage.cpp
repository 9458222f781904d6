// Picture decoding and PNG writing through SDL2_image. Works without a window
// or GL context, so logic-only runs see real picture sizes.
#include "render/CCImage.h"

#include "base/CCLog.h"
#include "platform/CCFileUtils.h"
#include "render/CCImageHeader.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace cc {

namespace {
// SDL2_image needs its PNG and JPEG decoders loaded once, whichever thread
// decodes first.
void ensureImageLibrary()
{
    static std::once_flag ready;
    std::call_once(ready, [] { IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG); });
}

// The page budget: pixels left, and whether a budget is open at all.
std::atomic<bool> s_budgetOpen{false};
std::atomic<long long> s_budgetLeft{0};

// Takes the picture's pixels from the open budget; false when they do not fit.
bool takeFromBudget(long long pixels)
{
    if (!s_budgetOpen) return true;
    long long left = s_budgetLeft.load();
    while (true) {
        if (pixels > left) return false;
        if (s_budgetLeft.compare_exchange_weak(left, left - pixels)) return true;
    }
}
} // namespace

CCPagePixelBudget::CCPagePixelBudget(long long pixels)
{
    bool expected = false;
    if (s_budgetOpen.compare_exchange_strong(expected, true)) {
        s_budgetLeft = pixels;
        m_owner = true;
    }
}

CCPagePixelBudget::~CCPagePixelBudget()
{
    if (m_owner) s_budgetOpen = false;
}

bool CCPagePixelBudget::charge(const char* what, long long width, long long height, std::string& why)
{
    if (takeFromBudget(width * height)) return true;
    char line[512];
    std::snprintf(line, sizeof line, "CCImage: %s refused: its %lld x %lld pixels pass what is left of the page's budget",
                  what, width, height);
    why = line;
    return false;
}

bool CCImage::readAndDecode(const std::string& fullPath, bool chargeBudget, std::vector<unsigned char>& rgba,
                            int& width, int& height, std::string& why)
{
    std::string bytes;
    std::string refused;
    if (!CCFileUtils::readBookFileAt(fullPath, BookFileKind::Image, bytes, &refused)) {
        why = "Book file " + fullPath + " refused: " + refused;
        return false;
    }
    return decodeBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), fullPath.c_str(),
                       chargeBudget, rgba, width, height, why);
}

bool CCImage::decodeFile(const std::string& fullPath, std::vector<unsigned char>& rgba, int& width, int& height,
                         std::string& why)
{
    return readAndDecode(fullPath, false, rgba, width, height, why);
}

bool CCImage::initWithImageFile(const std::string& fullPath)
{
    std::vector<unsigned char> rgba;
    int width = 0, height = 0;
    std::string why;
    if (!readAndDecode(fullPath, true, rgba, width, height, why)) {
        CCLog("%s", why.c_str());
        return false;
    }
    return initWithPixels(std::move(rgba), width, height);
}

bool CCImage::initWithImageData(const unsigned char* data, size_t length)
{
    std::vector<unsigned char> rgba;
    int width = 0, height = 0;
    std::string why;
    if (!decodeBytes(data, length, "image data", true, rgba, width, height, why)) {
        CCLog("%s", why.c_str());
        return false;
    }
    return initWithPixels(std::move(rgba), width, height);
}

bool CCImage::decodeBytes(const unsigned char* data, size_t length, const char* what, bool chargeBudget,
                          std::vector<unsigned char>& rgba, int& width, int& height, std::string& why)
{
    char line[512];
    CCImageHeader header;
    if (!data || length > static_cast<size_t>(kMaxImageFileBytes) || !readImageHeader(data, length, header)) {
        std::snprintf(line, sizeof line, "CCImage: %s is not a PNG, JPEG or BMP picture with a readable size (%lu bytes)",
                      what, static_cast<unsigned long>(length));
        why = line;
        return false;
    }
    const long long pixels = header.width * header.height;
    if (header.width > kMaxImageSide || header.height > kMaxImageSide || pixels > kMaxImagePixels) {
        std::snprintf(line, sizeof line,
                      "CCImage: %s refused: %s of %lld x %lld pixels, more than %lld on a side or %lld in all", what,
                      header.format, header.width, header.height, kMaxImageSide, kMaxImagePixels);
        why = line;
        return false;
    }
    if (chargeBudget && !CCPagePixelBudget::charge(what, header.width, header.height, why)) return false;
    ensureImageLibrary();
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(length));
    SDL_Surface* surface = rw ? IMG_Load_RW(rw, 1) : nullptr;
    if (!surface) {
        why = std::string("CCImage: cannot decode image ") + what;
        return false;
    }
    // The decoder must have honoured the header it was judged by.
    if (surface->w > header.width || surface->h > header.height) {
        SDL_FreeSurface(surface);
        why = std::string("CCImage: ") + what + " decoded larger than its header claims; refused";
        return false;
    }
    if (!pixelsOfSurface(surface, rgba, width, height)) {
        why = std::string("CCImage: cannot convert image ") + what;
        return false;
    }
    return true;
}

bool CCImage::initWithRGBA(const unsigned char* rgba, int width, int height)
{
    if (!rgba || width <= 0 || height <= 0) {
        CCLog("CCImage: empty pixel buffer");
        return false;
    }
    m_width = width;
    m_height = height;
    m_pixels.assign(rgba, rgba + static_cast<size_t>(width) * height * 4);
    return true;
}

bool CCImage::initWithPixels(std::vector<unsigned char>&& rgba, int width, int height)
{
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4) {
        CCLog("CCImage: empty pixel buffer");
        return false;
    }
    m_width = width;
    m_height = height;
    m_pixels = std::move(rgba);
    return true;
}

std::vector<unsigned char> CCImage::takePixels()
{
    m_width = m_height = 0;
    std::vector<unsigned char> out;
    out.swap(m_pixels);
    return out;
}

bool CCImage::pixelsOfSurface(SDL_Surface* surface, std::vector<unsigned char>& pixels, int& width, int& height)
{
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(surface);
    if (!rgba || rgba->w <= 0 || rgba->h <= 0) {
        if (rgba) SDL_FreeSurface(rgba);
        return false;
    }
    width = rgba->w;
    height = rgba->h;
    pixels.resize(static_cast<size_t>(width) * height * 4);
    SDL_LockSurface(rgba);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = static_cast<const unsigned char*>(rgba->pixels) + y * rgba->pitch;
        std::memcpy(&pixels[static_cast<size_t>(y) * width * 4], row, static_cast<size_t>(width) * 4);
    }
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
    return true;
}

void CCImage::pixelAt(int x, int y, unsigned char out[4]) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        out[0] = out[1] = out[2] = out[3] = 0;
        return;
    }
    std::memcpy(out, &m_pixels[(static_cast<size_t>(y) * m_width + x) * 4], 4);
}

bool CCImage::saveToPNG(const std::string& path) const
{
    return savePNG(path, getData(), m_width, m_height);
}

bool CCImage::savePNG(const std::string& path, const unsigned char* rgba, int width, int height)
{
    if (!rgba || width <= 0 || height <= 0) {
        CCLog("CCImage: nothing to write to %s", path.c_str());
        return false;
    }
    ensureImageLibrary();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(rgba), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_ABGR8888);
    if (!surface) {
        CCLog("CCImage: cannot wrap pixels for %s", path.c_str());
        return false;
    }
    const bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    if (!ok) CCLog("CCImage: cannot write %s", path.c_str());
    return ok;
}

} // namespace cc
