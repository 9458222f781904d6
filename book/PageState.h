// The page and narration state that the page being left and the page being
// entered share while a page-turn transition shows both. It only points at
// the labels, bubble and word buttons; the pages' node trees own them.
#pragma once

#include <cstdint>

namespace cc {
class CCLabelTTF;
class UIButton;
class UIWidget;
} // namespace cc

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

    cc::UIWidget* currentWord = nullptr; // highlighted word button
    int32_t wordCount = 0;               // highest word index found on the page
    int32_t nextWordIndex = 0;           // word automatic narration plays next
    bool autoPlay = false;               // automatic narration asked for
    bool skipIdleTick = false;           // the next silent tick only clears this
    int32_t turnDirection = 0;           // -1 back, +1 forward
    PlayMode playMode = PlayMode::autoTurn;
    cc::CCLabelTTF* sentenceLabel = nullptr;
    cc::UIButton* sentenceBubble = nullptr;
    cc::CCLabelTTF* hintLabel = nullptr;
};

// The one record of the process, never destroyed.
PageState& pageState();

} // namespace quibo
