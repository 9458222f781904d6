// Timed changes of opacity and colour. They work through the target's
// colour interface (CCRGBAProtocol); a node without one is left untouched.
#pragma once

#include "actions/CCActionInterval.h"
#include "base/ccTypes.h"

namespace cc {

class CCRGBAProtocol;

class CCFadeTo : public CCActionInterval {
public:
    static CCFadeTo* create(float duration, GLubyte opacity);
    bool initWithDuration(float duration, GLubyte opacity);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

protected:
    CCRGBAProtocol* rgba() const;
    float m_from = 255.0f;
    float m_to = 255.0f;
};

// From fully transparent to opaque, whatever the opacity was.
class CCFadeIn : public CCFadeTo {
public:
    static CCFadeIn* create(float duration);
    void startWithTarget(CCNode* target) override;
    CCActionInterval* reverse() override;
};

// From opaque to fully transparent.
class CCFadeOut : public CCFadeTo {
public:
    static CCFadeOut* create(float duration);
    void startWithTarget(CCNode* target) override;
    CCActionInterval* reverse() override;
};

class CCTintTo : public CCActionInterval {
public:
    static CCTintTo* create(float duration, GLubyte red, GLubyte green, GLubyte blue);
    bool initWithDuration(float duration, const ccColor3B& color);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

private:
    ccColor3B m_from;
    ccColor3B m_to;
};

} // namespace cc
