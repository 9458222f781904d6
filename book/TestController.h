// The main menu layer: reads the book configuration, silences narration,
// shows the main-menu layout and binds its four buttons. Where the buttons
// lead (page scene, selection menu) is plugged in through mainMenuRoutes().
#pragma once

#include "base/CCRefPtr.h"
#include "gui/UIWidget.h"
#include "scene/CCLayer.h"

#include <vector>

namespace cc {
class CCScene;
class Layout;
class UILayer;
} // namespace cc

namespace quibo {

// Where the main menu's buttons lead. The page scene and the selection menu
// install their openers here; while one is missing its button only logs a
// line. An opener returns false when its screen could not be built: the menu
// then stays on stage and usable.
struct MainMenuRoutes {
    // Shows the page scene at bookSettings().currentPage (continue reading and
    // word learning).
    bool (*openPage)() = nullptr;
    // Shows the page selection menu, after the director purged its caches.
    bool (*openSelectionMenu)() = nullptr;
    // Called each time the menu has read the book configuration, before it
    // decides which buttons to show: the place to restore a reading position
    // that must fit the book's pages. Nothing by default.
    void (*configurationRead)() = nullptr;
};
MainMenuRoutes& mainMenuRoutes();

class TestController : public cc::CCLayer {
public:
    CREATE_FUNC(TestController)
    // A plain scene holding a fresh main menu as its only child; null when
    // the menu could not be built.
    static cc::CCScene* scene();

    TestController();
    // Releases the process-wide layout-reading services for the next screen.
    ~TestController() override;
    bool init() override;

    cc::UILayer* getUILayer() const { return m_uiLayer.get(); }
    // Null when the layout file could not be read or its root is no container.
    cc::Layout* getRootLayout() const { return m_rootLayout.get(); }
    // The four buttons the layout has, in binding order (keyboard, tests).
    std::vector<cc::UIWidget*> getButtons() const;

    static constexpr const char* kLayoutFile = "mainpage/mainpage_1.json";

private:
    void bindButton(const char* name, cc::TouchEventSelector action);
    // Hidden buttons also stop taking touches: their empty place opens nothing.
    void hideButton(const char* name);
    // True for the first event of a touch (began) while the menu is still
    // on stage; later events of the same touch, and touches after a button
    // has already led away, do nothing.
    bool actsOn(cc::TouchPhase kind);

    void onContinueReading(cc::CCObject* sender, cc::TouchPhase kind);
    void onWordLearning(cc::CCObject* sender, cc::TouchPhase kind);
    void onSelectPage(cc::CCObject* sender, cc::TouchPhase kind);
    void onQuit(cc::CCObject* sender, cc::TouchPhase kind);

    cc::CCRefPtr<cc::UILayer> m_uiLayer;   // a child of this layer
    cc::CCRefPtr<cc::Layout> m_rootLayout; // in the UI layer's widget tree
    bool m_leaving = false;
};

} // namespace quibo
