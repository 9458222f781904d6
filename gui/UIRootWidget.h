// UIRootWidget: the container at the top of every UILayer's widget tree,
// sized to the window. Everything else is Layout's.
#pragma once

#include "gui/Layout.h"

namespace cc {

class UIRootWidget : public Layout {
public:
    static UIRootWidget* create();

    const char* getTypeName() override;
    bool init() override;
};

} // namespace cc
