// A node drawn as quads from one texture cut into equal cells. It can be
// built with its default constructor alone: until a texture is given it has
// no texture atlas and draws nothing. Which cells to show is the subclass's.
#pragma once

#include "base/CCRefPtr.h"
#include "base/ccTypes.h"
#include "scene/CCNodeRGBA.h"

namespace cc {

class CCTexture2D;
class CCTextureAtlas;

class CCAtlasNode : public CCNodeRGBA {
public:
    CCAtlasNode();
    ~CCAtlasNode() override;

    // False (and the node stays without atlas) when the image cannot load.
    bool initWithTileFile(const char* tileFile, unsigned int tileWidth, unsigned int tileHeight,
                          unsigned int itemsToRender);
    bool initWithTexture(CCTexture2D* texture, unsigned int tileWidth, unsigned int tileHeight,
                         unsigned int itemsToRender);

    // Rebuilds the quads from the node's content (subclasses).
    virtual void updateAtlasValues() {}
    void draw() override;

    CCTextureAtlas* getTextureAtlas() const { return m_pTextureAtlas.get(); }
    CCTexture2D* getTexture() const;
    unsigned int getQuadsToDraw() const;
    unsigned int getItemWidth() const { return m_uItemWidth; }
    unsigned int getItemHeight() const { return m_uItemHeight; }
    void setBlendFunc(const ccBlendFunc& blend)
    {
        m_tBlendFunc = blend;
        markForRedraw();
    }
    const ccBlendFunc& getBlendFunc() const { return m_tBlendFunc; }

protected:
    CCRefPtr<CCTextureAtlas> m_pTextureAtlas;
    unsigned int m_uItemWidth = 0;
    unsigned int m_uItemHeight = 0;
    unsigned int m_uItemsPerRow = 0;
    unsigned int m_uItemsPerColumn = 0;
    ccBlendFunc m_tBlendFunc;
};

} // namespace cc
