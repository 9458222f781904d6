// The phases of one touch. The touch dispatcher hands them to delegates and
// the widgets report them to their listeners and parents, all with this type.
#pragma once

namespace cc {

// The numbers are fixed: logs and tests record phases by number.
enum TouchPhase { kTouchBegan = 0, kTouchMoved = 1, kTouchEnded = 2, kTouchCancelled = 3 };

} // namespace cc
