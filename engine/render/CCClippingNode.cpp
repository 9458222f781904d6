// Clipping: the stencil is drawn through a host node that copies this node's
// transform, so it lands in this node's space before the children are drawn.
#include "render/CCClippingNode.h"

#include "render/CCRenderer.h"
#include "scene/CCDirector.h"

namespace cc {

namespace {
// Borrows its owner's node-to-parent transform; visited where the owner
// would be, it gives the stencil the owner's world transform.
class StencilHost : public CCNode {
public:
    explicit StencilHost(CCNode* owner) : m_owner(owner) {}
    CCAffineTransform nodeToParentTransform() override { return m_owner->nodeToParentTransform(); }
    void forget() { m_owner = nullptr; }

private:
    CCNode* m_owner; // not retained: the owner holds this host
};
} // namespace

CCClippingNode* CCClippingNode::create()
{
    return create(nullptr);
}

CCClippingNode* CCClippingNode::create(CCNode* stencil)
{
    CCClippingNode* node = new CCClippingNode();
    if (node->init(stencil)) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

bool CCClippingNode::init()
{
    return init(nullptr);
}

bool CCClippingNode::init(CCNode* stencil)
{
    if (!CCNode::init()) return false;
    if (!m_pStencilHost) m_pStencilHost = CCRefPtr<CCNode>::adopt(new StencilHost(this));
    setStencil(stencil);
    m_fAlphaThreshold = 1.0f;
    m_bInverted = false;
    return true;
}

CCClippingNode::~CCClippingNode()
{
    setStencil(nullptr);
}

void CCClippingNode::setStencil(CCNode* stencil)
{
    if (stencil == m_pStencil) return;
    if (m_pStencil) {
        if (m_bRunning) {
            m_pStencil->onExitTransitionDidStart();
            m_pStencil->onExit();
        }
        m_pStencilHost->removeChild(m_pStencil.get(), true);
        m_pStencil.reset();
    }
    m_pStencil.reset(stencil);
    if (m_pStencil) {
        if (m_pStencil->getParent()) m_pStencil->removeFromParentAndCleanup(false);
        m_pStencilHost->addChild(m_pStencil.get());
        if (m_bRunning) {
            m_pStencil->onEnter();
            m_pStencil->onEnterTransitionDidFinish();
        }
    }
    markForRedraw();
}

void CCClippingNode::onEnter()
{
    CCNode::onEnter();
    if (m_pStencil) m_pStencil->onEnter();
}

void CCClippingNode::onEnterTransitionDidFinish()
{
    CCNode::onEnterTransitionDidFinish();
    if (m_pStencil) m_pStencil->onEnterTransitionDidFinish();
}

void CCClippingNode::onExitTransitionDidStart()
{
    if (m_pStencil) m_pStencil->onExitTransitionDidStart();
    CCNode::onExitTransitionDidStart();
}

void CCClippingNode::onExit()
{
    if (m_pStencil) m_pStencil->onExit();
    CCNode::onExit();
}

void CCClippingNode::visit()
{
    if (!m_bVisible) return;
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer || !m_pStencil) {
        // Without a stencil nothing is clipped (and without GL nothing drawn).
        if (m_pStencil) m_pStencilHost->visit();
        CCNode::visit();
        return;
    }
    if (!renderer->beginStencil(m_fAlphaThreshold, m_bInverted)) {
        CCNode::visit();
        return;
    }
    m_pStencilHost->visit();
    renderer->beginClippedContent();
    CCNode::visit();
    renderer->endStencil();
}

} // namespace cc
