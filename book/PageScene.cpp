// Page scene: the layout services are released on leaving the stage, before
// the node's own exit, so nothing of the old screen's reading state is reused.
#include "book/PageScene.h"

#include "gui/UiSingletons.h"

namespace quibo {

PageScene::~PageScene() = default;

void PageScene::onExit()
{
    cc::releaseUiSingletons();
    cc::CCScene::onExit();
}

} // namespace quibo
