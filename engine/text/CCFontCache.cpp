// SDL_ttf is started once, on first use; faces stay open until exit.
#include "text/CCFontCache.h"

#include "base/CCLog.h"
#include "text/CCFontResolver.h"

#include <SDL_ttf.h>

#include <cmath>

namespace cc {

namespace {
// Sizes outside this range are clamped: zero or negative sizes would make
// SDL_ttf fail, huge ones would allocate huge glyph surfaces.
const int kMinPixelSize = 1;
const int kMaxPixelSize = 512;
} // namespace

CCFontCache* CCFontCache::shared()
{
    static CCFontCache cache;
    return &cache;
}

CCFontCache::~CCFontCache()
{
    // Faces are left to process exit: SDL_ttf may already be shut down by
    // then and closing them in a static destructor is not safe.
}

bool CCFontCache::ensureInit()
{
    if (TTF_WasInit()) return true;
    if (TTF_Init() != 0) {
        CCLog("CCLabelTTF: cannot start SDL_ttf: %s", TTF_GetError());
        return false;
    }
    return true;
}

TTF_Font* CCFontCache::font(const std::string& path, int index, int pixelSize)
{
    if (path.empty() || !ensureInit()) return nullptr;
    if (pixelSize < kMinPixelSize) pixelSize = kMinPixelSize;
    if (pixelSize > kMaxPixelSize) pixelSize = kMaxPixelSize;
    const auto key = std::make_tuple(path, index, pixelSize);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) return it->second;
    TTF_Font* f = TTF_OpenFontIndex(path.c_str(), pixelSize, index);
    if (!f) CCLog("CCLabelTTF: cannot open font %s: %s", path.c_str(), TTF_GetError());
    m_fonts[key] = f;
    return f;
}

TTF_Font* CCFontCache::fontForName(const std::string& name, float size)
{
    const CCFontFace& face = CCFontResolver::shared()->resolve(name);
    return font(face.path, face.index, static_cast<int>(std::lround(size)));
}

} // namespace cc
