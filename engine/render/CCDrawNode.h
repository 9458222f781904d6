// A node that keeps a list of flat-coloured shapes (polygons with fill and
// border, dots, segments) in its own space and draws them each frame.
// Often used as the stencil of a clipping node.
#pragma once

#include "base/CCGeometry.h"
#include "base/ccTypes.h"
#include "render/CCRenderer.h"
#include "scene/CCNode.h"

#include <vector>

namespace cc {

class CCDrawNode : public CCNode {
public:
    CREATE_FUNC(CCDrawNode)
    bool init() override;

    // A convex polygon filled with fillColor and, when borderWidth > 0, an
    // outline of that width centred on its edges.
    void drawPolygon(const CCPoint* vertices, unsigned int count, const ccColor4F& fillColor, float borderWidth,
                     const ccColor4F& borderColor);
    void drawDot(const CCPoint& position, float radius, const ccColor4F& color);
    void drawSegment(const CCPoint& from, const CCPoint& to, float radius, const ccColor4F& color);
    // Forgets every shape.
    void clear();
    size_t vertexCount() const { return m_vertices.size(); }

    void setBlendFunc(const ccBlendFunc& blend)
    {
        m_sBlendFunc = blend;
        markForRedraw();
    }
    const ccBlendFunc& getBlendFunc() const { return m_sBlendFunc; }
    void draw() override;

private:
    void addTriangle(const CCPoint& a, const CCPoint& b, const CCPoint& c, const ccColor4F& color);
    void addQuad(const CCPoint& a, const CCPoint& b, const CCPoint& c, const CCPoint& d, const ccColor4F& color);

    std::vector<ccV3F_C4B_T2F> m_vertices; // triangles in node space
    std::vector<ccV3F_C4B_T2F> m_scratch;
    ccBlendFunc m_sBlendFunc = {0, 0};
};

} // namespace cc
