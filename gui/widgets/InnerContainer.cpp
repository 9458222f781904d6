// The inner container and the child plumbing the scroll view and the drag
// panel share. Each keeps its own rules for moving the container; this file
// only holds it, sizes it, routes the child operations and draws it frugally.
#include "gui/widgets/InnerContainer.h"

#include <algorithm>

#include "gui/RectClippingNode.h"
#include "scene/CCNode.h"

namespace cc {

namespace {
// The rectangle a widget covers in its parent's space.
CCRect coveredRect(UIWidget* widget)
{
    const CCPoint& p = widget->getPosition();
    const CCPoint& a = widget->getAnchorPoint();
    const CCSize& s = widget->getSize();
    float w = s.width * widget->getScaleX();
    float h = s.height * widget->getScaleY();
    float x = p.x - a.x * w;
    float y = p.y - a.y * h;
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    return CCRect(x, y, w, h);
}

// A widget without an area may still draw descendants anywhere: never culled.
bool hasArea(UIWidget* widget) { return widget->getSize().width > 0 && widget->getSize().height > 0; }
} // namespace

// The inner container's render node: before drawing under a clipping view it
// hides, for the length of the frame, the children the view cannot show.
class InnerContainerNode : public RectClippingNode {
public:
    static InnerContainerNode* create(InnerContainer* owner)
    {
        InnerContainerNode* node = new InnerContainerNode();
        node->m_pOwner = owner;
        return autoreleasedOrNull(node, node->init());
    }
    void forgetOwner() { m_pOwner = nullptr; }

    void visit() override
    {
        RectClippingNode* view = dynamic_cast<RectClippingNode*>(getParent());
        if (!m_pOwner || !view || !view->isClippingEnabled() || !isVisible() || !isEnabled()) {
            RectClippingNode::visit();
            return;
        }
        const CCSize& s = view->getClippingSize();
        const CCRect shown = CCRectApplyAffineTransform(CCRect(0, 0, s.width, s.height), parentToNodeTransform());
        m_pOwner->hideChildrenOutside(shown);
        RectClippingNode::visit();
        m_pOwner->showHiddenChildren();
    }

private:
    InnerContainer* m_pOwner = nullptr; // the owner holds this node
};

// ---- InnerContainer -------------------------------------------------------------

InnerContainer* InnerContainer::create()
{
    InnerContainer* inner = new InnerContainer();
    return autoreleasedOrNull(inner, inner->init());
}

InnerContainer::~InnerContainer()
{
    if (InnerContainerNode* node = dynamic_cast<InnerContainerNode*>(m_pRenderNode)) node->forgetOwner();
}

const char* InnerContainer::getTypeName() { return "Layout"; }

void InnerContainer::createRenderNode() { m_pRenderNode = InnerContainerNode::create(this); }

void InnerContainer::childrenMeeting(const CCRect& rect, std::vector<UIWidget*>& out, bool meeting)
{
    if (!m_children) return;
    for (CCObject* obj : *m_children) {
        UIWidget* child = static_cast<UIWidget*>(obj);
        const bool meets = !hasArea(child) || coveredRect(child).intersectsRect(rect);
        if (meets == meeting) out.push_back(child);
    }
}

void InnerContainer::hideChildrenOutside(const CCRect& rect)
{
    showHiddenChildren();
    std::vector<UIWidget*> outside;
    childrenMeeting(rect, outside, false);
    for (UIWidget* child : outside) {
        if (!child->isVisible()) continue;
        child->setVisible(false);
        m_hiddenForFrame.push_back(child);
    }
}

void InnerContainer::showHiddenChildren()
{
    for (UIWidget* child : m_hiddenForFrame) child->setVisible(true);
    m_hiddenForFrame.clear();
}

// ---- InnerContainerLayout ------------------------------------------------------------

InnerContainerLayout::~InnerContainerLayout() { releaseResources(); }

void InnerContainerLayout::createRenderNode()
{
    Layout::createRenderNode();
    if (!m_pRenderNode) return;
    InnerContainer* inner = InnerContainer::create();
    if (!inner) return;
    // The container's own (and only) child: the base addChild, not ours.
    if (UIWidget::addChild(inner)) m_pInnerContainer = inner;
}

void InnerContainerLayout::releaseResources()
{
    setUpdateEnabled(false);
    if (m_pInnerContainer) {
        m_pInnerContainer->removeAllChildren();
        // Taken out while our render node still exists, so that detaching its
        // render node never reaches a node that is already gone.
        UIWidget::removeChild(m_pInnerContainer);
        m_pInnerContainer = nullptr;
    }
    Layout::releaseResources();
}

bool InnerContainerLayout::addChild(UIWidget* child)
{
    return m_pInnerContainer ? m_pInnerContainer->addChild(child) : false;
}

bool InnerContainerLayout::removeChild(UIWidget* child)
{
    return m_pInnerContainer ? m_pInnerContainer->removeChild(child) : false;
}

void InnerContainerLayout::removeAllChildren()
{
    if (m_pInnerContainer) m_pInnerContainer->removeAllChildren();
}

CCArray* InnerContainerLayout::getChildren() { return m_pInnerContainer ? m_pInnerContainer->getChildren() : nullptr; }

void InnerContainerLayout::setLayoutType(int type)
{
    if (m_pInnerContainer) m_pInnerContainer->setLayoutType(type);
}

int InnerContainerLayout::getLayoutType() { return m_pInnerContainer ? m_pInnerContainer->getLayoutType() : 0; }

void InnerContainerLayout::doLayout()
{
    if (m_pInnerContainer) m_pInnerContainer->doLayout();
}

void InnerContainerLayout::interceptChildTouch(int phase, UIWidget* sender, const CCPoint& point)
{
    handleChildTouch(phase, sender, point);
}

void InnerContainerLayout::onTouchBegan(const CCPoint& worldPoint)
{
    Layout::onTouchBegan(worldPoint);
    handlePress(worldPoint);
}

void InnerContainerLayout::onTouchMoved(const CCPoint& worldPoint)
{
    Layout::onTouchMoved(worldPoint);
    handleMove(worldPoint);
}

void InnerContainerLayout::onTouchEnded(const CCPoint& worldPoint)
{
    Layout::onTouchEnded(worldPoint);
    handleRelease(worldPoint);
}

void InnerContainerLayout::growInnerContainerToView()
{
    if (!m_pInnerContainer) return;
    const CCSize& inner = m_pInnerContainer->getSize();
    m_pInnerContainer->setSize(CCSize(std::max(inner.width, m_size.width), std::max(inner.height, m_size.height)));
}

void InnerContainerLayout::placeInnerContainerAtTop()
{
    if (!m_pInnerContainer) return;
    m_pInnerContainer->setPosition(CCPoint(0, m_size.height - m_pInnerContainer->getSize().height));
}

void InnerContainerLayout::setInnerContainerSize(const CCSize& size)
{
    if (!m_pInnerContainer) return;
    m_pInnerContainer->setSize(CCSize(std::max(size.width, m_size.width), std::max(size.height, m_size.height)));
    placeInnerContainerAtTop();
}

CCPoint InnerContainerLayout::toViewSpace(const CCPoint& worldPoint)
{
    return m_pRenderNode ? m_pRenderNode->convertToNodeSpace(worldPoint) : worldPoint;
}

} // namespace cc
