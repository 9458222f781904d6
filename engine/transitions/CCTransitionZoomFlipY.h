// The zoom flip about the horizontal axis: the outgoing scene shrinks to half
// size while turning edge-on, then the incoming one turns in from edge-on and
// grows back. Up-over turns the top edge away first; down-over the bottom.
#pragma once

#include "transitions/CCTransitionGrid.h"
#include "transitions/CCTransitionScene.h"

namespace cc {

class CCTransitionZoomFlipY : public CCTransitionScene {
public:
    static CCTransitionZoomFlipY* create(float duration, CCScene* scene, tOrientation orientation);
    static CCTransitionZoomFlipY* create(float duration, CCScene* scene);
    virtual bool initWithDuration(float duration, CCScene* scene, tOrientation orientation);
    using CCTransitionScene::initWithDuration;
    tOrientation getOrientation() const { return m_eOrientation; }

    void visit() override;

protected:
    // Without GL the scenes' own scale and visibility show the flip.
    void progressChanged(float progress) override;
    void restoreScenes() override;

private:
    // Turn angle (radians, 0 = facing the viewer) and zoom at a progress.
    void pose(float progress, float& angle, float& zoom, bool& incoming) const;

    CCTransitionGrid m_grid;
    tOrientation m_eOrientation = kCCTransitionOrientationUpOver;
};

} // namespace cc
