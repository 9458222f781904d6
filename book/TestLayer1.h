// The page layer every page opened from outside a page starts with; turning
// a page builds the other variant, TestLayer2. The behaviour is PageLayer's.
#pragma once

#include "book/PageLayer.h"

namespace quibo {

class TestLayer1 : public PageLayer<FirstPageVariant> {
public:
    CREATE_FUNC(TestLayer1)
};

} // namespace quibo
