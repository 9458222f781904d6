// The one place that tears down the process-wide layout services between
// screens, in the order they depend on each other. Who calls it (the page
// scene on exit, the main menu on destruction) is the screens' business.
#pragma once

namespace cc {

// Destroys the JSON field reader, then the layout reader and the widget
// lookup service, then the animation manager (made first if it did not
// exist). Each is made afresh on its next use.
void releaseUiSingletons();

} // namespace cc
