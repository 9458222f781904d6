// UIScrollInterface: the four touch operations every scrolling container
// (scroll view, page view, drag panel) answers. The container's own touch
// phases and the child touches it takes over both end up here.
#pragma once

#include "base/CCGeometry.h"
#include "scene/CCTouchPhase.h"

namespace cc {

class UIWidget;

class UIScrollInterface {
public:
    virtual ~UIScrollInterface() = default;

    virtual void handlePress(const CCPoint& worldPoint) = 0;
    virtual void handleMove(const CCPoint& worldPoint) = 0;
    virtual void handleRelease(const CCPoint& worldPoint) = 0;
    // A touch that began on a descendant, in its began, moved or ended phase.
    virtual void handleChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& worldPoint) = 0;
};

} // namespace cc
