// The process-wide cache of textures by resolved file path. A name that
// cannot be loaded still gets a (cached) empty texture so callers never see
// null and the failure is logged once. The director's purge drops textures
// nothing else holds.
#pragma once

#include "base/CCObject.h"

#include <map>
#include <string>

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
    // Drops every texture that only the cache holds.
    void removeUnusedTextures();
    unsigned int count() const { return static_cast<unsigned int>(m_textures.size()); }

    ~CCTextureCache() override;

private:
    CCTextureCache() = default;
    static std::string keyFor(const char* fileName);

    std::map<std::string, CCTexture2D*> m_textures; // retained
};

} // namespace cc
