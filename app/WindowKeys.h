// The keys that work on every screen and even while a page turns: F11
// switches full screen on and off, Ctrl+Q quits as the main menu's quit
// button does. The screens' own keys are the book's (book/ScreenKeys).
#pragma once

#include "scene/CCKeyDispatcher.h"

namespace quibo {

class WindowKeys : public cc::CCKeyDelegate {
public:
    // Registers with the director's key dispatcher as a window delegate. The
    // dispatcher goes with its director, so nothing is undone at destruction:
    // the object must simply outlive the director's frame loop.
    void install();

    bool ccKeyPressed(const cc::CCKeyEvent& event) override;
};

} // namespace quibo
