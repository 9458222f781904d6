// Picture decoding and PNG writing through SDL2_image. Works without a window
// or GL context, so logic-only runs see real picture sizes.
#include "render/CCImage.h"

#include "base/CCLog.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

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
} // namespace

bool CCImage::decodeFile(const std::string& fullPath, std::vector<unsigned char>& rgba, int& width, int& height,
                         std::string& why)
{
    ensureImageLibrary();
    SDL_Surface* surface = IMG_Load(fullPath.c_str());
    if (!surface) {
        why = "cannot load image " + fullPath;
        return false;
    }
    if (!pixelsOfSurface(surface, rgba, width, height)) {
        why = "cannot convert image " + fullPath;
        return false;
    }
    return true;
}

bool CCImage::initWithImageFile(const std::string& fullPath)
{
    std::vector<unsigned char> rgba;
    int width = 0, height = 0;
    std::string why;
    if (!decodeFile(fullPath, rgba, width, height, why)) {
        CCLog("CCImage: %s", why.c_str());
        return false;
    }
    return initWithPixels(std::move(rgba), width, height);
}

bool CCImage::initWithImageData(const unsigned char* data, size_t length)
{
    ensureImageLibrary();
    SDL_RWops* rw = data ? SDL_RWFromConstMem(data, static_cast<int>(length)) : nullptr;
    SDL_Surface* surface = rw ? IMG_Load_RW(rw, 1) : nullptr;
    if (!surface) {
        CCLog("CCImage: cannot decode image data (%lu bytes)", static_cast<unsigned long>(length));
        return false;
    }
    std::vector<unsigned char> rgba;
    int width = 0, height = 0;
    if (!pixelsOfSurface(surface, rgba, width, height)) {
        CCLog("CCImage: cannot convert image image data");
        return false;
    }
    return initWithPixels(std::move(rgba), width, height);
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
