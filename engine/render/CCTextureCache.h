// The process-wide cache of textures by resolved file path. A name that
// cannot be loaded still gets a (cached) empty texture so callers never see
// null and the failure is logged once. The director's purge drops textures
// nothing else holds, except those of pictures wanted soon, which are kept,
// or decoded ahead in the background when they are not textures yet.
#pragma once

#include "base/CCObject.h"
#include "base/CCRefPtr.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace cc {

class CCTexture2D;

class CCTextureCache : public CCObject {
public:
    static CCTextureCache* sharedTextureCache();
    static void purgeSharedTextureCache();

    // The texture for an image file; empty (zero size) when it cannot load.
    CCTexture2D* addImage(const char* fileName);
    CCTexture2D* textureForKey(const char* fileName) const;
    void removeTexture(CCTexture2D* texture);
    void removeTextureForKey(const char* fileName);
    void removeAllTextures();
    // Drops every texture that only the cache holds, unless its picture is wanted soon.
    void removeUnusedTextures();
    unsigned int count() const { return static_cast<unsigned int>(m_textures.size()); }
    // Whether this very texture is the cached one for its file.
    bool holds(const CCTexture2D* texture) const;

    // The pictures (file names as for addImage) wanted soon, replacing the
    // previous list: a cached texture of one of them survives the purge, the
    // others are decoded in the background (CCImageDecoder) so that addImage
    // only takes their pixels. The caller keeps the list short: the pictures
    // of the screens one step away.
    void prefetchImages(const std::vector<std::string>& fileNames);
    bool isWantedSoon(const char* fileName) const;

    ~CCTextureCache() override;

private:
    CCTextureCache() = default;
    static std::string keyFor(const char* fileName);

    std::map<std::string, CCRefPtr<CCTexture2D>> m_textures;
    std::set<std::string> m_wantedSoon;              // keys
};

} // namespace cc
