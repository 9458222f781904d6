// Running a selection menu scene: the layer goes in at z-order 0 and the
// director takes the scene over; the creator keeps no reference.
#include "book/MenuTestScene.h"

#include "book/MenuLayerMainMenu.h"

#include "base/CCLog.h"
#include "scene/CCDirector.h"

namespace quibo {

MenuTestScene::MenuTestScene() = default;
MenuTestScene::~MenuTestScene() = default;

bool MenuTestScene::runScene()
{
    MenuLayerMainMenu* layer = MenuLayerMainMenu::create();
    if (!layer) {
        cc::CCLog("MenuTestScene: the page selection menu could not be built");
        return false;
    }
    m_layer.reset(layer);
    addChild(layer, 0);
    cc::CCDirector::sharedDirector()->replaceScene(this);
    return true;
}

bool runSelectionMenu()
{
    // The director holds the scene once it runs; if it does not, it goes here.
    const cc::CCRefPtr<MenuTestScene> scene = cc::CCRefPtr<MenuTestScene>::adopt(new MenuTestScene());
    return scene->init() && scene->runScene();
}

} // namespace quibo
