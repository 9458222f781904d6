// The page class every page opened from outside a page starts with; turning
// a page builds the other class, TestLayer2. The behaviour is PageLayer's.
#pragma once

#include "book/PageLayer.h"

namespace quibo {

class TestLayer1 : public PageLayer {
public:
    CREATE_FUNC(TestLayer1)
    TestLayer1();

private:
    PageLayer* createOtherPage() const override;
};

} // namespace quibo
