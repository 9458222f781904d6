// Text textures by what they show; registered with the director's purge.
#include "text/CCTextTextureCache.h"

#include "render/CCCachePurge.h"
#include "render/CCTexture2D.h"
#include "text/CCTextLayout.h"

namespace cc {

namespace {
unsigned int s_purgerDirector = 0;
} // namespace

CCTextTextureCache* CCTextTextureCache::shared()
{
    // Lives as long as the process, like the fonts its keys point at.
    static CCTextTextureCache* cache = new CCTextTextureCache();
    registerCachePurgerOnce(&s_purgerDirector, [] { shared()->removeUnusedTextures(); });
    return cache;
}

CCTexture2D* CCTextTextureCache::textureFor(TTF_Font* font, const std::string& text, const CCSize& dimensions,
                                            CCTextAlignment hAlign, CCVerticalTextAlignment vAlign)
{
    const Key key(font, text, dimensions.width, dimensions.height, static_cast<int>(hAlign), static_cast<int>(vAlign));
    auto found = m_textures.find(key);
    if (found != m_textures.end()) return found->second.get();
    CCTextImage image;
    ccRenderText(font, text, dimensions, hAlign, vAlign, image);
    if (image.width == 0) return nullptr;
    CCTexture2D* texture = new CCTexture2D();
    texture->excludeFromLiveCount();
    texture->initWithPixels(std::move(image.rgba), image.width, image.height);
    texture->setPath("<label>");
    m_textures.emplace(key, CCRefPtr<CCTexture2D>::adopt(texture));
    return texture;
}

void CCTextTextureCache::removeUnusedTextures()
{
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second->isSingleReference()) {
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace cc
