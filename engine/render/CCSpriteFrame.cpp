// Sprite frames: plain values plus a retained texture.
#include "render/CCSpriteFrame.h"

#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"

namespace cc {

CCSpriteFrame* CCSpriteFrame::create(const char* fileName, const CCRect& rect)
{
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(fileName);
    if (!texture || texture->isEmpty()) return nullptr;
    return createWithTexture(texture, rect);
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* texture, const CCRect& rect)
{
    return createWithTexture(texture, rect, false, CCPointZero, rect.size);
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated,
                                                const CCPoint& offset, const CCSize& originalSize)
{
    CCSpriteFrame* frame = new CCSpriteFrame();
    if (!frame->initWithTexture(texture, rect, rotated, offset, originalSize)) {
        delete frame;
        return nullptr;
    }
    frame->autorelease();
    return frame;
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCPoint& offset,
                                    const CCSize& originalSize)
{
    if (!texture) return false;
    setTexture(texture);
    m_obRect = rect;
    m_bRotated = rotated;
    m_obOffset = offset;
    m_obOriginalSize = originalSize;
    return true;
}

CCSpriteFrame::~CCSpriteFrame() = default;

void CCSpriteFrame::setTexture(CCTexture2D* texture)
{
    if (texture == m_pTexture) return;
    m_pTexture.reset(texture);
}

} // namespace cc
