// The page class a turn from a TestLayer1 page builds (and the reverse), so
// the page being left and the page being entered are never of one class.
#pragma once

#include "book/PageLayer.h"

namespace quibo {

class TestLayer2 : public PageLayer {
public:
    CREATE_FUNC(TestLayer2)
    TestLayer2();

private:
    PageLayer* createOtherPage() const override;
};

} // namespace quibo
