// The keyboard on the book's screens. Each key stands in for a tap on one of
// the screen's own controls and goes through that control's path (a menu
// item's activation, a widget's touch phases), so every log line, sound and
// state change is the tap's. A screen adds one of these nodes as a child;
// it listens while the screen is on stage. F11 and Ctrl+Q are the
// application's (app/WindowKeys); the main menu's focus mark is MainMenuKeys.
#pragma once

#include "base/CCRefPtr.h"
#include "scene/CCKeyDispatcher.h"
#include "scene/CCNode.h"

namespace cc {
class CCMenuItem;
}

namespace quibo {

class MenuLayerMainMenu;
class PageLayer;

// Registration with the director's key dispatcher while on stage.
class ScreenKeys : public cc::CCNode, public cc::CCKeyDelegate {
public:
    void onEnter() override;
    void onExit() override;

protected:
    // A tap on a menu item: false when a tap could not reach it now (hidden,
    // disabled, its menu busy with a finger or off stage).
    static bool press(cc::CCMenuItem* item);
};

// A page: Right and Page Down turn forward, Left and Page Up turn back (a
// held key turns again only once the turn has played: keys wait while a
// transition runs), Space plays or pauses where that button is shown,
// Escape returns to the main menu; [ and ] make the narration slower and
// faster (held down, they step on).
class PageKeys : public ScreenKeys {
public:
    // The page's own menu items (its getters); any may be null. The page is
    // this node's parent (not retained).
    static PageKeys* create(PageLayer* page, cc::CCMenuItem* previous, cc::CCMenuItem* next,
                            cc::CCMenuItem* play, cc::CCMenuItem* back);
    ~PageKeys() override;
    bool ccKeyPressed(const cc::CCKeyEvent& event) override;

private:
    cc::CCRefPtr<cc::CCMenuItem> m_previous;
    cc::CCRefPtr<cc::CCMenuItem> m_next;
    cc::CCRefPtr<cc::CCMenuItem> m_play;
    cc::CCRefPtr<cc::CCMenuItem> m_back;
    // Not retained: the page is this node's parent, and keys reach this node
    // only while it is on the stage under it.
    PageLayer* m_page = nullptr;
};

// The page selection menu: Right and Left step to the next and previous
// screen of entries, Escape is the scene's return button. A held key steps
// once, as one tap does.
class SelectionMenuKeys : public ScreenKeys {
public:
    // The grid is this node's parent (not retained).
    static SelectionMenuKeys* create(MenuLayerMainMenu* grid);
    bool ccKeyPressed(const cc::CCKeyEvent& event) override;

private:
    // The scene's return button, added when the scene entered the stage.
    cc::CCMenuItem* returnItem() const;

    MenuLayerMainMenu* m_grid = nullptr;
};

} // namespace quibo
