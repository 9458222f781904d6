// The first page class: its lifecycle lines say "Scene 1", it writes the two
// build lines, and its hint label and menu sit at z-orders 10000 and 3.
#include "book/TestLayer1.h"

#include "book/TestLayer2.h"

namespace quibo {

namespace {
const PageLayerStyle kFirstPageStyle = {"Scene 1", 10000, 3, true};
} // namespace

TestLayer1::TestLayer1() : PageLayer(kFirstPageStyle) {}

PageLayer* TestLayer1::createOtherPage() const { return TestLayer2::create(); }

} // namespace quibo
