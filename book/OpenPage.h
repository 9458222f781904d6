// Ways into and out of the page scene used by the screens around it: opening
// the page at currentPage, the main menu, and the hook the settings panel
// fills in. Turning pages is the page layer's.
#pragma once

namespace cc {
class CCLayer;
class CCScene;
} // namespace cc

namespace quibo {

// A PageScene holding a fresh TestLayer1 for bookSettings().currentPage,
// made the running scene without a transition. False (with one log line)
// when the page could not be built; the running scene then stays.
bool openPage();

// A fresh main menu in a plain scene, made the running scene without a
// transition. False when the menu could not be built.
bool returnToMainMenu();

// The settings panel layer a page opens; null while no panel exists, and
// the page then stays where it is.
cc::CCLayer* createSettingsPanel();

} // namespace quibo
