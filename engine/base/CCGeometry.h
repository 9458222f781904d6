// Plain value geometry in design-space points: points, sizes, rectangles and
// 2D affine transforms. Nothing here allocates or logs.
#pragma once

#include <cmath>

namespace cc {

class CCPoint {
public:
    float x = 0, y = 0;
    CCPoint() = default;
    CCPoint(float px, float py) : x(px), y(py) {}
    void setPoint(float px, float py) { x = px; y = py; }
    bool equals(const CCPoint& p) const { return x == p.x && y == p.y; }
    CCPoint operator+(const CCPoint& p) const { return CCPoint(x + p.x, y + p.y); }
    CCPoint operator-(const CCPoint& p) const { return CCPoint(x - p.x, y - p.y); }
    CCPoint operator-() const { return CCPoint(-x, -y); }
    CCPoint operator*(float s) const { return CCPoint(x * s, y * s); }
    CCPoint operator/(float s) const { return CCPoint(x / s, y / s); }
    bool operator==(const CCPoint& p) const { return equals(p); }
    bool operator!=(const CCPoint& p) const { return !equals(p); }
    float getLength() const { return std::sqrt(x * x + y * y); }
    float getDistance(const CCPoint& p) const { return (*this - p).getLength(); }
};

class CCSize {
public:
    float width = 0, height = 0;
    CCSize() = default;
    CCSize(float w, float h) : width(w), height(h) {}
    void setSize(float w, float h) { width = w; height = h; }
    bool equals(const CCSize& s) const { return width == s.width && height == s.height; }
    bool operator==(const CCSize& s) const { return equals(s); }
    bool operator!=(const CCSize& s) const { return !equals(s); }
    CCSize operator*(float s) const { return CCSize(width * s, height * s); }
};

class CCRect {
public:
    CCPoint origin;
    CCSize size;
    CCRect() = default;
    CCRect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}
    void setRect(float x, float y, float w, float h) { origin.setPoint(x, y); size.setSize(w, h); }
    float getMinX() const { return origin.x; }
    float getMidX() const { return origin.x + size.width / 2.0f; }
    float getMaxX() const { return origin.x + size.width; }
    float getMinY() const { return origin.y; }
    float getMidY() const { return origin.y + size.height / 2.0f; }
    float getMaxY() const { return origin.y + size.height; }
    bool equals(const CCRect& r) const { return origin.equals(r.origin) && size.equals(r.size); }
    // Edges count as inside on all four sides.
    bool containsPoint(const CCPoint& p) const
    {
        return p.x >= getMinX() && p.x <= getMaxX() && p.y >= getMinY() && p.y <= getMaxY();
    }
    bool intersectsRect(const CCRect& r) const
    {
        return !(getMaxX() < r.getMinX() || r.getMaxX() < getMinX() || getMaxY() < r.getMinY() ||
                 r.getMaxY() < getMinY());
    }
};

inline CCPoint ccp(float x, float y) { return CCPoint(x, y); }
#define CCPointMake(x, y) cc::CCPoint((float)(x), (float)(y))
#define CCSizeMake(w, h) cc::CCSize((float)(w), (float)(h))
#define CCRectMake(x, y, w, h) cc::CCRect((float)(x), (float)(y), (float)(w), (float)(h))
extern const CCPoint CCPointZero;
extern const CCSize CCSizeZero;
extern const CCRect CCRectZero;

inline CCPoint ccpAdd(const CCPoint& a, const CCPoint& b) { return a + b; }
inline CCPoint ccpSub(const CCPoint& a, const CCPoint& b) { return a - b; }
inline CCPoint ccpMult(const CCPoint& a, float s) { return a * s; }
inline CCPoint ccpNeg(const CCPoint& a) { return -a; }
inline float ccpLength(const CCPoint& a) { return a.getLength(); }
inline float ccpDistance(const CCPoint& a, const CCPoint& b) { return a.getDistance(b); }

// Affine transform [a c tx; b d ty; 0 0 1] applied to column vectors.
struct CCAffineTransform {
    float a, b, c, d;
    float tx, ty;
};

CCAffineTransform CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty);
CCAffineTransform CCAffineTransformMakeIdentity();
CCPoint CCPointApplyAffineTransform(const CCPoint& point, const CCAffineTransform& t);
CCSize CCSizeApplyAffineTransform(const CCSize& size, const CCAffineTransform& t);
// Bounding box of the transformed rectangle's four corners.
CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t);
CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty);
// Rotation by anAngle radians, counter-clockwise in a y-up space.
CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float anAngle);
CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy);
// t1 followed by t2.
CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2);
bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2);
CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t);
extern const CCAffineTransform CCAffineTransformIdentity;

#define CC_DEGREES_TO_RADIANS(__ANGLE__) ((__ANGLE__) * 0.01745329252f)
#define CC_RADIANS_TO_DEGREES(__ANGLE__) ((__ANGLE__) * 57.29577951f)

} // namespace cc
