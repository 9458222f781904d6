// The first screen until the main menu exists: it does what the main menu
// does on arrival (reads the book configuration, silences narration) over a
// plain background, so start-up runs on the real files.
#pragma once

#include "scene/CCLayer.h"

namespace quibo {

class PlaceholderMenuLayer : public cc::CCLayer {
public:
    CREATE_FUNC(PlaceholderMenuLayer)
    bool init() override;
};

} // namespace quibo
