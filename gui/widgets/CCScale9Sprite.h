// A texture region drawn stretched to any size with undistorted borders: the
// region is cut into a 3 x 3 grid whose nine cells are sprites in one batch
// node (one draw call). Loading images is left to the engine's caches.
#pragma once

#include "base/CCGeometry.h"
#include "base/CCRefPtr.h"
#include "scene/CCNodeRGBA.h"

namespace cc {

class CCSprite;
class CCSpriteBatchNode;
class CCSpriteFrame;

class CCScale9Sprite : public CCNodeRGBA {
public:
    // An empty nine-slice sprite (no texture, no cells), or null.
    static CCScale9Sprite* create();
    static CCScale9Sprite* createWithSpriteFrame(CCSpriteFrame* frame);
    CCScale9Sprite();
    ~CCScale9Sprite() override;

    bool init() override;
    void setContentSize(const CCSize& size) override;
    // Lays the cells out first when a size or inset change is pending.
    void visit() override;

    // ---- Colour: stored here and handed to the cells; ignored until a texture is loaded.
    void setColor(const ccColor3B& color) override;
    const ccColor3B& getColor() const override { return m_colorUnmodified; }
    GLubyte getOpacity() const override { return m_opacity; }
    void setOpacity(GLubyte opacity) override;
    void setOpacityModifyRGB(bool value) override;
    bool isOpacityModifyRGB() const override { return m_opacityModifiesRGB; }
    // A parent's cascading colour or opacity replaces the stored one.
    void updateDisplayedColor(const ccColor3B& parentColor) override;
    void updateDisplayedOpacity(GLubyte parentOpacity) override;

    // ---- Sizes and insets
    virtual CCSize getRegionSize() const { return m_originalSize; }
    // The untouched size of the sliced region (the same as getRegionSize).
    CCSize getOriginalSize() const { return m_originalSize; }
    virtual CCSize getPreferredSize() const { return m_preferredSize; }
    virtual void setPreferredSize(const CCSize& size);
    virtual CCRect getCapInsets() const { return m_capInsets; }
    // Rebuilds the cells with the new centre rectangle, keeping the content size.
    virtual void setCapInsets(const CCRect& capInsets);
    // Margins (distance of the centre cell from each edge), turned into cap insets.
    virtual float getInsetLeft() const { return m_insetLeft; }
    virtual void setInsetLeft(float value);
    virtual float getInsetTop() const { return m_insetTop; }
    virtual void setInsetTop(float value);
    virtual float getInsetRight() const { return m_insetRight; }
    virtual void setInsetRight(float value);
    virtual float getInsetBottom() const { return m_insetBottom; }
    virtual void setInsetBottom(float value);

    // ---- Initialisers. A zero rectangle means the whole texture; zero insets
    // mean equal thirds. All succeed unless a named frame is missing.
    virtual bool initWithBatchNode(CCSpriteBatchNode* batch, const CCRect& rect, const CCRect& capInsets);
    virtual bool initWithBatchNode(CCSpriteBatchNode* batch, const CCRect& rect, bool rotated,
                                   const CCRect& capInsets);
    virtual bool initWithFile(const char* file);
    virtual bool initWithFile(const CCRect& capInsets, const char* file);
    virtual bool initWithFile(const char* file, const CCRect& capInsets);
    virtual bool initWithFile(const char* file, const CCRect& rect, const CCRect& capInsets);
    virtual bool initWithSpriteFrame(CCSpriteFrame* frame);
    virtual bool initWithSpriteFrame(CCSpriteFrame* frame, const CCRect& capInsets);
    virtual bool initWithSpriteFrameName(const char* name);
    virtual bool initWithSpriteFrameName(const char* name, const CCRect& capInsets);
    // Throws the cells away and cuts the region again.
    virtual bool rebuildSlices(CCSpriteBatchNode* batch, const CCRect& rect, bool rotated, const CCRect& capInsets);
    virtual void setSpriteFrame(CCSpriteFrame* frame);

    // ---- Read-back for tests and tools
    CCSpriteBatchNode* getBatchNode() const { return m_scale9Image.get(); }
    const CCRect& getSpriteRect() const { return m_spriteRect; }
    bool isSpriteFrameRotated() const { return m_spriteFrameRotated; }
    bool arePositionsDirty() const { return m_positionsAreDirty; }
    // Cells by grid place: row 0 is the top row, column 0 the left column.
    CCSprite* cellAt(int row, int column) const;

private:
    void updatePositions();
    void updateCapInsetsFromMargins();
    void releaseCells();

    CCSize m_originalSize;
    CCSize m_preferredSize;
    CCRect m_capInsets;
    float m_insetLeft = 0, m_insetTop = 0, m_insetRight = 0, m_insetBottom = 0;
    bool m_spritesGenerated = false;
    CCRect m_spriteRect;
    bool m_spriteFrameRotated = false;
    CCRect m_capInsetsInternal;
    bool m_positionsAreDirty = false;
    CCRefPtr<CCSpriteBatchNode> m_scale9Image;
    CCRefPtr<CCSprite> m_topLeft; // the nine cells
    CCRefPtr<CCSprite> m_top;
    CCRefPtr<CCSprite> m_topRight;
    CCRefPtr<CCSprite> m_left;
    CCRefPtr<CCSprite> m_centre;
    CCRefPtr<CCSprite> m_right;
    CCRefPtr<CCSprite> m_bottomLeft;
    CCRefPtr<CCSprite> m_bottom;
    CCRefPtr<CCSprite> m_bottomRight;
    bool m_opacityModifiesRGB = false;
    GLubyte m_opacity = 255;
    ccColor3B m_colorUnmodified = ccWHITE;
};

} // namespace cc
