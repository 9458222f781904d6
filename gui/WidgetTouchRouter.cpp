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
    m_pSelectedWidgets = CCArray::create();
    m_pSelectedWidgets->retain();
}

WidgetTouchRouter::~WidgetTouchRouter()
{
    m_pSelectedWidgets->removeAllObjects();
    m_pSelectedWidgets->release();
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
        widget->retain();
        widget->onTouchBegan(point);
        widget->release();
        return true;
    }
    return false;
}

bool WidgetTouchRouter::onTouchBegan(CCTouch* touch)
{
    if (m_pRootWidget) pick(m_pRootWidget, touch->getLocation());
    return m_pSelectedWidgets->count() > 0;
}

std::vector<UIWidget*> WidgetTouchRouter::holdSelection() const
{
    std::vector<UIWidget*> held;
    for (CCObject* obj : *m_pSelectedWidgets) {
        obj->retain();
        held.push_back(static_cast<UIWidget*>(obj));
    }
    return held;
}

void WidgetTouchRouter::letGo(std::vector<UIWidget*>& held)
{
    for (UIWidget* widget : held) widget->release();
    held.clear();
}

void WidgetTouchRouter::onTouchMoved(CCTouch* touch)
{
    const CCPoint point = touch->getLocation();
    std::vector<UIWidget*> held = holdSelection();
    for (UIWidget* widget : held) widget->onTouchMoved(point);
    letGo(held);
}

void WidgetTouchRouter::onTouchEnded(CCTouch* touch)
{
    const CCPoint point = touch->getLocation();
    std::vector<UIWidget*> held = holdSelection();
    for (UIWidget* widget : held) widget->onTouchEnded(point);
    m_pSelectedWidgets->removeAllObjects();
    letGo(held);
}

void WidgetTouchRouter::onTouchCancelled(CCTouch* touch)
{
    const CCPoint point = touch->getLocation();
    std::vector<UIWidget*> held = holdSelection();
    for (UIWidget* widget : held) widget->onTouchCancelled(point);
    m_pSelectedWidgets->removeAllObjects();
    letGo(held);
}

void WidgetTouchRouter::dropSelection() { m_pSelectedWidgets->removeAllObjects(); }

} // namespace cc
