// Scene-graph node: children, transforms, lifecycle, and the node's share of
// the scheduler and action manager (which the director owns).
#include "scene/CCNode.h"

#include "actions/CCAction.h"
#include "actions/CCActionManager.h"
#include "base/CCLog.h"
#include "scene/CCDirector.h"
#include "scene/CCScheduler.h"

#include <vector>

namespace cc {

namespace {
unsigned int s_globalOrderOfArrival = 1;
std::vector<CCAffineTransform>& worldStack()
{
    static std::vector<CCAffineTransform> stack{CCAffineTransformIdentity};
    return stack;
}
} // namespace

CCNode* CCNode::create()
{
    CCNode* n = new CCNode();
    return autoreleasedOrNull(n, n->init());
}

CCNode::CCNode() : m_sTransform(CCAffineTransformIdentity), m_sInverse(CCAffineTransformIdentity)
{
    CCDirector* director = CCDirector::sharedDirector();
    m_pScheduler.reset(director->getScheduler());
    m_pActionManager.reset(director->getActionManager());
}

CCNode::~CCNode()
{
    // Nothing may call back into a node that is gone.
    if (m_pActionManager) {
        m_pActionManager->removeAllActionsFromTarget(this);
    }
    if (m_pScheduler) {
        m_pScheduler->unscheduleAllForTarget(this);
    }
    if (m_pChildren) {
        for (CCObject* o : *m_pChildren) {
            static_cast<CCNode*>(o)->m_pParent = nullptr;
        }
    }
    // Children and the user object go first; the action manager and then the
    // scheduler follow after this body (reverse order of declaration).
    m_pChildren.reset();
    m_pUserObject.reset();
}

bool CCNode::init() { return true; }

// ---- Children ---------------------------------------------------------------

void CCNode::childrenAlloc() { m_pChildren.reset(CCArray::createWithCapacity(4)); }

void CCNode::addChild(CCNode* child) { addChild(child, child ? child->m_nZOrder : 0, child ? child->m_nTag : 0); }

void CCNode::addChild(CCNode* child, int zOrder) { addChild(child, zOrder, child ? child->m_nTag : 0); }

void CCNode::addChild(CCNode* child, int zOrder, int tag)
{
    if (!child || child == this) {
        return;
    }
    if (child->m_pParent) {
        CCLog("CCNode::addChild: the child already has a parent; it was not added again");
        return;
    }
    if (!m_pChildren) {
        childrenAlloc();
    }
    insertChild(child, zOrder);
    child->m_nTag = tag;
    child->setParent(this);
    child->m_uOrderOfArrival = s_globalOrderOfArrival++;
    if (m_bRunning) {
        child->onEnter();
        child->onEnterTransitionDidFinish();
    }
    markForRedraw();
}

void CCNode::insertChild(CCNode* child, int zOrder)
{
    // Insert after the last sibling whose z-order is not greater: equal
    // z-orders stay in insertion order.
    child->m_nZOrder = zOrder;
    const auto& data = m_pChildren->data();
    unsigned int index = m_pChildren->count();
    while (index > 0 && static_cast<CCNode*>(data[index - 1])->m_nZOrder > zOrder) {
        --index;
    }
    m_pChildren->insertObject(child, index);
}

CCNode* CCNode::getChildByTag(int tag) const
{
    if (m_pChildren) {
        for (CCObject* o : *m_pChildren) {
            CCNode* n = static_cast<CCNode*>(o);
            if (n->m_nTag == tag) {
                return n;
            }
        }
    }
    return nullptr;
}

void CCNode::removeFromParentAndCleanup(bool cleanup)
{
    if (m_pParent) {
        m_pParent->removeChild(this, cleanup);
    }
}

void CCNode::removeChild(CCNode* child, bool cleanup)
{
    if (!m_pChildren || !child || !m_pChildren->containsObject(child)) {
        return;
    }
    detachChild(child, cleanup);
}

void CCNode::removeChildByTag(int tag, bool cleanup)
{
    CCNode* child = getChildByTag(tag);
    if (child) {
        removeChild(child, cleanup);
    }
}

void CCNode::detachChild(CCNode* child, bool cleanup)
{
    if (m_bRunning) {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (cleanup) {
        child->cleanup();
    }
    child->setParent(nullptr);
    m_pChildren->removeObject(child);
    markForRedraw();
}

void CCNode::removeAllChildrenWithCleanup(bool cleanup)
{
    if (!m_pChildren) {
        return;
    }
    // Taken out first so that an exit handler that looks at the tree sees a
    // consistent state.
    CCRefPtr<CCArray> old = m_pChildren;
    for (CCObject* o : *old) {
        CCNode* child = static_cast<CCNode*>(o);
        if (m_bRunning) {
            child->onExitTransitionDidStart();
            child->onExit();
        }
        if (cleanup) {
            child->cleanup();
        }
        child->setParent(nullptr);
    }
    m_pChildren->removeAllObjects();
    old.reset();
    markForRedraw();
}

void CCNode::reorderChild(CCNode* child, int zOrder)
{
    if (!child || !m_pChildren || !m_pChildren->containsObject(child)) {
        return;
    }
    // The array lets go of the child between the removal and the insertion.
    CCRefPtr<CCNode> keepAlive(child);
    m_pChildren->removeObject(child);
    insertChild(child, zOrder);
    keepAlive.reset();
    markForRedraw();
}

void CCNode::setZOrder(int zOrder)
{
    if (m_pParent) {
        m_pParent->reorderChild(this, zOrder);
    } else {
        m_nZOrder = zOrder;
    }
}

void CCNode::cleanup()
{
    stopAllActions();
    unscheduleAllSelectors();
    unscheduleUpdate();
    if (m_pChildren) {
        for (CCObject* o : *m_pChildren) {
            static_cast<CCNode*>(o)->cleanup();
        }
    }
}

void CCNode::setUserObject(CCObject* object)
{
    m_pUserObject.reset(object);
}

// ---- Transform ----------------------------------------------------------------

void CCNode::raiseRedrawMark() { CCDirector::setNeedsRedraw(); }

void CCNode::markTransformDirty()
{
    m_bTransformDirty = m_bInverseDirty = true;
    markForRedraw();
}

void CCNode::setPosition(const CCPoint& position)
{
    if (position.equals(m_obPosition)) {
        return;
    }
    m_obPosition = position;
    markTransformDirty();
}

void CCNode::setAnchorPoint(const CCPoint& anchor)
{
    if (!anchor.equals(m_obAnchorPoint)) {
        m_obAnchorPoint = anchor;
        m_obAnchorPointInPoints = CCPoint(m_obContentSize.width * anchor.x, m_obContentSize.height * anchor.y);
        markTransformDirty();
    }
}

void CCNode::setContentSize(const CCSize& size)
{
    if (!size.equals(m_obContentSize)) {
        m_obContentSize = size;
        m_obAnchorPointInPoints =
            CCPoint(m_obContentSize.width * m_obAnchorPoint.x, m_obContentSize.height * m_obAnchorPoint.y);
        markTransformDirty();
    }
}

void CCNode::ignoreAnchorPointForPosition(bool ignore)
{
    if (ignore != m_bIgnoreAnchorPointForPosition) {
        m_bIgnoreAnchorPointForPosition = ignore;
        markTransformDirty();
    }
}

// Each transform setter leaves an unchanged value alone, so code that sets
// the same place every frame does not make the loop draw.
void CCNode::setScale(float scale)
{
    if (scale != m_fScaleX || scale != m_fScaleY) {
        m_fScaleX = m_fScaleY = scale;
        markTransformDirty();
    }
}

void CCNode::setScaleX(float sx)
{
    if (sx != m_fScaleX) {
        m_fScaleX = sx;
        markTransformDirty();
    }
}

void CCNode::setScaleY(float sy)
{
    if (sy != m_fScaleY) {
        m_fScaleY = sy;
        markTransformDirty();
    }
}

void CCNode::setRotation(float degrees)
{
    if (degrees != m_fRotation) {
        m_fRotation = degrees;
        markTransformDirty();
    }
}

void CCNode::setSkewX(float degrees)
{
    if (degrees != m_fSkewX) {
        m_fSkewX = degrees;
        markTransformDirty();
    }
}

void CCNode::setSkewY(float degrees)
{
    if (degrees != m_fSkewY) {
        m_fSkewY = degrees;
        markTransformDirty();
    }
}

void CCNode::setVertexZ(float z)
{
    if (z != m_fVertexZ) {
        m_fVertexZ = z;
        markForRedraw();
    }
}

void CCNode::setVisible(bool visible)
{
    if (visible != m_bVisible) {
        m_bVisible = visible;
        markForRedraw();
    }
}

CCAffineTransform CCNode::nodeToParentTransform()
{
    if (m_bTransformDirty) {
        float x = m_obPosition.x, y = m_obPosition.y;
        if (m_bIgnoreAnchorPointForPosition) {
            x += m_obAnchorPointInPoints.x;
            y += m_obAnchorPointInPoints.y;
        }
        // Rotation is clockwise on screen, hence the negated angle.
        const float radians = -CC_DEGREES_TO_RADIANS(m_fRotation);
        const float c = std::cos(radians), s = std::sin(radians);
        CCAffineTransform t = CCAffineTransformMake(c * m_fScaleX, s * m_fScaleX, -s * m_fScaleY, c * m_fScaleY, x, y);
        if (m_fSkewX != 0.0f || m_fSkewY != 0.0f) {
            const CCAffineTransform skew = CCAffineTransformMake(
                1.0f, std::tan(CC_DEGREES_TO_RADIANS(m_fSkewY)), std::tan(CC_DEGREES_TO_RADIANS(m_fSkewX)), 1.0f, 0, 0);
            t = CCAffineTransformConcat(skew, t);
        }
        // The anchor point is the origin of scale and rotation.
        if (!m_obAnchorPointInPoints.equals(CCPointZero)) {
            t = CCAffineTransformTranslate(t, -m_obAnchorPointInPoints.x, -m_obAnchorPointInPoints.y);
        }
        m_sTransform = t;
        m_bTransformDirty = false;
    }
    return m_sTransform;
}

CCAffineTransform CCNode::parentToNodeTransform()
{
    if (m_bInverseDirty) {
        m_sInverse = CCAffineTransformInvert(nodeToParentTransform());
        m_bInverseDirty = false;
    }
    return m_sInverse;
}

CCAffineTransform CCNode::nodeToWorldTransform()
{
    CCAffineTransform t = nodeToParentTransform();
    for (CCNode* p = m_pParent; p != nullptr; p = p->getParent()) {
        t = CCAffineTransformConcat(t, p->nodeToParentTransform());
    }
    return t;
}

CCAffineTransform CCNode::worldToNodeTransform() { return CCAffineTransformInvert(nodeToWorldTransform()); }

CCPoint CCNode::convertToNodeSpace(const CCPoint& worldPoint)
{
    return CCPointApplyAffineTransform(worldPoint, worldToNodeTransform());
}

CCPoint CCNode::convertToWorldSpace(const CCPoint& nodePoint)
{
    return CCPointApplyAffineTransform(nodePoint, nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpaceAR(const CCPoint& worldPoint)
{
    return convertToNodeSpace(worldPoint) - m_obAnchorPointInPoints;
}

CCPoint CCNode::convertToWorldSpaceAR(const CCPoint& nodePoint)
{
    return convertToWorldSpace(nodePoint + m_obAnchorPointInPoints);
}

CCRect CCNode::boundingBox()
{
    const CCRect rect(0, 0, m_obContentSize.width, m_obContentSize.height);
    return CCRectApplyAffineTransform(rect, nodeToParentTransform());
}

// ---- Lifecycle ----------------------------------------------------------------

void CCNode::onEnter()
{
    if (m_pChildren) {
        // A copy: an enter handler may add or remove siblings.
        CCArray* children = CCArray::createWithArray(m_pChildren.get());
        for (CCObject* o : *children) {
            static_cast<CCNode*>(o)->onEnter();
        }
    }
    resumeSchedulerAndActions();
    m_bRunning = true;
}

void CCNode::onEnterTransitionDidFinish()
{
    if (m_pChildren) {
        CCArray* children = CCArray::createWithArray(m_pChildren.get());
        for (CCObject* o : *children) {
            static_cast<CCNode*>(o)->onEnterTransitionDidFinish();
        }
    }
}

void CCNode::onExitTransitionDidStart()
{
    if (m_pChildren) {
        CCArray* children = CCArray::createWithArray(m_pChildren.get());
        for (CCObject* o : *children) {
            static_cast<CCNode*>(o)->onExitTransitionDidStart();
        }
    }
}

void CCNode::onExit()
{
    pauseSchedulerAndActions();
    m_bRunning = false;
    if (m_pChildren) {
        CCArray* children = CCArray::createWithArray(m_pChildren.get());
        for (CCObject* o : *children) {
            static_cast<CCNode*>(o)->onExit();
        }
    }
}

// ---- Drawing ------------------------------------------------------------------

const CCAffineTransform& CCNode::currentWorldTransform() { return worldStack().back(); }

void CCNode::transform()
{
    auto& stack = worldStack();
    stack.push_back(CCAffineTransformConcat(nodeToParentTransform(), stack.back()));
}

void CCNode::visit()
{
    if (!m_bVisible) {
        return;
    }
    transform();
    unsigned int i = 0;
    if (m_pChildren && m_pChildren->count() > 0) {
        const auto& data = m_pChildren->data();
        for (; i < data.size(); ++i) {
            CCNode* child = static_cast<CCNode*>(data[i]);
            if (child->m_nZOrder >= 0) {
                break;
            }
            child->visit();
        }
        draw();
        for (; i < data.size(); ++i) {
            static_cast<CCNode*>(data[i])->visit();
        }
    } else {
        draw();
    }
    worldStack().pop_back();
}

// ---- Actions ------------------------------------------------------------------

void CCNode::setActionManager(CCActionManager* manager)
{
    if (manager != m_pActionManager) {
        stopAllActions();
        m_pActionManager.reset(manager);
    }
}

CCAction* CCNode::runAction(CCAction* action)
{
    if (action && m_pActionManager) {
        m_pActionManager->addAction(action, this, !m_bRunning);
    }
    return action;
}

void CCNode::stopAllActions()
{
    if (m_pActionManager) {
        m_pActionManager->removeAllActionsFromTarget(this);
    }
}

void CCNode::stopAction(CCAction* action)
{
    if (m_pActionManager) {
        m_pActionManager->removeAction(action);
    }
}

void CCNode::stopActionByTag(int tag)
{
    if (m_pActionManager) {
        m_pActionManager->removeActionByTag(static_cast<unsigned int>(tag), this);
    }
}

CCAction* CCNode::getActionByTag(int tag)
{
    return m_pActionManager ? m_pActionManager->getActionByTag(static_cast<unsigned int>(tag), this) : nullptr;
}

unsigned int CCNode::numberOfRunningActions()
{
    return m_pActionManager ? m_pActionManager->numberOfRunningActionsInTarget(this) : 0;
}

// ---- Timers -------------------------------------------------------------------

void CCNode::setScheduler(CCScheduler* scheduler)
{
    if (scheduler != m_pScheduler) {
        unscheduleAllSelectors();
        unscheduleUpdate();
        m_pScheduler.reset(scheduler);
    }
}

void CCNode::schedule(SEL_SCHEDULE selector) { schedule(selector, 0.0f, kCCRepeatForever, 0.0f); }

void CCNode::schedule(SEL_SCHEDULE selector, float interval) { schedule(selector, interval, kCCRepeatForever, 0.0f); }

void CCNode::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay)
{
    if (m_pScheduler && selector) {
        m_pScheduler->scheduleSelector(selector, this, interval, repeat, delay, !m_bRunning);
    }
}

void CCNode::scheduleOnce(SEL_SCHEDULE selector, float delay) { schedule(selector, 0.0f, 0, delay); }

void CCNode::unschedule(SEL_SCHEDULE selector)
{
    if (m_pScheduler && selector) {
        m_pScheduler->unscheduleSelector(selector, this);
    }
}

void CCNode::unscheduleAllSelectors()
{
    if (m_pScheduler) {
        m_pScheduler->unscheduleAllForTarget(this);
    }
}

void CCNode::scheduleUpdate() { scheduleUpdateWithPriority(0); }

void CCNode::scheduleUpdateWithPriority(int priority)
{
    if (m_pScheduler) {
        m_pScheduler->scheduleUpdateForTarget(this, priority, !m_bRunning);
    }
}

void CCNode::unscheduleUpdate()
{
    if (m_pScheduler) {
        m_pScheduler->unscheduleUpdateForTarget(this);
    }
}

void CCNode::resumeSchedulerAndActions()
{
    if (m_pScheduler) {
        m_pScheduler->resumeTarget(this);
    }
    if (m_pActionManager) {
        m_pActionManager->resumeTarget(this);
    }
}

void CCNode::pauseSchedulerAndActions()
{
    if (m_pScheduler) {
        m_pScheduler->pauseTarget(this);
    }
    if (m_pActionManager) {
        m_pActionManager->pauseTarget(this);
    }
}

} // namespace cc
