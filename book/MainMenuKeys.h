// The main menu from the keyboard: Up and Down move a focus mark between the
// menu's visible buttons (top to bottom), Return presses the marked one
// through the button's own touch phases, as a tap on it does. The mark shows
// only once a key asked for it, so the menu looks as always until then.
#pragma once

#include "book/ScreenKeys.h"

#include <vector>

namespace cc {
class CCDrawNode;
class UIWidget;
} // namespace cc

namespace quibo {

class MainMenuKeys : public ScreenKeys {
public:
    // The menu's buttons in any order; hidden or touch-disabled ones are
    // skipped. They belong to the menu's widget tree, which outlives this
    // node (both are the menu's children); they are retained all the same.
    static MainMenuKeys* create(const std::vector<cc::UIWidget*>& buttons);
    ~MainMenuKeys() override;
    bool ccKeyPressed(const cc::CCKeyEvent& event) override;

    // The marked button, or null before Up or Down was pressed (tests).
    cc::UIWidget* getFocusedButton() const;
    cc::CCDrawNode* getFocusMark() const { return m_mark; }

    static constexpr float kMarkMargin = 6.0f;
    static constexpr float kMarkWidth = 4.0f;

private:
    // The buttons a tap could press now, top first.
    std::vector<cc::UIWidget*> pressableButtons() const;
    void moveFocus(int step);
    void pressFocused();
    void drawMark();

    std::vector<cc::CCRefPtr<cc::UIWidget>> m_buttons;
    cc::UIWidget* m_focused = nullptr; // not retained: one of m_buttons
    cc::CCDrawNode* m_mark = nullptr;  // not retained: a child of this node, so it lives as long
};

} // namespace quibo
