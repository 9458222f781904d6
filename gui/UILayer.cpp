// Hosting a widget tree in a layer. Each touch handler holds a reference to
// the layer while it runs, because a listener may replace the scene or remove
// this layer from inside the call.
#include "gui/UILayer.h"

#include "gui/UIRootWidget.h"
#include "gui/WidgetTouchRouter.h"

namespace cc {

UILayer::UILayer() = default;

UILayer::~UILayer()
{
    // No phase of a touch may reach a layer that is gone.
    unregisterFromTouchDispatcher();
    // The tree goes before the selection is dropped, as it always did.
    m_pRootWidget.reset();
    if (m_pTouchRouter) {
        m_pTouchRouter->dropSelection();
        CC_SAFE_DELETE(m_pTouchRouter);
    }
}

UILayer* UILayer::create()
{
    UILayer* layer = new UILayer();
    return autoreleasedOrNull(layer, layer->init());
}

bool UILayer::init()
{
    if (!CCLayer::init()) return false;
    m_pRootWidget.reset(UIRootWidget::create());
    if (!m_pRootWidget) return false;
    // The tree counts as running from now on, on the stage or not.
    m_pRootWidget->onEnter();
    addChild(m_pRootWidget->getRenderNode());
    m_pTouchRouter = new WidgetTouchRouter();
    m_pTouchRouter->setRootWidget(m_pRootWidget.get());
    return true;
}

void UILayer::onEnter()
{
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    CCLayer::onEnter();
}

void UILayer::onExit()
{
    setTouchEnabled(false);
    // The dispatcher sends this layer no further phases, so the selection would
    // only keep its widgets alive.
    if (m_pTouchRouter) m_pTouchRouter->dropSelection();
    CCLayer::onExit();
}

void UILayer::setVisible(bool visible)
{
    CCLayer::setVisible(visible);
    if (m_pRootWidget) m_pRootWidget->setVisible(visible);
}

void UILayer::removeAllWidgets()
{
    if (m_pRootWidget) m_pRootWidget->removeAllChildren();
}

void UILayer::detachFromParent() { removeFromParentAndCleanup(true); }

bool UILayer::addWidget(UIWidget* widget) { return m_pRootWidget && m_pRootWidget->addChild(widget); }

bool UILayer::removeWidget(UIWidget* widget) { return m_pRootWidget && m_pRootWidget->removeChild(widget); }

bool UILayer::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!m_pTouchRouter) return false;
    // Held while the listeners run (see the top of this file).
    CCRefPtr<UILayer> keepAlive(this);
    return m_pTouchRouter->onTouchBegan(touch);
}

void UILayer::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    if (!m_pTouchRouter) return;
    CCRefPtr<UILayer> keepAlive(this);
    m_pTouchRouter->onTouchMoved(touch);
}

void UILayer::ccTouchEnded(CCTouch* touch, CCEvent*)
{
    if (!m_pTouchRouter) return;
    CCRefPtr<UILayer> keepAlive(this);
    m_pTouchRouter->onTouchEnded(touch);
}

void UILayer::ccTouchCancelled(CCTouch* touch, CCEvent*)
{
    if (!m_pTouchRouter) return;
    CCRefPtr<UILayer> keepAlive(this);
    m_pTouchRouter->onTouchCancelled(touch);
}

} // namespace cc
