// The settings panel: the play-mode buttons, confirm, cancel and the way to
// the main menu, read from the panel's layout file. The chosen mode waits in
// the panel until it is confirmed; the page it returns to is TestLayer1's.
#pragma once

#include "book/PageState.h"

#include "base/CCRefPtr.h"
#include "gui/UIWidget.h"
#include "scene/CCLayer.h"

namespace cc {
class Layout;
class UILayer;
} // namespace cc

namespace quibo {

class SetLayer : public cc::CCLayer {
public:
    CREATE_FUNC(SetLayer)
    SetLayer();
    ~SetLayer() override;
    bool init() override;
    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExit() override;
    void onExitTransitionDidStart() override;

    // The touch selector of all six buttons. It acts once per touch, on its
    // first event (began): the later events of the same touch would otherwise
    // run the button again, and a second transition would start out of the first.
    void onSettingTouched(cc::CCObject* sender, cc::TouchPhase kind);

    // The button touched last on this panel; none after it is built.
    cc::UIWidget* selectedButton() const { return m_selected.get(); }

    PlayMode getPendingMode() const { return m_pendingMode; }
    cc::UILayer* getUILayer() const { return m_uiLayer.get(); }
    // Null when the layout could not be read or its root is no container.
    cc::Layout* getPanelRoot() const { return m_panelRoot.get(); }

    // Button tags, also what the selector goes by.
    enum Tag { kMain = 1, kManual = 2, kRepeatPage = 3, kAutoTurn = 4, kConfirm = 5, kCancel = 6 };

private:
    void bindButton(const char* name, int tag);
    void markSelected(cc::UIWidget* button);
    bool backToPage();

    cc::CCRefPtr<cc::UILayer> m_uiLayer; // a child of the layer
    PlayMode m_pendingMode = PlayMode::autoTurn;
    cc::CCRefPtr<cc::Layout> m_panelRoot;  // in the UI layer's widget tree
    cc::CCRefPtr<cc::UIWidget> m_selected; // the panel's button marked as the current choice
    bool m_leaving = false;                // a way out was taken; later touches do nothing
};

} // namespace quibo
