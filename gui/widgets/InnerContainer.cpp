// The inner container and the child plumbing the scroll view and the drag
// panel share. Each keeps its own rules for moving the container; this file
// only holds it, sizes it, routes the child operations and draws it frugally.
#include "gui/widgets/InnerContainer.h"

#include <algorithm>

#include "gui/RectClippingNode.h"
#include "render/CCDrawNode.h"
#include "scene/CCNode.h"

namespace cc {

namespace {
// Walks what a child draws, in the inner container's space, until one part
// is found to meet the view. Every part is a node's content rectangle (or,
// for the child itself, its widget rectangle) through the transforms down
// to it, so rotation, scale and descendants reaching out all count.
class DrawnBounds {
public:
    explicit DrawnBounds(const CCRect& view) : m_view(view) {}

    // True when some part meets the view, or when a part's extent is not
    // its content size (a draw node paints wherever its shapes lie).
    bool meets(UIWidget* child)
    {
        CCNode* node = child->getOwnRenderNode();
        if (!node) return true;
        const CCAffineTransform toInner = node->nodeToParentTransform();
        return add(child->getWidgetRect(), toInner) || walk(node, toInner) || !m_measured;
    }

private:
    // Whether the rectangle, carried into the inner container's space,
    // meets the view: the box of its four corners, worked out per axis
    // (each side of the rectangle moves each edge of the box one way).
    bool add(const CCRect& local, const CCAffineTransform& t)
    {
        const float w = local.size.width, h = local.size.height;
        if (!(w > 0 && h > 0)) return false;
        m_measured = true;
        const float x = t.a * local.origin.x + t.c * local.origin.y + t.tx;
        const float y = t.b * local.origin.x + t.d * local.origin.y + t.ty;
        const float aw = t.a * w, ch = t.c * h, bw = t.b * w, dh = t.d * h;
        const float minX = x + std::min(0.0f, aw) + std::min(0.0f, ch);
        const float maxX = x + std::max(0.0f, aw) + std::max(0.0f, ch);
        const float minY = y + std::min(0.0f, bw) + std::min(0.0f, dh);
        const float maxY = y + std::max(0.0f, bw) + std::max(0.0f, dh);
        return !(maxX < m_view.getMinX() || m_view.getMaxX() < minX || maxY < m_view.getMinY() ||
                 m_view.getMaxY() < minY);
    }

    bool walk(CCNode* node, const CCAffineTransform& toInner)
    {
        const CCSize& s = node->getContentSize();
        if (add(CCRect(0, 0, s.width, s.height), toInner)) return true;
        // A childless node without an area draws nothing, unless it paints
        // shapes of its own wherever they lie.
        if (!node->getChildrenCount()) return !(s.width > 0 && s.height > 0) && dynamic_cast<CCDrawNode*>(node);
        for (CCObject* obj : *node->getChildren()) {
            CCNode* child = static_cast<CCNode*>(obj);
            if (!child->isVisible()) continue;
            if (walk(child, CCAffineTransformConcat(child->nodeToParentTransform(), toInner))) return true;
        }
        return false;
    }

    const CCRect m_view;
    bool m_measured = false; // some part had an area
};
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
    if (InnerContainerNode* node = dynamic_cast<InnerContainerNode*>(m_pRenderNode.get())) node->forgetOwner();
}

const char* InnerContainer::getTypeName() { return "Layout"; }

void InnerContainer::createRenderNode() { m_pRenderNode.reset(InnerContainerNode::create(this)); }

void InnerContainer::childrenMeeting(const CCRect& rect, std::vector<UIWidget*>& out, bool meeting)
{
    if (!m_children) return;
    for (CCObject* obj : *m_children) {
        UIWidget* child = static_cast<UIWidget*>(obj);
        // A child that draws nothing measurable is never culled.
        const bool meets = DrawnBounds(rect).meets(child);
        if (meets == meeting) out.push_back(child);
    }
}

void InnerContainer::hideChildrenOutside(const CCRect& rect)
{
    showHiddenChildren();
    if (!m_children) return;
    for (CCObject* obj : *m_children) {
        UIWidget* child = static_cast<UIWidget*>(obj);
        // A hidden child draws nothing anyway: no need to measure it.
        if (!child->isVisible() || DrawnBounds(rect).meets(child)) continue;
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

void InnerContainerLayout::interceptChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& point)
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
