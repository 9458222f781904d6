// The second page class: its lifecycle lines say "Scene 2", it writes no
// build lines, and its hint label and menu sit at z-orders 1000 and 1.
#include "book/TestLayer2.h"

#include "book/TestLayer1.h"

namespace quibo {

namespace {
const PageLayerStyle kSecondPageStyle = {"Scene 2", 1000, 1, false};
} // namespace

TestLayer2::TestLayer2() : PageLayer(kSecondPageStyle) {}

PageLayer* TestLayer2::createOtherPage() const { return TestLayer1::create(); }

} // namespace quibo
