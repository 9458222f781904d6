// The page turn: the outgoing page curls away from its bottom-right corner
// like paper rolled over a cone, uncovering the incoming page. Backwards,
// the incoming page uncurls over the outgoing one. Both are drawn all along.
#pragma once

#include "transitions/CCTransitionGrid.h"
#include "transitions/CCTransitionScene.h"

namespace cc {

class CCTransitionPageTurn : public CCTransitionScene {
public:
    static CCTransitionPageTurn* create(float duration, CCScene* scene, bool backwards);
    virtual bool initWithDuration(float duration, CCScene* scene, bool backwards);
    using CCTransitionScene::initWithDuration;
    bool isBackwards() const { return m_bBack; }

    void visit() override;
    // Where the curl puts a point (x, y) of the flat page at curl progress t.
    static GridVertex3D curl(float x, float y, float t);

private:
    CCTransitionGrid m_inGrid, m_outGrid;
    bool m_bBack = false;
    bool m_bFirstFrameDrawn = false;
};

} // namespace cc
