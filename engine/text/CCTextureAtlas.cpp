// Local quads are transformed to world space at draw time, so moving a
// label costs nothing until it is drawn.
#include "text/CCTextureAtlas.h"

#include "render/CCTexture2D.h"

namespace cc {

CCTextureAtlas* CCTextureAtlas::createWithTexture(CCTexture2D* texture, unsigned int capacity)
{
    CCTextureAtlas* atlas = new CCTextureAtlas();
    if (atlas->initWithTexture(texture, capacity)) {
        atlas->autorelease();
        return atlas;
    }
    delete atlas;
    return nullptr;
}

bool CCTextureAtlas::initWithTexture(CCTexture2D* texture, unsigned int capacity)
{
    if (!texture || texture->isEmpty()) return false;
    setTexture(texture);
    m_quads.reserve(static_cast<size_t>(capacity) * 4);
    return true;
}

CCTextureAtlas::~CCTextureAtlas() = default;

void CCTextureAtlas::setTexture(CCTexture2D* texture)
{
    if (texture == m_pTexture) return;
    m_pTexture.reset(texture);
}

void CCTextureAtlas::addQuad(const CCRect& where, const CCRect& region)
{
    const float tw = static_cast<float>(m_pTexture->getPixelsWide());
    const float th = static_cast<float>(m_pTexture->getPixelsHigh());
    const float left = region.origin.x / tw, right = (region.origin.x + region.size.width) / tw;
    const float top = region.origin.y / th, bottom = (region.origin.y + region.size.height) / th;
    ccV3F_C4B_T2F v[4];
    v[0].x = where.getMinX(); v[0].y = where.getMinY(); v[0].u = left;  v[0].v = bottom;
    v[1].x = where.getMaxX(); v[1].y = where.getMinY(); v[1].u = right; v[1].v = bottom;
    v[2].x = where.getMinX(); v[2].y = where.getMaxY(); v[2].u = left;  v[2].v = top;
    v[3].x = where.getMaxX(); v[3].y = where.getMaxY(); v[3].u = right; v[3].v = top;
    m_quads.insert(m_quads.end(), v, v + 4);
}

void CCTextureAtlas::drawQuads(CCRenderer* renderer, const ccBlendFunc& blend, const CCAffineTransform& t,
                               const ccColor3B& color, GLubyte opacity)
{
    if (!renderer || m_quads.empty()) return;
    m_scratch.resize(m_quads.size());
    for (size_t i = 0; i < m_quads.size(); ++i) {
        const ccV3F_C4B_T2F& local = m_quads[i];
        ccV3F_C4B_T2F& v = m_scratch[i];
        v = local;
        v.x = t.a * local.x + t.c * local.y + t.tx;
        v.y = t.b * local.x + t.d * local.y + t.ty;
        v.r = color.r;
        v.g = color.g;
        v.b = color.b;
        v.a = opacity;
    }
    renderer->drawQuads(m_pTexture.get(), blend, m_scratch.data(), m_scratch.size() / 4);
}

} // namespace cc
