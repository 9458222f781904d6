// The visible part of the design area, read from the engine's view the first
// time a screen asks and kept for the process, with the points screens place
// their controls at. The view's fitting policy is the view's own business.
#pragma once

#include "base/CCGeometry.h"

namespace quibo {

struct VisibleArea {
    // The kept area; the first call reads it from the shared view.
    static const VisibleArea& get();
    // Forgets the kept area so the next get() reads the view again (tests).
    static void forget();

    cc::CCPoint left() const { return cc::CCPoint(ox, oy + h / 2); }
    cc::CCPoint right() const { return cc::CCPoint(ox + w, oy + h / 2); }
    cc::CCPoint top() const { return cc::CCPoint(ox + w / 2, oy + h); }
    cc::CCPoint bottom() const { return cc::CCPoint(ox + w / 2, oy); }
    cc::CCPoint centre() const { return cc::CCPoint(ox + w / 2, oy + h / 2); }

    float ox = 0, oy = 0;
    float w = 0, h = 0;
};

} // namespace quibo
