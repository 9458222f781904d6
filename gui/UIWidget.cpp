// Widget base: the parallel widget / render-node trees, the size rules and the
// touch model (focus, look switching, listener calls). Which widget receives a
// touch is decided by WidgetTouchRouter; containers (Layout) refine hit testing.
#include "gui/UIWidget.h"

#include "base/CCLog.h"
#include "gui/GUIRenderer.h"
#include "gui/RectClippingNode.h"
#include "gui/Layout.h"
#include "scene/CCDirector.h"
#include "scene/CCNodeRGBA.h"
#include "scene/CCScheduler.h"

namespace cc {

namespace {
const ccColor3B kNoColour = {255, 255, 255};
const GLubyte kNoOpacity = 255;

// A component of size / parentSize, 0 when the parent has no extent on that axis.
float fraction(float part, float whole) { return whole == 0.0f ? 0.0f : part / whole; }
} // namespace

UIWidget::UIWidget() = default;

UIWidget* UIWidget::create()
{
    UIWidget* widget = new UIWidget();
    return autoreleasedOrNull(widget, widget->init());
}

UIWidget::~UIWidget()
{
    releaseResources();
    m_pParent = nullptr;
}

bool UIWidget::init()
{
    m_children.reset(CCArray::create());
    createRenderNode();
    if (!m_pRenderNode) {
        CCLog("UIWidget::init: no render node for %s", getTypeName());
        return false;
    }
    m_pRenderNode->setZOrder(m_nZOrder);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get())) {
        rgba->setCascadeColorEnabled(true);
        rgba->setCascadeOpacityEnabled(true);
    }
    m_bLookActive = true;
    m_lookStyle = LOOK_STYLE_NORMAL;
    onNormalState();
    setIgnoreSize(true);
    m_pScheduler.reset(CCDirector::sharedDirector()->getScheduler());
    return true;
}

void UIWidget::createRenderNode() { m_pRenderNode.reset(GUIRenderer::create()); }

void UIWidget::releaseResources()
{
    setUpdateEnabled(false);
    if (m_children) {
        removeAllChildren();
        m_children.reset();
    }
    if (m_pRenderNode) {
        m_pRenderNode->removeAllChildrenWithCleanup(true);
        m_pRenderNode->removeFromParentAndCleanup(true);
        m_pRenderNode.reset();
    }
}

// ---- enabled, visibility, tree -------------------------------------------------

void UIWidget::setEnabled(bool enabled)
{
    m_bEnabled = enabled;
    if (GUIRenderer* leaf = dynamic_cast<GUIRenderer*>(m_pRenderNode.get())) leaf->setEnabled(enabled);
    else if (RectClippingNode* box = dynamic_cast<RectClippingNode*>(m_pRenderNode.get())) box->setEnabled(enabled);
    CCObject* obj = nullptr;
    CCARRAY_FOREACH(m_children, obj) { static_cast<UIWidget*>(obj)->setEnabled(enabled); }
}

void UIWidget::setTouchEnabled(bool enabled) { m_bTouchEnabled = enabled; }

void UIWidget::setVisible(bool visible)
{
    m_bVisible = visible;
    if (m_pRenderNode) m_pRenderNode->setVisible(visible);
}

void UIWidget::insertByZOrder(UIWidget* child)
{
    const unsigned int count = m_children->count();
    if (count == 0) {
        m_children->addObject(child);
        return;
    }
    for (int i = static_cast<int>(count) - 1; i >= 0; --i) {
        UIWidget* sibling = static_cast<UIWidget*>(m_children->objectAtIndex(i));
        if (sibling->getZOrder() <= child->getZOrder()) {
            if (i == static_cast<int>(count) - 1) m_children->addObject(child);
            else m_children->insertObject(child, i + 1);
            return;
        }
    }
    m_children->insertObject(child, 0);
}

bool UIWidget::addChild(UIWidget* child)
{
    if (!child || !m_children || m_children->containsObject(child)) return false;
    // One render node can hang under one parent only, so a widget that still
    // belongs elsewhere must be removed from there first.
    // (The field, not getRenderNode: some widgets answer that with their current look's sprite.)
    if (child->getParent() || (child->m_pRenderNode && child->m_pRenderNode->getParent())) {
        CCLog("UIWidget::addChild: widget \"%s\" already has a parent", child->getName());
        return false;
    }
    child->m_pParent = this;
    insertByZOrder(child);
    CCNode* node = child->m_pRenderNode.get();
    node->setZOrder(child->getZOrder());
    m_pRenderNode->addChild(node);
    if (m_bRunning) child->onEnter();
    return true;
}

void UIWidget::unscheduleSubtree()
{
    if (m_pScheduler) m_pScheduler->unscheduleUpdateForTarget(this);
    CCObject* obj = nullptr;
    CCARRAY_FOREACH(m_children, obj) { static_cast<UIWidget*>(obj)->unscheduleSubtree(); }
}

bool UIWidget::removeChild(UIWidget* child)
{
    if (!child || !m_children || !m_children->containsObject(child)) return false;
    if (m_bRunning) child->onExit();
    child->unscheduleSubtree();
    child->m_pParent = nullptr;
    if (CCNode* node = child->m_pRenderNode.get()) m_pRenderNode->removeChild(node);
    m_children->removeObject(child);
    return true;
}

void UIWidget::removeFromParent()
{
    if (m_pParent) m_pParent->removeChild(this);
}

void UIWidget::removeAllChildren()
{
    if (!m_children) return;
    const unsigned int count = m_children->count();
    for (unsigned int i = 0; i < count; ++i) {
        CCObject* last = m_children->lastObject();
        if (!last) break;
        removeChild(static_cast<UIWidget*>(last));
    }
}

void UIWidget::reorderChild(UIWidget* child)
{
    if (!child || !m_children || !m_children->containsObject(child)) return;
    // The array lets go of the child between the removal and the insertion.
    CCRefPtr<UIWidget> keepAlive(child);
    m_children->removeObject(child);
    insertByZOrder(child);
}

CCArray* UIWidget::getChildren() { return m_children.get(); }

void UIWidget::setZOrder(int zOrder)
{
    m_nZOrder = zOrder;
    if (m_pRenderNode) m_pRenderNode->setZOrder(zOrder);
    if (m_pParent) m_pParent->reorderChild(this);
}

// ---- transform and colour pass-throughs ------------------------------------------

void UIWidget::setAnchorPoint(const CCPoint& anchor)
{
    m_anchorPoint = anchor;
    m_pRenderNode->setAnchorPoint(anchor);
}
void UIWidget::setScale(float scale) { m_pRenderNode->setScale(scale); }
void UIWidget::setScaleX(float scaleX) { m_pRenderNode->setScaleX(scaleX); }
void UIWidget::setScaleY(float scaleY) { m_pRenderNode->setScaleY(scaleY); }
float UIWidget::getScaleX() { return m_pRenderNode->getScaleX(); }
float UIWidget::getScaleY() { return m_pRenderNode->getScaleY(); }
void UIWidget::setFlipX(bool) {}
bool UIWidget::isFlipX() { return false; }
void UIWidget::setFlipY(bool) {}
bool UIWidget::isFlipY() { return false; }
void UIWidget::setPosition(const CCPoint& position) { m_pRenderNode->setPosition(position); }
const CCPoint& UIWidget::getPosition() { return m_pRenderNode->getPosition(); }

void UIWidget::setColor(const ccColor3B& color)
{
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get())) rgba->setColor(color);
}
const ccColor3B& UIWidget::getColor()
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get());
    return rgba ? rgba->getColor() : kNoColour;
}
void UIWidget::setOpacity(GLubyte opacity)
{
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get())) rgba->setOpacity(opacity);
}
GLubyte UIWidget::getOpacity()
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get());
    return rgba ? rgba->getOpacity() : kNoOpacity;
}
bool UIWidget::isCascadeOpacityEnabled()
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get());
    return rgba ? rgba->isCascadeOpacityEnabled() : false;
}
void UIWidget::setCascadeOpacityEnabled(bool enabled)
{
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get()))
        rgba->setCascadeOpacityEnabled(enabled);
}
bool UIWidget::isCascadeColorEnabled()
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get());
    return rgba ? rgba->isCascadeColorEnabled() : false;
}
void UIWidget::setCascadeColorEnabled(bool enabled)
{
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pRenderNode.get()))
        rgba->setCascadeColorEnabled(enabled);
}
void UIWidget::setActionManager(CCActionManager* manager) { m_pRenderNode->setActionManager(manager); }
CCActionManager* UIWidget::getActionManager() { return m_pRenderNode->getActionManager(); }
CCNode* UIWidget::getRenderNode() { return m_pRenderNode.get(); }
const char* UIWidget::getTypeName() { return "Widget"; }

// ---- sizes ----------------------------------------------------------------------

const CCSize& UIWidget::getContentSize() { return m_size; }

void UIWidget::setSize(const CCSize& size)
{
    m_customSize = size;
    m_size = m_bIgnoreSize ? getContentSize() : size;
    if (m_bRunning) {
        if (m_pParent) {
            const CCSize& whole = m_pParent->getSize();
            m_sizeFraction = CCPoint(fraction(m_customSize.width, whole.width),
                                     fraction(m_customSize.height, whole.height));
        } else {
            m_sizeFraction = CCPoint(0, 0);
        }
    }
    onSizeChanged();
}

void UIWidget::setSizeFraction(const CCPoint& fractionOfParent)
{
    m_sizeFraction = fractionOfParent;
    if (!m_bRunning) return;
    CCSize s(0, 0);
    if (m_pParent) {
        const CCSize& whole = m_pParent->getSize();
        s = CCSize(fractionOfParent.x * whole.width, fractionOfParent.y * whole.height);
    }
    m_size = m_bIgnoreSize ? getContentSize() : s;
    m_customSize = s;
    onSizeChanged();
}

void UIWidget::setIgnoreSize(bool ignore)
{
    m_bIgnoreSize = ignore;
    m_size = ignore ? getContentSize() : m_customSize;
    onSizeChanged();
}

void UIWidget::onSizeChanged() {}

float UIWidget::getLeftEdge()
{
    const CCPoint& p = getPosition();
    return m_widgetType == WidgetTypeContainer ? p.x : p.x - m_size.width * m_anchorPoint.x;
}
float UIWidget::getBottomEdge()
{
    const CCPoint& p = getPosition();
    return m_widgetType == WidgetTypeContainer ? p.y : p.y - m_size.height * m_anchorPoint.y;
}
float UIWidget::getRightEdge() { return getLeftEdge() + m_size.width; }
float UIWidget::getTopEdge() { return getBottomEdge() + m_size.height; }

// ---- lifecycle ---------------------------------------------------------------------

void UIWidget::onEnter()
{
    CCObject* obj = nullptr;
    CCARRAY_FOREACH(m_children, obj) { static_cast<UIWidget*>(obj)->onEnter(); }
    m_bRunning = true;
    m_size = m_bIgnoreSize ? getContentSize() : m_customSize;
    if (m_pParent) {
        const CCSize& whole = m_pParent->getSize();
        m_sizeFraction =
            CCPoint(fraction(m_customSize.width, whole.width), fraction(m_customSize.height, whole.height));
    } else {
        m_sizeFraction = CCPoint(0, 0);
    }
    onSizeChanged();
    const CCPoint position = m_pRenderNode->getPosition();
    m_pRenderNode->setPosition(position);
}

void UIWidget::onExit()
{
    m_bRunning = false;
    CCObject* obj = nullptr;
    CCARRAY_FOREACH(m_children, obj) { static_cast<UIWidget*>(obj)->onExit(); }
}

void UIWidget::setUpdateEnabled(bool enabled)
{
    m_bUpdateEnabled = enabled;
    if (!m_pScheduler) return;
    if (enabled) m_pScheduler->scheduleUpdateForTarget(this, 0, false);
    else m_pScheduler->unscheduleUpdateForTarget(this);
}

// ---- hit testing -----------------------------------------------------------------

bool UIWidget::hitTest(const CCPoint& worldPoint)
{
    const CCPoint p = m_pRenderNode->convertToNodeSpace(worldPoint);
    const float left = -m_anchorPoint.x * m_size.width;
    const float bottom = -m_anchorPoint.y * m_size.height;
    return p.x >= left && p.x <= left + m_size.width && p.y >= bottom && p.y <= bottom + m_size.height;
}

CCRect UIWidget::getWidgetRect() const
{
    if (m_widgetType == WidgetTypeContainer) return CCRect(0, 0, m_size.width, m_size.height);
    return CCRect(-m_anchorPoint.x * m_size.width, -m_anchorPoint.y * m_size.height, m_size.width, m_size.height);
}

bool UIWidget::clippingParentContains(const CCPoint& worldPoint)
{
    m_bAffectedByClipping = false;
    UIWidget* from = this;
    for (;;) {
        Layout* clipper = nullptr;
        for (UIWidget* up = from->getParent(); up; up = up->getParent()) {
            Layout* box = dynamic_cast<Layout*>(up);
            if (box && box->isClippingEnabled()) {
                clipper = box;
                break;
            }
        }
        if (!clipper) return true;
        m_bAffectedByClipping = true;
        if (!clipper->hitTest(worldPoint)) return false;
        from = clipper;
    }
}

// ---- the touch model ---------------------------------------------------------------

void UIWidget::setTouchListener(CCObject* target, TouchEventSelector selector)
{
    m_pListenerTarget = target;
    m_pListenerSelector = selector;
}

void UIWidget::notifyListener(TouchPhase phase)
{
    if (m_pListenerTarget && m_pListenerSelector) (m_pListenerTarget->*m_pListenerSelector)(this, phase);
}

void UIWidget::setFocused(bool focused)
{
    if (focused == m_bFocused) return;
    m_bFocused = focused;
    if (!m_bLookActive) {
        onDisabledState();
    } else if (focused) {
        if (m_lookStyle != LOOK_STYLE_HIGHLIGHT) {
            m_lookStyle = LOOK_STYLE_HIGHLIGHT;
            onPressedState();
        }
    } else if (m_lookStyle != LOOK_STYLE_NORMAL) {
        m_lookStyle = LOOK_STYLE_NORMAL;
        onNormalState();
    }
}

void UIWidget::onTouchBegan(const CCPoint& p)
{
    setFocused(true);
    m_touchStartPos = p;
    if (m_pParent) m_pParent->interceptChildTouch(kTouchBegan, this, p);
    notifyListener(kTouchBegan);
}

void UIWidget::onTouchMoved(const CCPoint& p)
{
    m_touchMovePos = p;
    setFocused(hitTest(p));
    if (m_pParent) m_pParent->interceptChildTouch(kTouchMoved, this, p);
    notifyListener(kTouchMoved);
}

void UIWidget::onTouchEnded(const CCPoint& p)
{
    m_touchEndPos = p;
    const bool wasInside = m_bFocused;
    setFocused(false);
    if (m_pParent) m_pParent->interceptChildTouch(kTouchEnded, this, p);
    notifyListener(wasInside ? kTouchEnded : kTouchCancelled);
}

void UIWidget::onTouchCancelled(const CCPoint&)
{
    setFocused(false);
    notifyListener(kTouchCancelled);
}

void UIWidget::interceptChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& point)
{
    if (m_pParent) m_pParent->interceptChildTouch(phase, sender, point);
}

void UIWidget::onNormalState() {}
void UIWidget::onPressedState() {}
void UIWidget::onDisabledState() {}

} // namespace cc
