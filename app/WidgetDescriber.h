// The widget keys of a scene dump: every node that is a widget's own render
// node is described as that widget too, with its kind, name and tag. The
// dump itself (nodes, boxes, labels, sprites) is SceneDump's.
#pragma once

#include "app/SceneDump.h"

namespace quibo {

// A describer for the widget trees hosted by the UI layers under root, as
// they are now; use it for one dump of that tree.
NodeDescriber widgetDescriber(cc::CCNode* root);

} // namespace quibo
