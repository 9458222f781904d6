// A textured rectangle: a region of a texture (possibly stored rotated in a
// sprite sheet), flips, colour and opacity. Draws itself through the
// renderer's batch, or is drawn by its CCSpriteBatchNode parent.
#pragma once

#include "base/CCRefPtr.h"
#include "base/ccTypes.h"
#include "render/CCRenderer.h"
#include "scene/CCNodeRGBA.h"

namespace cc {

class CCSpriteBatchNode;
class CCSpriteFrame;
class CCTexture2D;

class CCSprite : public CCNodeRGBA {
public:
    static CCSprite* create();
    static CCSprite* create(const char* fileName);
    static CCSprite* create(const char* fileName, const CCRect& rect);
    static CCSprite* createWithTexture(CCTexture2D* texture);
    static CCSprite* createWithTexture(CCTexture2D* texture, const CCRect& rect);
    static CCSprite* createWithSpriteFrame(CCSpriteFrame* frame);
    static CCSprite* createWithSpriteFrameName(const char* frameName);
    CCSprite();
    ~CCSprite() override;

    // An empty sprite: no texture, zero size; draws nothing.
    bool init() override;
    virtual bool initWithTexture(CCTexture2D* texture);
    virtual bool initWithTexture(CCTexture2D* texture, const CCRect& rect);
    virtual bool initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated);
    // False (the sprite stays empty) when the image cannot be loaded.
    virtual bool initWithFile(const char* fileName);
    virtual bool initWithFile(const char* fileName, const CCRect& rect);
    virtual bool initWithSpriteFrame(CCSpriteFrame* frame);
    // False when the shared frame cache has no frame of that name.
    virtual bool initWithSpriteFrameName(const char* frameName);

    virtual void setTexture(CCTexture2D* texture);
    virtual CCTexture2D* getTexture() const { return m_pTexture.get(); }
    // The texture region, in texture pixels with y down from the top.
    virtual void setTextureRect(const CCRect& rect);
    virtual void setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize);
    const CCRect& getTextureRect() const { return m_obRect; }
    bool isTextureRectRotated() const { return m_bRectRotated; }
    const CCPoint& getOffsetPosition() const { return m_obOffsetPosition; }

    virtual void setDisplayFrame(CCSpriteFrame* frame);
    virtual bool isFrameDisplayed(CCSpriteFrame* frame) const;
    // A new autoreleased frame describing what the sprite shows.
    virtual CCSpriteFrame* displayFrame();

    void setFlipX(bool flip);
    void setFlipY(bool flip);
    bool isFlipX() const { return m_bFlipX; }
    bool isFlipY() const { return m_bFlipY; }
    void setBlendFunc(const ccBlendFunc& blend)
    {
        m_sBlendFunc = blend;
        markForRedraw();
    }
    const ccBlendFunc& getBlendFunc() const { return m_sBlendFunc; }

    void draw() override;

    // The batch node that draws this sprite instead of itself (set by the batch node).
    void setBatchNode(CCSpriteBatchNode* batch) { m_pBatchNode = batch; }
    CCSpriteBatchNode* getBatchNode() const { return m_pBatchNode; }
    // The four corners (bottom-left, bottom-right, top-left, top-right) with
    // colour and texture coordinates, placed by the node-to-world transform.
    void worldQuad(const CCAffineTransform& toWorld, ccV3F_C4B_T2F out[4]) const;

protected:
    void updateLocalQuad();

    CCRefPtr<CCTexture2D> m_pTexture;
    // Not retained: the batch is the parent, and clears this when it goes.
    CCSpriteBatchNode* m_pBatchNode = nullptr;
    CCRect m_obRect;
    CCPoint m_obUnflippedOffsetPositionFromCenter;
    CCPoint m_obOffsetPosition;
    ccV3F_C4B_T2F m_sLocalQuad[4];
    ccBlendFunc m_sBlendFunc;
    bool m_bRectRotated = false;
    bool m_bFlipX = false;
    bool m_bFlipY = false;
};

} // namespace cc
