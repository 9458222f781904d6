// Colour and blend value types shared by nodes, actions and the renderer.
#pragma once

#include <cstdint>

namespace cc {

typedef unsigned char GLubyte;

struct ccColor3B {
    GLubyte r = 0, g = 0, b = 0;
    bool operator==(const ccColor3B& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const ccColor3B& o) const { return !(*this == o); }
};
struct ccColor4B {
    GLubyte r = 0, g = 0, b = 0, a = 0;
};
struct ccColor4F {
    float r = 0, g = 0, b = 0, a = 0;
};

inline ccColor3B ccc3(GLubyte r, GLubyte g, GLubyte b) { ccColor3B c; c.r = r; c.g = g; c.b = b; return c; }
inline ccColor4B ccc4(GLubyte r, GLubyte g, GLubyte b, GLubyte a)
{
    ccColor4B c; c.r = r; c.g = g; c.b = b; c.a = a; return c;
}
inline ccColor4F ccc4f(float r, float g, float b, float a) { ccColor4F c; c.r = r; c.g = g; c.b = b; c.a = a; return c; }
inline ccColor4F ccc4FFromccc4B(ccColor4B c) { return ccc4f(c.r / 255.f, c.g / 255.f, c.b / 255.f, c.a / 255.f); }
inline ccColor4F ccc4FFromccc3B(ccColor3B c) { return ccc4f(c.r / 255.f, c.g / 255.f, c.b / 255.f, 1.f); }

static const ccColor3B ccWHITE = {255, 255, 255};
static const ccColor3B ccBLACK = {0, 0, 0};
static const ccColor3B ccRED = {255, 0, 0};
static const ccColor3B ccGREEN = {0, 255, 0};
static const ccColor3B ccBLUE = {0, 0, 255};
static const ccColor3B ccGRAY = {166, 166, 166};

struct ccBlendFunc {
    unsigned int src;
    unsigned int dst;
};

enum CCTextAlignment { kCCTextAlignmentLeft, kCCTextAlignmentCenter, kCCTextAlignmentRight };
enum CCVerticalTextAlignment {
    kCCVerticalTextAlignmentTop,
    kCCVerticalTextAlignmentCenter,
    kCCVerticalTextAlignmentBottom
};

} // namespace cc
