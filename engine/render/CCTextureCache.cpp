// Texture cache: decoding on first request, lookup afterwards.
#include "render/CCTextureCache.h"

#include "base/CCLog.h"
#include "platform/CCFileUtils.h"
#include "render/CCCachePurge.h"
#include "render/CCImage.h"
#include "render/CCImageDecoder.h"
#include "render/CCTexture2D.h"

namespace cc {

namespace {
CCTextureCache* s_sharedCache = nullptr;
unsigned int s_purgerDirector = 0;
} // namespace

CCTextureCache* CCTextureCache::sharedTextureCache()
{
    if (!s_sharedCache) {
        s_sharedCache = new CCTextureCache();
        s_sharedCache->excludeFromLiveCount();
    }
    registerCachePurgerOnce(&s_purgerDirector, [] {
        if (s_sharedCache) s_sharedCache->removeUnusedTextures();
    });
    return s_sharedCache;
}

void CCTextureCache::purgeSharedTextureCache()
{
    CC_SAFE_RELEASE_NULL(s_sharedCache);
}

CCTextureCache::~CCTextureCache()
{
    removeAllTextures();
}

std::string CCTextureCache::keyFor(const char* fileName)
{
    if (!fileName) return std::string();
    return CCFileUtils::sharedFileUtils()->fullPathForFilename(fileName);
}

CCTexture2D* CCTextureCache::addImage(const char* fileName)
{
    const std::string key = keyFor(fileName);
    auto found = m_textures.find(key);
    if (found != m_textures.end()) return found->second.get();

    CCTexture2D* texture = new CCTexture2D();
    texture->excludeFromLiveCount();
    texture->setPath(key);
    // Pixels decoded ahead in the background are only taken over here.
    std::vector<unsigned char> ready;
    int width = 0, height = 0;
    if (!key.empty() && CCImageDecoder::shared().take(key, ready, width, height)) {
        std::string refused;
        if (!CCPagePixelBudget::charge(key.c_str(), width, height, refused)) {
            // Refused as the page's own decoding would have been: the empty texture stands in.
            CCLog("%s", refused.c_str());
            m_textures[key] = CCRefPtr<CCTexture2D>::adopt(texture);
            return texture;
        }
        if (texture->initWithPixels(std::move(ready), width, height)) {
            texture->setReloadableFromFile(true);
            m_textures[key] = CCRefPtr<CCTexture2D>::adopt(texture);
            return texture;
        }
    }
    CCImage image;
    image.excludeFromLiveCount();
    if (key.empty() || !image.initWithImageFile(key)) {
        // initWithImageFile logged why; the empty texture stands in.
        if (key.empty()) CCLog("CCTextureCache: no image file name given");
    } else {
        const int w = image.getWidth(), h = image.getHeight();
        texture->initWithPixels(image.takePixels(), w, h);
        texture->setReloadableFromFile(true);
    }
    m_textures[key] = CCRefPtr<CCTexture2D>::adopt(texture);
    return texture;
}

CCTexture2D* CCTextureCache::textureForKey(const char* fileName) const
{
    auto found = m_textures.find(keyFor(fileName));
    return found == m_textures.end() ? nullptr : found->second.get();
}

void CCTextureCache::removeTexture(CCTexture2D* texture)
{
    for (auto it = m_textures.begin(); it != m_textures.end(); ++it) {
        if (it->second == texture) {
            m_textures.erase(it);
            return;
        }
    }
}

void CCTextureCache::removeTextureForKey(const char* fileName)
{
    auto found = m_textures.find(keyFor(fileName));
    if (found == m_textures.end()) return;
    m_textures.erase(found);
}

void CCTextureCache::removeAllTextures()
{
    m_textures.clear();
}

bool CCTextureCache::holds(const CCTexture2D* texture) const
{
    if (!texture) return false;
    auto found = m_textures.find(texture->getPath());
    return found != m_textures.end() && found->second == texture;
}

void CCTextureCache::prefetchImages(const std::vector<std::string>& fileNames)
{
    m_wantedSoon.clear();
    std::vector<std::string> toDecode;
    for (const std::string& name : fileNames) {
        const std::string key = keyFor(name.c_str());
        if (key.empty() || !m_wantedSoon.insert(key).second) continue;
        if (!m_textures.count(key)) toDecode.push_back(key);
    }
    CCImageDecoder::shared().want(toDecode);
}

bool CCTextureCache::isWantedSoon(const char* fileName) const { return m_wantedSoon.count(keyFor(fileName)) > 0; }

void CCTextureCache::removeUnusedTextures()
{
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second->isSingleReference() && !m_wantedSoon.count(it->first)) {
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace cc
