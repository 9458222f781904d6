// One finger (here: the mouse) on the window, in design-space points with
// y pointing up, and the delegate interfaces that receive touches.
#pragma once

#include "base/CCGeometry.h"
#include "base/CCObject.h"

namespace cc {

class CCSet;

class CCEvent : public CCObject {};

class CCTouch : public CCObject {
public:
    CCTouch() = default;
    int getID() const { return m_nId; }
    // Where the touch is now, where it was at the previous phase, and where it began.
    CCPoint getLocation() const { return m_point; }
    CCPoint getPreviousLocation() const { return m_prevPoint; }
    CCPoint getStartLocation() const { return m_startPoint; }
    CCPoint getDelta() const { return m_point - m_prevPoint; }
    // The same points with y pointing down from the top of the design area.
    CCPoint getLocationInView() const;
    CCPoint getPreviousLocationInView() const;

    // Sets the current point; the first call also sets the start point.
    void setTouchInfo(int id, const CCPoint& point);

private:
    int m_nId = 0;
    bool m_bStarted = false;
    CCPoint m_point, m_prevPoint, m_startPoint;
};

// Receives touches one at a time and may claim each (one-by-one mode).
class CCTargetedTouchDelegate {
public:
    virtual ~CCTargetedTouchDelegate() = default;
    // Returning true claims the touch: its later phases go to this delegate only.
    virtual bool ccTouchBegan(CCTouch* touch, CCEvent* event) { return false; }
    virtual void ccTouchMoved(CCTouch* touch, CCEvent* event) {}
    virtual void ccTouchEnded(CCTouch* touch, CCEvent* event) {}
    virtual void ccTouchCancelled(CCTouch* touch, CCEvent* event) {}
};

// Receives every unclaimed touch of a phase together (all-at-once mode).
class CCStandardTouchDelegate {
public:
    virtual ~CCStandardTouchDelegate() = default;
    virtual void ccTouchesBegan(CCSet* touches, CCEvent* event) {}
    virtual void ccTouchesMoved(CCSet* touches, CCEvent* event) {}
    virtual void ccTouchesEnded(CCSet* touches, CCEvent* event) {}
    virtual void ccTouchesCancelled(CCSet* touches, CCEvent* event) {}
};

class CCTouchDelegate : public CCTargetedTouchDelegate, public CCStandardTouchDelegate {
public:
    ~CCTouchDelegate() override = default;
};

} // namespace cc
