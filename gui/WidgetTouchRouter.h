// WidgetTouchRouter: picks the widget that takes a touch (children before
// parents, top-most first, visibility ignored) and feeds it the later phases.
// The engine side of touch delivery is UILayer's.
#pragma once

#include <vector>

#include "base/CCGeometry.h"
#include "base/CCRefPtr.h"

namespace cc {

class CCArray;
class CCTouch;
class UIWidget;

class WidgetTouchRouter {
public:
    WidgetTouchRouter();
    ~WidgetTouchRouter();
    WidgetTouchRouter(const WidgetTouchRouter&) = delete;
    WidgetTouchRouter& operator=(const WidgetTouchRouter&) = delete;

    void setRootWidget(UIWidget* root) { m_pRootWidget = root; }

    // True when some widget took the touch.
    bool onTouchBegan(CCTouch* touch);
    void onTouchMoved(CCTouch* touch);
    void onTouchEnded(CCTouch* touch);
    void onTouchCancelled(CCTouch* touch);

    // Forgets the touch in progress without telling its widgets (the layer left the stage).
    void dropSelection();
    CCArray* getSelectedWidgets() const { return m_pSelectedWidgets.get(); }

private:
    bool pick(UIWidget* widget, const CCPoint& point);
    // The selected widgets, each retained, so a listener that tears the tree
    // down cannot free a widget while it is still being called.
    std::vector<CCRefPtr<UIWidget>> holdSelection() const;

    CCRefPtr<CCArray> m_pSelectedWidgets; // retains its widgets
    // Not retained: the layer owns the root and deletes this router in its
    // destructor, which uses nothing of the tree.
    UIWidget* m_pRootWidget = nullptr;
};

} // namespace cc
