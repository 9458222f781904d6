// UILayer: the engine layer that puts a widget tree on the stage. It owns the
// root widget and the touch router and passes the engine's one-by-one touches
// to the router; what a widget does with a touch is the widget's business.
#pragma once

#include "base/CCRefPtr.h"
#include "scene/CCLayer.h"

namespace cc {

class UIRootWidget;
class UIWidget;
class WidgetTouchRouter;

class UILayer : public CCLayer {
public:
    UILayer();
    ~UILayer() override;
    static UILayer* create();

    bool init() override;
    void onEnter() override;
    void onExit() override;
    void setVisible(bool visible) override;
    // Screens schedule the layer's update, which has nothing to do: widgets
    // that need frames register themselves. So it never keeps the loop awake.
    bool isUpdateIdle() const override { return true; }

    // Appended after the engine layer's own operations.
    virtual void removeAllWidgets();
    virtual void detachFromParent();

    UIRootWidget* getRootWidget() const { return m_pRootWidget.get(); }
    WidgetTouchRouter* getTouchRouter() const { return m_pTouchRouter; }
    // Shorthands for the root widget's addChild / removeChild.
    bool addWidget(UIWidget* widget);
    bool removeWidget(UIWidget* widget);

    bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
    void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
    void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
    void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;

private:
    CCRefPtr<UIRootWidget> m_pRootWidget;
    WidgetTouchRouter* m_pTouchRouter = nullptr; // owned
};

} // namespace cc
