// The base of the book's menu scenes: every time such a scene enters the
// stage it gets a return button to the main menu, drawn above its content.
// What the scene shows is the subclass's runScene.
#pragma once

#include "base/CCRefPtr.h"
#include "scene/CCScene.h"

namespace cc {
class CCMenu;
}

namespace quibo {

class TestScene : public cc::CCScene {
public:
    TestScene();
    ~TestScene() override;
    // The engine's enter, then a fresh return button in a menu of its own.
    void onEnter() override;
    // Builds the scene's content and makes the scene the running one; false
    // (with one log line) when the content could not be built.
    virtual bool runScene() = 0;
    // A fresh main menu in a plain scene, without a transition.
    virtual void backToMainMenu();

    // The menu holding the return button added by the latest enter (tests).
    cc::CCMenu* getReturnMenu() const { return m_returnMenu.get(); }

    static constexpr int kReturnMenuZOrder = 1;

private:
    void onReturnChosen(cc::CCObject* sender);

    cc::CCRefPtr<cc::CCMenu> m_returnMenu; // a child of the scene
};

} // namespace quibo
