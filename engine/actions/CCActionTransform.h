// Timed changes of a node's position, scale and rotation. "To" actions take
// their starting value from the target when they start; "By" actions add to
// it. Colour and opacity changes are in CCActionColor.
#pragma once

#include "actions/CCActionInterval.h"
#include "base/CCGeometry.h"

namespace cc {

class CCMoveBy : public CCActionInterval {
public:
    static CCMoveBy* create(float duration, const CCPoint& delta);
    bool initWithDuration(float duration, const CCPoint& delta);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;
    CCMoveBy* reverse() override;

protected:
    CCPoint m_delta;
    CCPoint m_start;
};

class CCMoveTo : public CCMoveBy {
public:
    static CCMoveTo* create(float duration, const CCPoint& position);
    bool initWithDuration(float duration, const CCPoint& position);
    void startWithTarget(CCNode* target) override;
    CCMoveTo* reverse() override { return nullptr; }

private:
    CCPoint m_end;
};

class CCScaleTo : public CCActionInterval {
public:
    static CCScaleTo* create(float duration, float scale);
    static CCScaleTo* create(float duration, float scaleX, float scaleY);
    bool initWithDuration(float duration, float scaleX, float scaleY);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

protected:
    float m_startX = 1.0f, m_startY = 1.0f;
    float m_endX = 1.0f, m_endY = 1.0f;
    // The factors as given: the end for ScaleTo, the multiplier for ScaleBy.
    float m_argX = 1.0f, m_argY = 1.0f;
};

class CCScaleBy : public CCScaleTo {
public:
    static CCScaleBy* create(float duration, float scale);
    static CCScaleBy* create(float duration, float scaleX, float scaleY);
    void startWithTarget(CCNode* target) override;
    // Null when a factor is 0 (there is no way back).
    CCScaleBy* reverse() override;
};

// Degrees, clockwise; turns the shorter way round and ends exactly at the
// requested angle.
class CCRotateTo : public CCActionInterval {
public:
    static CCRotateTo* create(float duration, float angle);
    bool initWithDuration(float duration, float angle);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

private:
    float m_end = 0.0f;
    float m_start = 0.0f;
    float m_diff = 0.0f;
};

class CCRotateBy : public CCActionInterval {
public:
    static CCRotateBy* create(float duration, float angle);
    bool initWithDuration(float duration, float angle);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;
    CCRotateBy* reverse() override { return create(m_fDuration, -m_angle); }

private:
    float m_angle = 0.0f;
    float m_start = 0.0f;
};

} // namespace cc
