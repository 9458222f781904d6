// Scene capture and grid drawing for the page turn and the flip.
#include "transitions/CCTransitionGrid.h"

#include "render/CCRenderer.h"
#include "render/CCTexture2D.h"
#include "scene/CCNode.h"

#include <vector>

namespace cc {

namespace {
// Distance of the eye from the page, in page heights: far enough that the
// perspective only hints at depth.
const float kEyeDistanceInHeights = 2.0f;
// Colour of the back of a page: the picture shows through, dimmed.
const GLubyte kBackShade = 170;
} // namespace

// Out of line: the texture pointer needs CCTexture2D complete.
CCTransitionGrid::CCTransitionGrid() = default;
CCTransitionGrid::~CCTransitionGrid() = default;

bool CCTransitionGrid::capture(CCRenderer* renderer, CCNode* scene)
{
    if (!renderer || !scene) return false;
    const int w = renderer->getFramebufferWidth(), h = renderer->getFramebufferHeight();
    if (!m_pTexture || static_cast<int>(m_pTexture->getPixelsWide()) != w ||
        static_cast<int>(m_pTexture->getPixelsHigh()) != h) {
        // The old texture goes before the new one is made.
        m_pTexture.reset();
        m_pTexture = CCRefPtr<CCTexture2D>::adopt(new CCTexture2D());
        m_pTexture->excludeFromLiveCount();
        if (!m_pTexture->initAsRenderTarget(w, h)) {
            m_pTexture.reset();
            return false;
        }
    }
    m_pCaptured = nullptr;
    if (!renderer->pushRenderTarget(m_pTexture.get())) return false;
    scene->visit();
    renderer->popRenderTarget();
    m_pCaptured = scene;
    return true;
}

bool CCTransitionGrid::captureIfStale(CCRenderer* renderer, CCNode* scene, bool sceneChanged)
{
    const bool fresh = m_pTexture && m_pCaptured == scene && !sceneChanged && renderer &&
                       static_cast<int>(m_pTexture->getPixelsWide()) == renderer->getFramebufferWidth() &&
                       static_cast<int>(m_pTexture->getPixelsHigh()) == renderer->getFramebufferHeight();
    return fresh || capture(renderer, scene);
}

void CCTransitionGrid::drawFlat(CCRenderer* renderer)
{
    if (!renderer || !m_pTexture) return;
    const CCSize& d = renderer->getDesignSize();
    ccV3F_C4B_T2F quad[4];
    const float xs[4] = {0, d.width, 0, d.width}, ys[4] = {0, 0, d.height, d.height};
    for (int i = 0; i < 4; ++i) {
        quad[i].x = xs[i];
        quad[i].y = ys[i];
        // A frame texture's first row is the bottom of the frame.
        quad[i].u = (i % 2) ? 1.0f : 0.0f;
        quad[i].v = (i >= 2) ? 1.0f : 0.0f;
    }
    renderer->drawQuads(m_pTexture.get(), ccBlendFuncAlpha(), quad, 1);
}

void CCTransitionGrid::drawWarped(CCRenderer* renderer, int cols, int rows,
                                  const std::function<GridVertex3D(float x, float y)>& lift)
{
    if (!renderer || !m_pTexture || cols < 1 || rows < 1) return;
    const CCSize& d = renderer->getDesignSize();
    const float eye = d.height * kEyeDistanceInHeights;
    const float cx = d.width / 2, cy = d.height / 2;
    std::vector<ccV3F_C4B_T2F> points(static_cast<size_t>(cols + 1) * (rows + 1));
    for (int j = 0; j <= rows; ++j) {
        for (int i = 0; i <= cols; ++i) {
            const float x = d.width * i / cols, y = d.height * j / rows;
            const GridVertex3D p = lift(x, y);
            const float scale = eye / (eye - p.z);
            ccV3F_C4B_T2F& v = points[static_cast<size_t>(j) * (cols + 1) + i];
            v.x = cx + (p.x - cx) * scale;
            v.y = cy + (p.y - cy) * scale;
            v.z = p.z;
            v.u = static_cast<float>(i) / cols;
            v.v = static_cast<float>(j) / rows;
        }
    }
    std::vector<ccV3F_C4B_T2F> triangles;
    triangles.reserve(static_cast<size_t>(cols) * rows * 6);
    auto at = [&](int i, int j) { return points[static_cast<size_t>(j) * (cols + 1) + i]; };
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < cols; ++i) {
            ccV3F_C4B_T2F a = at(i, j), b = at(i + 1, j), c = at(i, j + 1), e = at(i + 1, j + 1);
            // A cell seen from behind turns clockwise on screen.
            const float cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
            if (cross < 0) {
                for (ccV3F_C4B_T2F* v : {&a, &b, &c, &e}) v->r = v->g = v->b = kBackShade;
            }
            triangles.push_back(a);
            triangles.push_back(b);
            triangles.push_back(c);
            triangles.push_back(c);
            triangles.push_back(b);
            triangles.push_back(e);
        }
    }
    const bool depth = renderer->isDepthTest();
    renderer->setDepthTest(true);
    renderer->clearDepth();
    renderer->drawTriangles(m_pTexture.get(), ccBlendFuncAlpha(), triangles.data(), triangles.size());
    renderer->setDepthTest(depth);
}

} // namespace cc
