// Drawing of the colour layers: one quad over the content size with the
// four corner colours the layer computed (a gradient is a colour layer whose
// corners differ).
#include "render/CCRenderer.h"
#include "scene/CCDirector.h"
#include "scene/CCLayer.h"

namespace cc {

void CCLayerColor::draw()
{
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer) return;
    const CCAffineTransform& t = CCNode::currentWorldTransform();
    const CCSize& size = getContentSize();
    const float xs[4] = {0, size.width, 0, size.width};
    const float ys[4] = {0, 0, size.height, size.height};
    const ccColor4F* corners = cornerColors();
    ccV3F_C4B_T2F quad[4];
    for (int i = 0; i < 4; ++i) {
        quad[i].x = t.a * xs[i] + t.c * ys[i] + t.tx;
        quad[i].y = t.b * xs[i] + t.d * ys[i] + t.ty;
        quad[i].z = m_fVertexZ;
        quad[i].r = static_cast<GLubyte>(corners[i].r * 255.0f + 0.5f);
        quad[i].g = static_cast<GLubyte>(corners[i].g * 255.0f + 0.5f);
        quad[i].b = static_cast<GLubyte>(corners[i].b * 255.0f + 0.5f);
        quad[i].a = static_cast<GLubyte>(corners[i].a * 255.0f + 0.5f);
    }
    renderer->drawQuads(nullptr, ccBlendFuncAlpha(), quad, 1);
}

} // namespace cc
