// Shapes become triangles once, when drawn into the node; each frame only
// moves them to world space.
#include "render/CCDrawNode.h"

#include "scene/CCDirector.h"

#include <cmath>

namespace cc {

namespace {
// Enough segments that a dot looks round at the sizes the book uses.
const int kDotSegments = 24;

GLubyte toByte(float v)
{
    return static_cast<GLubyte>(v <= 0 ? 0 : v >= 1 ? 255 : v * 255.0f + 0.5f);
}
} // namespace

bool CCDrawNode::init()
{
    if (!CCNode::init()) return false;
    m_sBlendFunc = ccBlendFuncAlpha();
    return true;
}

void CCDrawNode::addTriangle(const CCPoint& a, const CCPoint& b, const CCPoint& c, const ccColor4F& color)
{
    markForRedraw();
    const CCPoint* points[3] = {&a, &b, &c};
    for (const CCPoint* p : points) {
        ccV3F_C4B_T2F v;
        v.x = p->x;
        v.y = p->y;
        v.r = toByte(color.r);
        v.g = toByte(color.g);
        v.b = toByte(color.b);
        v.a = toByte(color.a);
        m_vertices.push_back(v);
    }
}

void CCDrawNode::addQuad(const CCPoint& a, const CCPoint& b, const CCPoint& c, const CCPoint& d,
                         const ccColor4F& color)
{
    addTriangle(a, b, c, color);
    addTriangle(a, c, d, color);
}

void CCDrawNode::drawPolygon(const CCPoint* vertices, unsigned int count, const ccColor4F& fillColor,
                             float borderWidth, const ccColor4F& borderColor)
{
    if (!vertices || count < 3) return;
    if (fillColor.a > 0) {
        for (unsigned int i = 1; i + 1 < count; ++i) addTriangle(vertices[0], vertices[i], vertices[i + 1], fillColor);
    }
    if (borderWidth > 0 && borderColor.a > 0) {
        const float half = borderWidth / 2;
        for (unsigned int i = 0; i < count; ++i) {
            const CCPoint& p = vertices[i];
            const CCPoint& q = vertices[(i + 1) % count];
            CCPoint d = q - p;
            const float len = d.getLength();
            if (len <= 0) continue;
            const CCPoint n(-d.y / len * half, d.x / len * half);
            const CCPoint along(d.x / len * half, d.y / len * half);
            // Each edge is extended by half the width so corners are closed.
            addQuad(p - along + n, q + along + n, q + along - n, p - along - n, borderColor);
        }
    }
}

void CCDrawNode::drawDot(const CCPoint& position, float radius, const ccColor4F& color)
{
    if (radius <= 0) return;
    CCPoint previous(position.x + radius, position.y);
    for (int i = 1; i <= kDotSegments; ++i) {
        const float angle = 2.0f * 3.14159265f * i / kDotSegments;
        CCPoint next(position.x + radius * std::cos(angle), position.y + radius * std::sin(angle));
        addTriangle(position, previous, next, color);
        previous = next;
    }
}

void CCDrawNode::drawSegment(const CCPoint& from, const CCPoint& to, float radius, const ccColor4F& color)
{
    CCPoint d = to - from;
    const float len = d.getLength();
    if (len <= 0 || radius <= 0) return;
    const CCPoint n(-d.y / len * radius, d.x / len * radius);
    addQuad(from + n, to + n, to - n, from - n, color);
    drawDot(from, radius, color);
    drawDot(to, radius, color);
}

void CCDrawNode::clear()
{
    m_vertices.clear();
    markForRedraw();
}

void CCDrawNode::draw()
{
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer || m_vertices.empty()) return;
    const CCAffineTransform& t = CCNode::currentWorldTransform();
    m_scratch = m_vertices;
    for (ccV3F_C4B_T2F& v : m_scratch) {
        const float x = v.x, y = v.y;
        v.x = t.a * x + t.c * y + t.tx;
        v.y = t.b * x + t.d * y + t.ty;
        v.z = m_fVertexZ;
    }
    renderer->drawTriangles(nullptr, m_sBlendFunc, m_scratch.data(), m_scratch.size());
}

} // namespace cc
