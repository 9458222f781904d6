// The page selection grid: numbered squares for one screen of pages, the
// previous- and next-screen buttons and their slide-in, and the paging state
// that outlives every screen so the menu reopens where it was left. The
// scene around it (and its return button) is MenuTestScene's.
#pragma once

#include "base/CCRefPtr.h"
#include "base/ccTypes.h"
#include "scene/CCLayer.h"

#include <string>
#include <vector>

namespace cc {
class CCMenu;
class CCMenuItemLabel;
} // namespace cc

namespace quibo {

// Which pages the selection menu shows; kept for the whole process.
struct MenuPaging {
    // Forgets the state; the next menuPaging() starts again from pageMin (tests).
    static void reset();

    int menuFirst = 0;         // page of the current screen's first entry
    int menuNext = 0;          // first page after the current screen's last entry
    int menuPreviousFirst = 0; // menuFirst of the screen the last next-step left
    bool menuAtEnd = false;    // the current screen shows pageMax
};

// The process's paging state; the first use starts every field at the
// configured pageMin (the configuration has been read by then).
MenuPaging& menuPaging();

class MenuLayerMainMenu : public cc::CCLayer {
public:
    CREATE_FUNC(MenuLayerMainMenu)
    MenuLayerMainMenu();
    ~MenuLayerMainMenu() override;
    // Builds the whole screen from menuPaging() and updates it.
    bool init() override;

    // A menu item whose look is a coloured box with a centred caption; null
    // when a part could not be made.
    static cc::CCMenuItemLabel* makeBoxItem(const cc::ccColor4B& background, float width, float height,
                                            const std::string& caption, float fontSize,
                                            const cc::ccColor3B& captionColour, cc::CCObject* target,
                                            cc::SEL_MenuHandler action);

    cc::CCMenu* getMenu() const { return m_menu.get(); }
    // The entries in the order they were added (first page first).
    const std::vector<cc::CCRefPtr<cc::CCMenuItemLabel>>& getEntries() const { return m_entries; }
    cc::CCMenuItemLabel* getPreviousButton() const { return m_previous.get(); }
    cc::CCMenuItemLabel* getNextButton() const { return m_next.get(); }

    static constexpr int kEntryZOrderBase = 10000;
    static constexpr float kSlideSeconds = 2.0f;
    static constexpr float kSlidePeriod = 0.35f;
    static constexpr float kButtonFontSize = 40;
    static constexpr cc::ccColor4B kButtonBackground = {250, 243, 242, 199};
    static constexpr cc::ccColor3B kButtonCaptionColour = {9, 0, 1};
    static constexpr cc::ccColor3B kInactiveBackground = {145, 145, 145};

private:
    bool fillGrid();
    // Every child slides back to its place, alternately from left and right,
    // in the order the children were added.
    void slideIn(const std::vector<cc::CCNode*>& children);

    void onEntryChosen(cc::CCObject* sender);
    void onPreviousScreen(cc::CCObject* sender);
    void onNextScreen(cc::CCObject* sender);

    cc::CCRefPtr<cc::CCMenu> m_menu; // a child of the layer
    std::vector<cc::CCRefPtr<cc::CCMenuItemLabel>> m_entries; // children of the menu
    cc::CCRefPtr<cc::CCMenuItemLabel> m_previous;             // a child of the menu
    cc::CCRefPtr<cc::CCMenuItemLabel> m_next;                 // a child of the menu
};

} // namespace quibo
