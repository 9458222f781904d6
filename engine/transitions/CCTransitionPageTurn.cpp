// The page curl. The page wraps around a cone whose apex sits below the page
// and whose opening angle shrinks with time, so the corner lifts first and
// the roll then sweeps across the whole page.
#include "transitions/CCTransitionPageTurn.h"

#include "render/CCRenderer.h"
#include "scene/CCDirector.h"

#include <algorithm>
#include <cmath>

namespace cc {

namespace {
const float kHalfPi = 1.5707963f;
const float kPi = 3.1415927f;
// Grid cells across and up the page: fine enough for a smooth roll.
const int kGridCols = 24, kGridRows = 32;
// The curl's height is flattened so the roll stays close to the page.
const float kDepthFlattening = 7.0f;
} // namespace

CCTransitionPageTurn* CCTransitionPageTurn::create(float duration, CCScene* scene, bool backwards)
{
    CCTransitionPageTurn* t = new CCTransitionPageTurn();
    if (t->initWithDuration(duration, scene, backwards)) {
        t->autorelease();
        return t;
    }
    delete t;
    return nullptr;
}

bool CCTransitionPageTurn::initWithDuration(float duration, CCScene* scene, bool backwards)
{
    m_bBack = backwards;
    if (!CCTransitionScene::initWithDuration(duration, scene)) return false;
    // The page that moves is drawn last: forwards the outgoing one.
    m_bIsInSceneOnTop = backwards;
    return true;
}

GridVertex3D CCTransitionPageTurn::curl(float x, float y, float t)
{
    t = std::min(std::max(t, 0.0f), 1.0f);
    const float tt = std::max(0.0f, t - 0.25f);
    const float ay = -100.0f - tt * tt * 500.0f; // the cone's apex, below the page
    const float theta = kHalfPi - kHalfPi * std::sqrt(t);
    const float sinTheta = std::sin(theta), cosTheta = std::cos(theta);
    if (sinTheta < 1e-4f) {
        // Fully turned: the page lies folded onto its spine.
        return GridVertex3D{0.0f, y, 0.5f};
    }
    const float R = std::sqrt(x * x + (y - ay) * (y - ay));
    const float r = R * sinTheta;
    const float alpha = std::asin(std::min(1.0f, x / R));
    const float beta = alpha / sinTheta;
    const float cosBeta = std::cos(beta);
    GridVertex3D p;
    p.x = beta <= kPi ? r * std::sin(beta) : 0.0f;
    p.y = R + ay - r * (1 - cosBeta) * sinTheta;
    p.z = std::max(0.5f, r * (1 - cosBeta) * cosTheta / kDepthFlattening);
    return p;
}

void CCTransitionPageTurn::visit()
{
    if (!m_bVisible) return;
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer || !renderer->isActive()) {
        CCTransitionScene::visit(); // logic-only: walk both scenes
        return;
    }
    const float t = m_bBack ? 1.0f - m_fProgress : m_fProgress;
    CCTransitionGrid& moving = m_bBack ? m_inGrid : m_outGrid;
    // The moving page is drawn into a texture again only when something on
    // it changed. The page that stays lies flat under it: drawn as it is, it
    // costs what drawing a texture of it would, without making one first.
    if (!moving.captureIfStale(renderer, (m_bBack ? m_pInScene : m_pOutScene).get(), CCDirector::needsRedraw())) {
        CCTransitionScene::visit();
        return;
    }
    if (!m_bFirstFrameDrawn) {
        // One frame into the turn the outgoing page still lies flat over the
        // other (forwards its corner has hardly lifted, backwards the
        // incoming page is still folded away). Showing just that spares the
        // first frame, which follows the building of the new page, drawing
        // both pages; the page that stays is drawn from the next frame on.
        m_bFirstFrameDrawn = true;
        if (m_bBack) {
            m_pOutScene->visit();
        } else {
            moving.drawFlat(renderer);
        }
        return;
    }
    (m_bBack ? m_pOutScene : m_pInScene)->visit();
    moving.drawWarped(renderer, kGridCols, kGridRows, [t](float x, float y) { return curl(x, y, t); });
}

} // namespace cc
