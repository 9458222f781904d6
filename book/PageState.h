// What outlives a single page: the page being left and the page being entered
// exist side by side during a page-turn transition, and the settings panel
// sits between two pages. Plain values only; what a page shows and which
// word it highlights are the page's and its narration's.
#pragma once

#include <cstdint>

namespace quibo {

// How automatic narration goes on when a page is finished.
enum class PlayMode : int32_t {
    manual = 1,     // no automatic narration; play/pause is hidden
    repeatPage = 2, // start again at the first word
    autoTurn = 3,   // turn to the next page and go on there
};

struct PageState {
    // Back to the start-of-process values (tests).
    void reset() { *this = PageState(); }

    bool autoPlay = false;     // automatic narration asked for (the pause image shows)
    bool skipIdleTick = false; // the next silent narration tick only clears this
    int32_t turnDirection = 0; // -1 back, +1 forward: the last page turn
    PlayMode playMode = PlayMode::autoTurn; // written only by the settings panel
};

// The one record of the process, never destroyed.
PageState& pageState();

} // namespace quibo
