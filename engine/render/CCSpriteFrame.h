// One picture inside a texture: its rectangle (in texture pixels, y down),
// whether it is stored turned a quarter clockwise, the offset of its trimmed
// centre from the untrimmed centre, and the untrimmed size.
#pragma once

#include "base/CCRefPtr.h"
#include "base/CCGeometry.h"
#include "base/CCObject.h"

namespace cc {

class CCTexture2D;

class CCSpriteFrame : public CCObject {
public:
    static CCSpriteFrame* create(const char* fileName, const CCRect& rect);
    static CCSpriteFrame* createWithTexture(CCTexture2D* texture, const CCRect& rect);
    static CCSpriteFrame* createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize);
    bool initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCPoint& offset,
                         const CCSize& originalSize);
    ~CCSpriteFrame() override;

    const CCRect& getRect() const { return m_obRect; }
    void setRect(const CCRect& rect) { m_obRect = rect; }
    bool isRotated() const { return m_bRotated; }
    void setRotated(bool rotated) { m_bRotated = rotated; }
    const CCPoint& getOffset() const { return m_obOffset; }
    void setOffset(const CCPoint& offset) { m_obOffset = offset; }
    const CCSize& getOriginalSize() const { return m_obOriginalSize; }
    void setOriginalSize(const CCSize& size) { m_obOriginalSize = size; }
    CCTexture2D* getTexture() const { return m_pTexture.get(); }
    void setTexture(CCTexture2D* texture);

private:
    CCRect m_obRect;
    CCPoint m_obOffset;
    CCSize m_obOriginalSize;
    CCRefPtr<CCTexture2D> m_pTexture;
    bool m_bRotated = false;
};

} // namespace cc
