// Quads cut from one texture, kept in the owning node's space and drawn in
// one renderer call. The atlas and bitmap-font labels fill it; placing the
// quads is theirs.
#pragma once

#include "base/CCRefPtr.h"
#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/ccTypes.h"
#include "render/CCRenderer.h"

#include <vector>

namespace cc {

class CCTexture2D;

class CCTextureAtlas : public CCObject {
public:
    // Null for a missing or empty texture.
    static CCTextureAtlas* createWithTexture(CCTexture2D* texture, unsigned int capacity);
    bool initWithTexture(CCTexture2D* texture, unsigned int capacity);
    ~CCTextureAtlas() override;

    CCTexture2D* getTexture() const { return m_pTexture.get(); }
    void setTexture(CCTexture2D* texture);

    void removeAllQuads() { m_quads.clear(); }
    // A quad covering `where` (node points) showing `region` of the texture
    // (pixels, y down from the top).
    void addQuad(const CCRect& where, const CCRect& region);
    unsigned int getTotalQuads() const { return static_cast<unsigned int>(m_quads.size() / 4); }
    // The four corners of quad i: bottom-left, bottom-right, top-left, top-right.
    const ccV3F_C4B_T2F* quad(unsigned int i) const { return &m_quads[i * 4]; }

    // Draws every quad through the renderer under the given transform and colour.
    void drawQuads(CCRenderer* renderer, const ccBlendFunc& blend, const CCAffineTransform& toWorld,
                   const ccColor3B& color, GLubyte opacity);

private:
    CCRefPtr<CCTexture2D> m_pTexture;
    std::vector<ccV3F_C4B_T2F> m_quads;
    std::vector<ccV3F_C4B_T2F> m_scratch;
};

} // namespace cc
