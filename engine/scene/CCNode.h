// The scene-graph node: transform, z-ordered children, lifecycle, timers and
// actions. Drawing is left to subclasses (draw()); the renderer reads the
// world transform this class keeps while visiting.
#pragma once

#include "base/CCArray.h"
#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/CCRefPtr.h"

namespace cc {

class CCAction;
class CCActionManager;
class CCScheduler;
class CCCamera;

enum { kCCNodeTagInvalid = -1 };

class CCNode : public CCObject {
public:
    static CCNode* create();
    CCNode();
    ~CCNode() override;
    virtual bool init();

    // ---- Children -------------------------------------------------------
    // Children stay sorted by z-order; equal z-orders keep insertion order.
    virtual void addChild(CCNode* child);               // takes the child's own z-order
    virtual void addChild(CCNode* child, int zOrder);
    virtual void addChild(CCNode* child, int zOrder, int tag);
    CCNode* getChildByTag(int tag) const;
    CCArray* getChildren() const { return m_pChildren.get(); }
    unsigned int getChildrenCount() const { return m_pChildren ? m_pChildren->count() : 0; }
    CCNode* getParent() const { return m_pParent; }
    virtual void setParent(CCNode* parent) { m_pParent = parent; }

    virtual void removeFromParent() { removeFromParentAndCleanup(true); }
    virtual void removeFromParentAndCleanup(bool cleanup);
    virtual void removeChild(CCNode* child) { removeChild(child, true); }
    virtual void removeChild(CCNode* child, bool cleanup);
    virtual void removeChildByTag(int tag, bool cleanup = true);
    virtual void removeAllChildren() { removeAllChildrenWithCleanup(true); }
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    virtual void reorderChild(CCNode* child, int zOrder);
    // Stops the node's actions and timers, and those of its children.
    virtual void cleanup();

    // ---- Transform and geometry ------------------------------------------
    virtual void setPosition(const CCPoint& position);
    void setPosition(float x, float y) { setPosition(CCPoint(x, y)); }
    virtual const CCPoint& getPosition() const { return m_obPosition; }
    void getPosition(float* x, float* y) const { *x = m_obPosition.x; *y = m_obPosition.y; }
    float getPositionX() const { return m_obPosition.x; }
    float getPositionY() const { return m_obPosition.y; }
    void setPositionX(float x) { setPosition(CCPoint(x, m_obPosition.y)); }
    void setPositionY(float y) { setPosition(CCPoint(m_obPosition.x, y)); }

    virtual void setAnchorPoint(const CCPoint& anchor);
    virtual const CCPoint& getAnchorPoint() const { return m_obAnchorPoint; }
    const CCPoint& getAnchorPointInPoints() const { return m_obAnchorPointInPoints; }
    virtual void setContentSize(const CCSize& size);
    virtual const CCSize& getContentSize() const { return m_obContentSize; }
    // Scenes and layers place their origin, not their anchor, at the position.
    virtual void ignoreAnchorPointForPosition(bool ignore);
    bool isIgnoreAnchorPointForPosition() const { return m_bIgnoreAnchorPointForPosition; }

    virtual void setScale(float scale);
    virtual void setScaleX(float sx);
    virtual void setScaleY(float sy);
    virtual float getScale() const { return m_fScaleX; }
    virtual float getScaleX() const { return m_fScaleX; }
    virtual float getScaleY() const { return m_fScaleY; }
    // Degrees, clockwise as seen on screen.
    virtual void setRotation(float degrees);
    virtual float getRotation() const { return m_fRotation; }
    virtual void setSkewX(float degrees);
    virtual void setSkewY(float degrees);
    virtual float getSkewX() const { return m_fSkewX; }
    virtual float getSkewY() const { return m_fSkewY; }
    virtual void setVertexZ(float z);
    virtual float getVertexZ() const { return m_fVertexZ; }

    virtual void setVisible(bool visible);
    virtual bool isVisible() const { return m_bVisible; }
    virtual void setZOrder(int zOrder);
    virtual int getZOrder() const { return m_nZOrder; }
    virtual void setTag(int tag) { m_nTag = tag; }
    virtual int getTag() const { return m_nTag; }
    virtual void setUserData(void* data) { m_pUserData = data; }
    virtual void* getUserData() const { return m_pUserData; }
    virtual void setUserObject(CCObject* object);
    virtual CCObject* getUserObject() const { return m_pUserObject.get(); }

    virtual CCAffineTransform nodeToParentTransform();
    virtual CCAffineTransform parentToNodeTransform();
    virtual CCAffineTransform nodeToWorldTransform();
    virtual CCAffineTransform worldToNodeTransform();
    CCPoint convertToNodeSpace(const CCPoint& worldPoint);
    CCPoint convertToWorldSpace(const CCPoint& nodePoint);
    CCPoint convertToNodeSpaceAR(const CCPoint& worldPoint);
    CCPoint convertToWorldSpaceAR(const CCPoint& nodePoint);
    // The content rectangle in the parent's space.
    CCRect boundingBox();

    // ---- Lifecycle ---------------------------------------------------------
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExit();
    virtual void onExitTransitionDidStart();
    virtual bool isRunning() const { return m_bRunning; }

    // ---- Drawing -----------------------------------------------------------
    // Visits the subtree: children below z 0, this node's draw, the rest.
    virtual void visit();
    virtual void draw() {}
    // Applies this node's transform to the renderer's current world transform.
    virtual void transform();
    // The world transform in effect while this node draws.
    static const CCAffineTransform& currentWorldTransform();
    // Sorted order of arrival, used to keep equal z-orders stable.
    unsigned int getOrderOfArrival() const { return m_uOrderOfArrival; }
    void setOrderOfArrival(unsigned int order) { m_uOrderOfArrival = order; }
    CCCamera* getCamera() { return nullptr; }

    // ---- Actions -----------------------------------------------------------
    virtual void setActionManager(CCActionManager* manager);
    virtual CCActionManager* getActionManager() const { return m_pActionManager.get(); }
    CCAction* runAction(CCAction* action);
    void stopAllActions();
    void stopAction(CCAction* action);
    void stopActionByTag(int tag);
    CCAction* getActionByTag(int tag);
    unsigned int numberOfRunningActions();

    // ---- Timers ------------------------------------------------------------
    // Timers asked for before the node is on the stage start counting when it
    // enters, and pause while it is off the stage.
    virtual void setScheduler(CCScheduler* scheduler);
    virtual CCScheduler* getScheduler() const { return m_pScheduler.get(); }
    void schedule(SEL_SCHEDULE selector);
    void schedule(SEL_SCHEDULE selector, float interval);
    void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
    void scheduleOnce(SEL_SCHEDULE selector, float delay);
    void unschedule(SEL_SCHEDULE selector);
    void unscheduleAllSelectors();
    void scheduleUpdate();
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate();
    void resumeSchedulerAndActions();
    void pauseSchedulerAndActions();

protected:
    // Every change to what this node shows calls this: while the node is on
    // the stage the director's redraw mark goes up (see CCDirector::setNeedsRedraw).
    void markForRedraw()
    {
        if (m_bRunning) raiseRedrawMark();
    }
    static void raiseRedrawMark();
    void insertChild(CCNode* child, int zOrder);
    void detachChild(CCNode* child, bool cleanup);
    void childrenAlloc();
    void markTransformDirty();

    CCPoint m_obPosition;
    CCPoint m_obAnchorPoint;
    CCPoint m_obAnchorPointInPoints;
    CCSize m_obContentSize;
    float m_fScaleX = 1.0f, m_fScaleY = 1.0f;
    float m_fRotation = 0.0f;
    float m_fSkewX = 0.0f, m_fSkewY = 0.0f;
    float m_fVertexZ = 0.0f;
    int m_nZOrder = 0;
    int m_nTag = kCCNodeTagInvalid;
    unsigned int m_uOrderOfArrival = 0;
    bool m_bVisible = true;
    bool m_bRunning = false;
    bool m_bIgnoreAnchorPointForPosition = false;
    bool m_bTransformDirty = true;
    bool m_bInverseDirty = true;

    CCAffineTransform m_sTransform;
    CCAffineTransform m_sInverse;

    // Not retained: the parent holds its children, and clears this in each
    // child when it is destroyed.
    CCNode* m_pParent = nullptr;
    CCRefPtr<CCArray> m_pChildren;
    void* m_pUserData = nullptr;
    CCRefPtr<CCObject> m_pUserObject;

    CCRefPtr<CCScheduler> m_pScheduler;
    CCRefPtr<CCActionManager> m_pActionManager;
};

} // namespace cc
