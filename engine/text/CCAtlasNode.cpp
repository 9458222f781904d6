// Cell geometry from the texture size, and drawing through the atlas.
#include "text/CCAtlasNode.h"

#include "render/CCRenderer.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCDirector.h"
#include "text/CCTextureAtlas.h"

namespace cc {

CCAtlasNode::CCAtlasNode() : m_tBlendFunc(ccBlendFuncAlpha()) {}

CCAtlasNode::~CCAtlasNode() = default;

bool CCAtlasNode::initWithTileFile(const char* tileFile, unsigned int tileWidth, unsigned int tileHeight,
                                   unsigned int itemsToRender)
{
    if (!tileFile) return false;
    return initWithTexture(CCTextureCache::sharedTextureCache()->addImage(tileFile), tileWidth, tileHeight,
                           itemsToRender);
}

bool CCAtlasNode::initWithTexture(CCTexture2D* texture, unsigned int tileWidth, unsigned int tileHeight,
                                  unsigned int itemsToRender)
{
    if (!CCNodeRGBA::init()) return false;
    if (tileWidth == 0 || tileHeight == 0) return false;
    CCTextureAtlas* atlas = CCTextureAtlas::createWithTexture(texture, itemsToRender);
    if (!atlas) return false;
    m_pTextureAtlas.reset(atlas);
    m_uItemWidth = tileWidth;
    m_uItemHeight = tileHeight;
    m_uItemsPerRow = texture->getPixelsWide() / tileWidth;
    m_uItemsPerColumn = texture->getPixelsHigh() / tileHeight;
    return true;
}

CCTexture2D* CCAtlasNode::getTexture() const
{
    return m_pTextureAtlas ? m_pTextureAtlas->getTexture() : nullptr;
}

unsigned int CCAtlasNode::getQuadsToDraw() const
{
    return m_pTextureAtlas ? m_pTextureAtlas->getTotalQuads() : 0;
}

void CCAtlasNode::draw()
{
    if (!m_pTextureAtlas) return;
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer) return;
    m_pTextureAtlas->drawQuads(renderer, m_tBlendFunc, CCNode::currentWorldTransform(), getDisplayedColor(),
                               getDisplayedOpacity());
}

} // namespace cc
