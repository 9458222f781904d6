// The zoom flip: one scene at a time, drawn as a page turning about the
// horizontal centre line with perspective, zoomed around the centre.
#include "transitions/CCTransitionZoomFlipY.h"

#include "render/CCRenderer.h"
#include "scene/CCDirector.h"

#include <cmath>

namespace cc {

namespace {
const float kHalfPi = 1.5707963f;
const float kSmallestZoom = 0.5f;
const int kGridCols = 8, kGridRows = 16;
} // namespace

CCTransitionZoomFlipY* CCTransitionZoomFlipY::create(float duration, CCScene* scene, tOrientation orientation)
{
    CCTransitionZoomFlipY* t = new CCTransitionZoomFlipY();
    if (t->initWithDuration(duration, scene, orientation)) {
        t->autorelease();
        return t;
    }
    delete t;
    return nullptr;
}

CCTransitionZoomFlipY* CCTransitionZoomFlipY::create(float duration, CCScene* scene)
{
    return create(duration, scene, kCCTransitionOrientationUpOver);
}

bool CCTransitionZoomFlipY::initWithDuration(float duration, CCScene* scene, tOrientation orientation)
{
    m_eOrientation = orientation;
    return CCTransitionScene::initWithDuration(duration, scene);
}

void CCTransitionZoomFlipY::pose(float progress, float& angle, float& zoom, bool& incoming) const
{
    const float sign = m_eOrientation == kCCTransitionOrientationUpOver ? 1.0f : -1.0f;
    incoming = progress >= 0.5f;
    const float half = incoming ? (1.0f - progress) * 2.0f : progress * 2.0f; // 0 flat .. 1 edge-on
    angle = sign * (incoming ? -half : half) * kHalfPi;
    zoom = 1.0f - (1.0f - kSmallestZoom) * half;
}

void CCTransitionZoomFlipY::progressChanged(float progress)
{
    float angle, zoom;
    bool incoming;
    pose(progress, angle, zoom, incoming);
    m_pInScene->setVisible(incoming);
    m_pOutScene->setVisible(!incoming);
}

void CCTransitionZoomFlipY::restoreScenes()
{
    m_pInScene->setVisible(true);
    m_pOutScene->setVisible(true);
}

void CCTransitionZoomFlipY::visit()
{
    if (!m_bVisible) return;
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer || !renderer->isActive()) {
        CCTransitionScene::visit();
        return;
    }
    float angle, zoom;
    bool incoming;
    pose(m_fProgress, angle, zoom, incoming);
    CCScene* shown = (incoming ? m_pInScene : m_pOutScene).get();
    if (!m_grid.captureIfStale(renderer, shown, CCDirector::needsRedraw())) {
        CCTransitionScene::visit();
        return;
    }
    const CCSize& d = renderer->getDesignSize();
    const float cx = d.width / 2, cy = d.height / 2;
    const float c = std::cos(angle), s = std::sin(angle);
    m_grid.drawWarped(renderer, kGridCols, kGridRows, [=](float x, float y) {
        const float dy = (y - cy) * zoom;
        return GridVertex3D{cx + (x - cx) * zoom, cy + dy * c, dy * s};
    });
}

} // namespace cc
