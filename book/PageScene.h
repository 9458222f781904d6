// The scene that hosts a book page (and the settings panel). Leaving the
// stage releases the process-wide layout-reading services so the next screen
// reads its layout with fresh ones; the layer inside is the page's business.
#pragma once

#include "scene/CCScene.h"

namespace quibo {

class PageScene : public cc::CCScene {
public:
    CREATE_FUNC(PageScene)
    ~PageScene() override;
    void onExit() override;
};

} // namespace quibo
