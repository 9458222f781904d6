// Touch routing through the widget tree: the reverse pre-order pick and the
// fan-out of the later phases to the widgets that took the touch.
#include "gui/WidgetTouchRouter.h"

#include "base/CCArray.h"
#include "gui/Layout.h"
#include "gui/UIWidget.h"
#include "scene/CCTouch.h"

namespace cc {

WidgetTouchRouter::WidgetTouchRouter()
{
    m_pSelectedWidgets.reset(CCArray::create());
}

WidgetTouchRouter::~WidgetTouchRouter()
{
    m_pSelectedWidgets->removeAllObjects();
}

bool WidgetTouchRouter::pick(UIWidget* widget, const CCPoint& point)
{
    // Nothing inside a clipping container can take a point outside it (each
    // candidate must pass clippingParentContains), so a long clipped list is
    // not walked for touches that miss it.
    Layout* container = widget->getWidgetType() == WidgetTypeContainer ? dynamic_cast<Layout*>(widget) : nullptr;
    if (container && container->isClippingEnabled() && !container->hitTest(point)) return false;
    CCArray* children = widget->getChildren();
    if (children) {
        for (int i = static_cast<int>(children->count()) - 1; i >= 0; --i) {
            if (pick(static_cast<UIWidget*>(children->objectAtIndex(i)), point)) return true;
        }
    }
    if (widget->isEnabled() && widget->isTouchEnabled() && widget->hitTest(point) &&
        widget->clippingParentContains(point)) {
        m_pSelectedWidgets->addObject(widget);
        // Held while its listener runs, which may clear the selection.
        CCRefPtr<UIWidget> keepAlive(widget);
        widget->onTouchBegan(point);
        return true;
    }
    return false;
}

bool WidgetTouchRouter::onTouchBegan(CCTouch* touch)
{
    if (m_pRootWidget) pick(m_pRootWidget, touch->getLocation());
    return m_pSelectedWidgets->count() > 0;
}

std::vector<CCRefPtr<UIWidget>> WidgetTouchRouter::holdSelection() const
{
    std::vector<CCRefPtr<UIWidget>> held;
    for (CCObject* obj : *m_pSelectedWidgets) {
        held.emplace_back(static_cast<UIWidget*>(obj));
    }
    return held;
}

void WidgetTouchRouter::onTouchMoved(CCTouch* touch)
{
    const CCPoint point = touch->getLocation();
    std::vector<CCRefPtr<UIWidget>> held = holdSelection();
    for (const CCRefPtr<UIWidget>& widget : held) widget->onTouchMoved(point);
}

void WidgetTouchRouter::onTouchEnded(CCTouch* touch)
{
    const CCPoint point = touch->getLocation();
    std::vector<CCRefPtr<UIWidget>> held = holdSelection();
    for (const CCRefPtr<UIWidget>& widget : held) widget->onTouchEnded(point);
    m_pSelectedWidgets->removeAllObjects();
}

void WidgetTouchRouter::onTouchCancelled(CCTouch* touch)
{
    const CCPoint point = touch->getLocation();
    std::vector<CCRefPtr<UIWidget>> held = holdSelection();
    for (const CCRefPtr<UIWidget>& widget : held) widget->onTouchCancelled(point);
    m_pSelectedWidgets->removeAllObjects();
}

void WidgetTouchRouter::dropSelection() { m_pSelectedWidgets->removeAllObjects(); }

} // namespace cc
