// The page selection menu's scene: one MenuLayerMainMenu built from the
// process-wide paging state each time the scene is run. The grid itself and
// its screen steps are the layer's.
#pragma once

#include "book/TestScene.h"

#include "base/CCRefPtr.h"

namespace quibo {

class MenuLayerMainMenu;

class MenuTestScene : public TestScene {
public:
    CREATE_FUNC(MenuTestScene)
    MenuTestScene();
    ~MenuTestScene() override;
    // Builds the grid layer for the current screen and replaces the running
    // scene with this one, without a transition.
    bool runScene() override;

    MenuLayerMainMenu* getMenuLayer() const { return m_layer.get(); }

private:
    cc::CCRefPtr<MenuLayerMainMenu> m_layer; // a child of the scene
};

// A fresh selection menu made the running scene. The caller purges the
// director's cached data first (the main menu and the screen steps do).
// False when the menu could not be built; the running scene then stays.
bool runSelectionMenu();

} // namespace quibo
