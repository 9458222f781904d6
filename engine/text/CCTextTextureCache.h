// Rendered text shared between labels: one texture per font face, text, box
// and alignment, whatever the label's colour (the glyphs are white and the
// label tints them). Two labels showing the same words share their pixels
// instead of each rendering and keeping its own. The director's purge drops
// the texts no label shows any more. Laying text out is CCTextLayout's.
#pragma once

#include "base/CCRefPtr.h"
#include "base/ccTypes.h"
#include "base/CCGeometry.h"

#include <map>
#include <string>
#include <tuple>

typedef struct _TTF_Font TTF_Font;

namespace cc {

class CCTexture2D;

class CCTextTextureCache {
public:
    static CCTextTextureCache* shared();

    // The texture of this text in this face, rendered now if no label shows
    // it yet; null for text that renders to nothing. The cache keeps it until
    // a purge finds no label holding it.
    CCTexture2D* textureFor(TTF_Font* font, const std::string& text, const CCSize& dimensions,
                            CCTextAlignment hAlign, CCVerticalTextAlignment vAlign);
    // Drops the textures only the cache holds.
    void removeUnusedTextures();
    size_t count() const { return m_textures.size(); }

private:
    CCTextTextureCache() = default;
    using Key = std::tuple<const TTF_Font*, std::string, float, float, int, int>;
    std::map<Key, CCRefPtr<CCTexture2D>> m_textures;
};

} // namespace cc
