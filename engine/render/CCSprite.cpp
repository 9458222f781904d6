// Sprite construction, texture regions and drawing. The local quad is kept
// up to date when the region or flips change; colour is applied per draw.
#include "render/CCSprite.h"

#include "base/CCLog.h"
#include "render/CCSpriteFrame.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCDirector.h"

namespace cc {

namespace {
template <typename F>
CCSprite* makeSprite(F init)
{
    CCSprite* sprite = new CCSprite();
    if (init(sprite)) {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return nullptr;
}
} // namespace

CCSprite* CCSprite::create() { return makeSprite([](CCSprite* s) { return s->init(); }); }
CCSprite* CCSprite::create(const char* fileName)
{
    return makeSprite([fileName](CCSprite* s) { return s->initWithFile(fileName); });
}
CCSprite* CCSprite::create(const char* fileName, const CCRect& rect)
{
    return makeSprite([fileName, &rect](CCSprite* s) { return s->initWithFile(fileName, rect); });
}
CCSprite* CCSprite::createWithTexture(CCTexture2D* texture)
{
    return makeSprite([texture](CCSprite* s) { return s->initWithTexture(texture); });
}
CCSprite* CCSprite::createWithTexture(CCTexture2D* texture, const CCRect& rect)
{
    return makeSprite([texture, &rect](CCSprite* s) { return s->initWithTexture(texture, rect); });
}
CCSprite* CCSprite::createWithSpriteFrame(CCSpriteFrame* frame)
{
    return makeSprite([frame](CCSprite* s) { return s->initWithSpriteFrame(frame); });
}
CCSprite* CCSprite::createWithSpriteFrameName(const char* frameName)
{
    return makeSprite([frameName](CCSprite* s) { return s->initWithSpriteFrameName(frameName); });
}

CCSprite::CCSprite() : m_sBlendFunc(ccBlendFuncAlpha()) {}

CCSprite::~CCSprite() = default;

bool CCSprite::init()
{
    return initWithTexture(nullptr, CCRectZero, false);
}

bool CCSprite::initWithTexture(CCTexture2D* texture)
{
    if (!texture) return false;
    CCRect rect(0, 0, texture->getContentSize().width, texture->getContentSize().height);
    return initWithTexture(texture, rect, false);
}

bool CCSprite::initWithTexture(CCTexture2D* texture, const CCRect& rect)
{
    return initWithTexture(texture, rect, false);
}

bool CCSprite::initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated)
{
    if (!CCNodeRGBA::init()) return false;
    m_bFlipX = m_bFlipY = false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_obUnflippedOffsetPositionFromCenter = CCPointZero;
    setTexture(texture);
    setTextureRect(rect, rotated, rect.size);
    return true;
}

bool CCSprite::initWithFile(const char* fileName)
{
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(fileName);
    if (!texture || texture->isEmpty()) {
        init();
        return false;
    }
    return initWithTexture(texture);
}

bool CCSprite::initWithFile(const char* fileName, const CCRect& rect)
{
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(fileName);
    if (!texture || texture->isEmpty()) {
        init();
        return false;
    }
    return initWithTexture(texture, rect);
}

bool CCSprite::initWithSpriteFrame(CCSpriteFrame* frame)
{
    if (!frame) return false;
    if (!initWithTexture(frame->getTexture(), frame->getRect(), frame->isRotated())) return false;
    setDisplayFrame(frame);
    return true;
}

bool CCSprite::initWithSpriteFrameName(const char* frameName)
{
    CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(frameName);
    return frame ? initWithSpriteFrame(frame) : false;
}

void CCSprite::setTexture(CCTexture2D* texture)
{
    if (texture == m_pTexture) return;
    m_pTexture.reset(texture);
    updateLocalQuad();
}

void CCSprite::setTextureRect(const CCRect& rect)
{
    setTextureRect(rect, false, rect.size);
}

void CCSprite::setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize)
{
    m_bRectRotated = rotated;
    m_obRect = rect;
    setContentSize(untrimmedSize);
    updateLocalQuad();
}

void CCSprite::setDisplayFrame(CCSpriteFrame* frame)
{
    if (!frame) return;
    m_obUnflippedOffsetPositionFromCenter = frame->getOffset();
    if (frame->getTexture() != m_pTexture) setTexture(frame->getTexture());
    setTextureRect(frame->getRect(), frame->isRotated(), frame->getOriginalSize());
}

bool CCSprite::isFrameDisplayed(CCSpriteFrame* frame) const
{
    return frame && frame->getTexture() == m_pTexture && frame->getRect().equals(m_obRect) &&
           frame->isRotated() == m_bRectRotated;
}

CCSpriteFrame* CCSprite::displayFrame()
{
    if (!m_pTexture) return nullptr;
    return CCSpriteFrame::createWithTexture(m_pTexture.get(), m_obRect, m_bRectRotated,
                                            m_obUnflippedOffsetPositionFromCenter, getContentSize());
}

void CCSprite::setFlipX(bool flip)
{
    if (flip == m_bFlipX) return;
    m_bFlipX = flip;
    updateLocalQuad();
}

void CCSprite::setFlipY(bool flip)
{
    if (flip == m_bFlipY) return;
    m_bFlipY = flip;
    updateLocalQuad();
}

void CCSprite::updateLocalQuad()
{
    markForRedraw();
    // Where the trimmed region sits inside the untrimmed content box.
    CCPoint offset = m_obUnflippedOffsetPositionFromCenter;
    if (m_bFlipX) offset.x = -offset.x;
    if (m_bFlipY) offset.y = -offset.y;
    const CCSize& content = getContentSize();
    m_obOffsetPosition.x = offset.x + (content.width - m_obRect.size.width) / 2;
    m_obOffsetPosition.y = offset.y + (content.height - m_obRect.size.height) / 2;
    const float x1 = m_obOffsetPosition.x, y1 = m_obOffsetPosition.y;
    const float x2 = x1 + m_obRect.size.width, y2 = y1 + m_obRect.size.height;
    m_sLocalQuad[0].x = x1; m_sLocalQuad[0].y = y1;
    m_sLocalQuad[1].x = x2; m_sLocalQuad[1].y = y1;
    m_sLocalQuad[2].x = x1; m_sLocalQuad[2].y = y2;
    m_sLocalQuad[3].x = x2; m_sLocalQuad[3].y = y2;

    if (!m_pTexture || m_pTexture->isEmpty()) return;
    const float w = static_cast<float>(m_pTexture->getPixelsWide());
    const float h = static_cast<float>(m_pTexture->getPixelsHigh());
    if (m_bRectRotated) {
        // Stored a quarter turn clockwise: the region's width runs down the texture.
        float left = m_obRect.origin.x / w, right = (m_obRect.origin.x + m_obRect.size.height) / w;
        float top = m_obRect.origin.y / h, bottom = (m_obRect.origin.y + m_obRect.size.width) / h;
        if (m_bFlipX) std::swap(top, bottom);
        if (m_bFlipY) std::swap(left, right);
        m_sLocalQuad[0].u = left;  m_sLocalQuad[0].v = top;
        m_sLocalQuad[1].u = left;  m_sLocalQuad[1].v = bottom;
        m_sLocalQuad[2].u = right; m_sLocalQuad[2].v = top;
        m_sLocalQuad[3].u = right; m_sLocalQuad[3].v = bottom;
    } else {
        float left = m_obRect.origin.x / w, right = (m_obRect.origin.x + m_obRect.size.width) / w;
        float top = m_obRect.origin.y / h, bottom = (m_obRect.origin.y + m_obRect.size.height) / h;
        if (m_bFlipX) std::swap(left, right);
        if (m_bFlipY) std::swap(top, bottom);
        m_sLocalQuad[0].u = left;  m_sLocalQuad[0].v = bottom;
        m_sLocalQuad[1].u = right; m_sLocalQuad[1].v = bottom;
        m_sLocalQuad[2].u = left;  m_sLocalQuad[2].v = top;
        m_sLocalQuad[3].u = right; m_sLocalQuad[3].v = top;
    }
}

void CCSprite::worldQuad(const CCAffineTransform& t, ccV3F_C4B_T2F out[4]) const
{
    const ccColor3B& color = getDisplayedColor();
    const GLubyte alpha = getDisplayedOpacity();
    const bool premultiply = isOpacityModifyRGB();
    for (int i = 0; i < 4; ++i) {
        const ccV3F_C4B_T2F& local = m_sLocalQuad[i];
        ccV3F_C4B_T2F& v = out[i];
        v.x = t.a * local.x + t.c * local.y + t.tx;
        v.y = t.b * local.x + t.d * local.y + t.ty;
        v.z = m_fVertexZ;
        v.u = local.u;
        v.v = local.v;
        v.r = premultiply ? static_cast<GLubyte>(color.r * alpha / 255) : color.r;
        v.g = premultiply ? static_cast<GLubyte>(color.g * alpha / 255) : color.g;
        v.b = premultiply ? static_cast<GLubyte>(color.b * alpha / 255) : color.b;
        v.a = alpha;
    }
}

void CCSprite::draw()
{
    if (m_pBatchNode || !m_pTexture || m_pTexture->isEmpty()) return;
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer) return;
    ccV3F_C4B_T2F quad[4];
    worldQuad(CCNode::currentWorldTransform(), quad);
    renderer->drawQuads(m_pTexture.get(), m_sBlendFunc, quad, 1);
}

} // namespace cc
