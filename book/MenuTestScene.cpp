// Running a selection menu scene: the layer goes in at z-order 0 and the
// director takes the scene over; the creator keeps no reference.
#include "book/MenuTestScene.h"

#include "book/MenuLayerMainMenu.h"

#include "base/CCLog.h"
#include "scene/CCDirector.h"

namespace quibo {

MenuTestScene::~MenuTestScene() = default;

bool MenuTestScene::runScene()
{
    MenuLayerMainMenu* layer = MenuLayerMainMenu::create();
    if (!layer) {
        cc::CCLog("MenuTestScene: the page selection menu could not be built");
        return false;
    }
    m_layer = layer;
    addChild(layer, 0);
    cc::CCDirector::sharedDirector()->replaceScene(this);
    return true;
}

bool runSelectionMenu()
{
    MenuTestScene* scene = new MenuTestScene();
    if (!scene->init()) {
        delete scene;
        return false;
    }
    const bool shown = scene->runScene();
    // The director holds the scene now (or nobody does, and it goes).
    scene->release();
    return shown;
}

} // namespace quibo
