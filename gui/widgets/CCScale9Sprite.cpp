// The nine-slice sprite: cutting a region into nine cells, laying the cells
// out for the current size at the next visit, and passing colour on to them.
#include "gui/widgets/CCScale9Sprite.h"

#include "base/CCLog.h"
#include "render/CCSprite.h"
#include "render/CCSpriteBatchNode.h"
#include "render/CCSpriteFrame.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTexture2D.h"

namespace cc {

namespace {
// Nine cells share one texture; the batch never needs more room than that.
const unsigned int kCellCapacity = 9;
// A quarter turn, for regions stored turned in their sheet.
const float kQuarterTurn = 1.5707964f;

// Tags of the cells inside the batch node.
enum CellTag {
    kTagCentre = 0, kTagTop = 1, kTagLeft = 2, kTagRight = 3, kTagBottom = 4,
    kTagTopRight = 5, kTagTopLeft = 6, kTagBottomRight = 7, kTagBottomLeft = 8,
};
// Corners above edges, edges above the centre.
const int kZCentre = 0, kZEdge = 1, kZCorner = 2;

bool isZeroRect(const CCRect& r) { return r.equals(CCRectZero); }

// A cell sprite owned by the nine-slice sprite (its one reference, not autoreleased).
CCRefPtr<CCSprite> makeCell(CCTexture2D* texture, const CCRect& rect, bool rotated)
{
    CCRefPtr<CCSprite> cell = CCRefPtr<CCSprite>::adopt(new CCSprite());
    cell->initWithTexture(texture, rect, rotated);
    return cell;
}
} // namespace

CCScale9Sprite* CCScale9Sprite::create()
{
    CCScale9Sprite* sprite = new CCScale9Sprite();
    return autoreleasedOrNull(sprite, sprite->init());
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* frame)
{
    CCScale9Sprite* sprite = new CCScale9Sprite();
    return autoreleasedOrNull(sprite, sprite->CCNodeRGBA::init() && sprite->initWithSpriteFrame(frame));
}

CCScale9Sprite::CCScale9Sprite() {}

CCScale9Sprite::~CCScale9Sprite()
{
    // The cells go in their order; the batch follows after this body.
    releaseCells();
}

void CCScale9Sprite::releaseCells()
{
    m_topLeft.reset();
    m_top.reset();
    m_topRight.reset();
    m_left.reset();
    m_centre.reset();
    m_right.reset();
    m_bottomLeft.reset();
    m_bottom.reset();
    m_bottomRight.reset();
}

bool CCScale9Sprite::init()
{
    if (!CCNodeRGBA::init()) return false;
    return initWithBatchNode(nullptr, CCRectZero, CCRectZero);
}

// ---- Initialisers -------------------------------------------------------------

bool CCScale9Sprite::initWithBatchNode(CCSpriteBatchNode* batch, const CCRect& rect, const CCRect& capInsets)
{
    return initWithBatchNode(batch, rect, false, capInsets);
}

bool CCScale9Sprite::initWithBatchNode(CCSpriteBatchNode* batch, const CCRect& rect, bool rotated,
                                       const CCRect& capInsets)
{
    if (batch) {
        rebuildSlices(batch, rect, rotated, capInsets);
        setAnchorPoint(CCPoint(0.5f, 0.5f));
    }
    m_positionsAreDirty = true;
    return true;
}

bool CCScale9Sprite::initWithFile(const char* file) { return initWithFile(file, CCRectZero, CCRectZero); }

bool CCScale9Sprite::initWithFile(const CCRect& capInsets, const char* file)
{
    return initWithFile(file, CCRectZero, capInsets);
}

bool CCScale9Sprite::initWithFile(const char* file, const CCRect& capInsets)
{
    return initWithFile(file, CCRectZero, capInsets);
}

bool CCScale9Sprite::initWithFile(const char* file, const CCRect& rect, const CCRect& capInsets)
{
    // An image the engine cannot load gives no batch: the sprite stays empty.
    CCSpriteBatchNode* batch = file ? CCSpriteBatchNode::create(file, kCellCapacity) : nullptr;
    return initWithBatchNode(batch, rect, capInsets);
}

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* frame) { return initWithSpriteFrame(frame, CCRectZero); }

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* frame, const CCRect& capInsets)
{
    if (!frame) return false;
    CCSpriteBatchNode* batch = CCSpriteBatchNode::createWithTexture(frame->getTexture(), kCellCapacity);
    return initWithBatchNode(batch, frame->getRect(), frame->isRotated(), capInsets);
}

bool CCScale9Sprite::initWithSpriteFrameName(const char* name) { return initWithSpriteFrameName(name, CCRectZero); }

bool CCScale9Sprite::initWithSpriteFrameName(const char* name, const CCRect& capInsets)
{
    if (!name) return false;
    CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(name);
    if (!frame) return false;
    return initWithSpriteFrame(frame, capInsets);
}

void CCScale9Sprite::setSpriteFrame(CCSpriteFrame* frame)
{
    if (!frame) return;
    CCSpriteBatchNode* batch = CCSpriteBatchNode::createWithTexture(frame->getTexture(), kCellCapacity);
    rebuildSlices(batch, frame->getRect(), frame->isRotated(), CCRectZero);
    m_insetLeft = m_insetTop = m_insetRight = m_insetBottom = 0;
}

// ---- Cutting the region ------------------------------------------------------

bool CCScale9Sprite::rebuildSlices(CCSpriteBatchNode* batch, const CCRect& rectIn, bool rotated,
                                   const CCRect& capInsets)
{
    if (!batch) return false;
    const GLubyte opacity = getOpacity();
    const ccColor3B color = getColor();

    removeAllChildrenWithCleanup(true);
    releaseCells();

    if (batch != m_scale9Image) {
        m_scale9Image.reset(batch);
    }
    m_scale9Image->removeAllChildrenWithCleanup(true);

    m_capInsets = capInsets;
    m_spriteFrameRotated = rotated;

    CCTexture2D* texture = m_scale9Image->getTexture();
    CCRect rect = rectIn;
    if (isZeroRect(rect)) {
        const CCSize textureSize = texture ? texture->getContentSize() : CCSizeZero;
        rect = CCRect(0, 0, textureSize.width, textureSize.height);
    }
    m_spriteRect = rect;
    m_originalSize = rect.size;
    m_preferredSize = m_originalSize;
    m_capInsetsInternal = capInsets;
    const float w = rect.size.width, h = rect.size.height;
    if (isZeroRect(m_capInsetsInternal)) m_capInsetsInternal = CCRect(w / 3, h / 3, w / 3, h / 3);

    const float l = m_capInsetsInternal.origin.x, t = m_capInsetsInternal.origin.y;
    const float cw = m_capInsetsInternal.size.width, ch = m_capInsetsInternal.size.height;
    const float r = w - (l + cw), b = h - (t + ch);

    // Regions relative to the region's top-left corner, y growing downwards.
    CCRect centreBounds(l, t, cw, ch), topBounds(l, 0, cw, t), topLeftBounds(0, 0, l, t),
        topRightBounds(l + cw, 0, r, t), leftBounds(0, t, l, ch), rightBounds(l + cw, t, r, ch),
        bottomLeftBounds(0, t + ch, l, b), bottomBounds(l, t + ch, cw, b), bottomRightBounds(l + cw, t + ch, r, b);
    CCRect* regions[9] = {&centreBounds, &topBounds, &bottomBounds, &leftBounds, &rightBounds,
                          &topLeftBounds, &topRightBounds, &bottomLeftBounds, &bottomRightBounds};

    if (!rotated) {
        const CCAffineTransform toTexture =
            CCAffineTransformTranslate(CCAffineTransformIdentity, rect.origin.x, rect.origin.y);
        for (CCRect* region : regions) *region = CCRectApplyAffineTransform(*region, toTexture);
    } else {
        // The region lies turned a quarter in the texture: move each cell's
        // origin there and let the cell sprite turn its own rectangle back.
        CCAffineTransform toTexture = CCAffineTransformIdentity;
        toTexture = CCAffineTransformTranslate(toTexture, rect.origin.x + rect.size.height, rect.origin.y);
        toTexture = CCAffineTransformRotate(toTexture, kQuarterTurn);
        for (CCRect* region : regions) {
            const CCRect moved = CCRectApplyAffineTransform(*region, toTexture);
            region->origin = moved.origin;
        }
    }

    m_centre = makeCell(texture, centreBounds, rotated);
    m_scale9Image->addChild(m_centre.get(), kZCentre, kTagCentre);
    m_top = makeCell(texture, topBounds, rotated);
    m_scale9Image->addChild(m_top.get(), kZEdge, kTagTop);
    m_bottom = makeCell(texture, bottomBounds, rotated);
    m_scale9Image->addChild(m_bottom.get(), kZEdge, kTagBottom);
    m_left = makeCell(texture, leftBounds, rotated);
    m_scale9Image->addChild(m_left.get(), kZEdge, kTagLeft);
    m_right = makeCell(texture, rightBounds, rotated);
    m_scale9Image->addChild(m_right.get(), kZEdge, kTagRight);
    m_topLeft = makeCell(texture, topLeftBounds, rotated);
    m_scale9Image->addChild(m_topLeft.get(), kZCorner, kTagTopLeft);
    m_topRight = makeCell(texture, topRightBounds, rotated);
    m_scale9Image->addChild(m_topRight.get(), kZCorner, kTagTopRight);
    m_bottomLeft = makeCell(texture, bottomLeftBounds, rotated);
    m_scale9Image->addChild(m_bottomLeft.get(), kZCorner, kTagBottomLeft);
    m_bottomRight = makeCell(texture, bottomRightBounds, rotated);
    m_scale9Image->addChild(m_bottomRight.get(), kZCorner, kTagBottomRight);

    setContentSize(m_originalSize);
    addChild(m_scale9Image.get());

    // A rebuild keeps the tint the sprite had.
    if (m_spritesGenerated) {
        setOpacity(opacity);
        setColor(color);
    }
    m_spritesGenerated = true;
    return true;
}

// ---- Sizes and layout --------------------------------------------------------

void CCScale9Sprite::setContentSize(const CCSize& size)
{
    CCNodeRGBA::setContentSize(size);
    m_positionsAreDirty = true;
}

void CCScale9Sprite::setPreferredSize(const CCSize& size)
{
    setContentSize(size);
    m_preferredSize = size;
}

void CCScale9Sprite::setCapInsets(const CCRect& capInsets)
{
    if (!m_scale9Image) return;
    const CCSize contentSize = m_obContentSize;
    rebuildSlices(m_scale9Image.get(), m_spriteRect, m_spriteFrameRotated, capInsets);
    setContentSize(contentSize);
}

void CCScale9Sprite::visit()
{
    if (m_positionsAreDirty) {
        updatePositions();
        m_positionsAreDirty = false;
    }
    CCNodeRGBA::visit();
}

void CCScale9Sprite::updatePositions()
{
    if (!(m_topLeft && m_topRight && m_bottomRight && m_bottomLeft && m_centre)) return;
    const CCSize centreSize = m_centre->getContentSize();
    if (centreSize.width == 0 || centreSize.height == 0) {
        // No stretch factor exists for an empty centre: keep the last layout.
        CCLog("CCScale9Sprite: the centre cell is empty, layout skipped");
        return;
    }
    const CCSize size = m_obContentSize;
    const float sizableWidth = size.width - m_topLeft->getContentSize().width - m_topRight->getContentSize().width;
    const float sizableHeight =
        size.height - m_topLeft->getContentSize().height - m_bottomRight->getContentSize().height;
    const float horizontalScale = sizableWidth / centreSize.width;
    const float verticalScale = sizableHeight / centreSize.height;
    m_centre->setScaleX(horizontalScale);
    m_centre->setScaleY(verticalScale);

    const float rescaledWidth = centreSize.width * horizontalScale;
    const float rescaledHeight = centreSize.height * verticalScale;
    const float leftWidth = m_bottomLeft->getContentSize().width;
    const float bottomHeight = m_bottomLeft->getContentSize().height;

    CCSprite* cells[9] = {m_bottomLeft.get(), m_bottomRight.get(), m_topLeft.get(),
                          m_topRight.get(),   m_left.get(),        m_right.get(),
                          m_bottom.get(),     m_top.get(),         m_centre.get()};
    for (CCSprite* cell : cells) cell->setAnchorPoint(CCPointZero);

    m_bottomLeft->setPosition(0, 0);
    m_bottomRight->setPosition(leftWidth + rescaledWidth, 0);
    m_topLeft->setPosition(0, bottomHeight + rescaledHeight);
    m_topRight->setPosition(leftWidth + rescaledWidth, bottomHeight + rescaledHeight);
    m_left->setPosition(0, bottomHeight);
    m_left->setScaleY(verticalScale);
    m_right->setPosition(leftWidth + rescaledWidth, bottomHeight);
    m_right->setScaleY(verticalScale);
    m_bottom->setPosition(leftWidth, 0);
    m_bottom->setScaleX(horizontalScale);
    m_top->setPosition(leftWidth, bottomHeight + rescaledHeight);
    m_top->setScaleX(horizontalScale);
    m_centre->setPosition(leftWidth, bottomHeight);
}

CCSprite* CCScale9Sprite::cellAt(int row, int column) const
{
    CCSprite* const grid[3][3] = {{m_topLeft.get(), m_top.get(), m_topRight.get()},
                                  {m_left.get(), m_centre.get(), m_right.get()},
                                  {m_bottomLeft.get(), m_bottom.get(), m_bottomRight.get()}};
    if (row < 0 || row > 2 || column < 0 || column > 2) return nullptr;
    return grid[row][column];
}

// ---- Margins -----------------------------------------------------------------

void CCScale9Sprite::setInsetLeft(float value) { m_insetLeft = value; updateCapInsetsFromMargins(); }
void CCScale9Sprite::setInsetTop(float value) { m_insetTop = value; updateCapInsetsFromMargins(); }
void CCScale9Sprite::setInsetRight(float value) { m_insetRight = value; updateCapInsetsFromMargins(); }
void CCScale9Sprite::setInsetBottom(float value) { m_insetBottom = value; updateCapInsetsFromMargins(); }

void CCScale9Sprite::updateCapInsetsFromMargins()
{
    CCRect insets;
    const float w = m_spriteRect.size.width, h = m_spriteRect.size.height;
    if (m_insetLeft == 0 && m_insetTop == 0 && m_insetRight == 0 && m_insetBottom == 0) {
        insets = CCRectZero;
    } else if (m_spriteFrameRotated) {
        insets = CCRect(m_insetBottom, m_insetLeft, w - m_insetRight - m_insetLeft, h - m_insetTop - m_insetBottom);
    } else {
        insets = CCRect(m_insetLeft, m_insetTop, w - m_insetLeft - m_insetRight, h - m_insetTop - m_insetBottom);
    }
    setCapInsets(insets);
}

// ---- Colour ------------------------------------------------------------------

// Hands a colour setting to each of the nine cells.
template <class Apply>
static void forEachCellOf(CCNode* batch, Apply apply)
{
    CCArray* cells = batch->getChildren();
    for (unsigned int i = 0; cells && i < cells->count(); ++i) {
        if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(cells->objectAtIndex(i))) apply(rgba);
    }
}

void CCScale9Sprite::setColor(const ccColor3B& color)
{
    if (!m_scale9Image) return;
    m_colorUnmodified = color;
    forEachCellOf(m_scale9Image.get(), [&](CCRGBAProtocol* cell) { cell->setColor(color); });
}

void CCScale9Sprite::setOpacity(GLubyte opacity)
{
    if (!m_scale9Image) return;
    m_opacity = opacity;
    forEachCellOf(m_scale9Image.get(), [&](CCRGBAProtocol* cell) { cell->setOpacity(opacity); });
}

void CCScale9Sprite::setOpacityModifyRGB(bool value)
{
    if (!m_scale9Image) return;
    m_opacityModifiesRGB = value;
    forEachCellOf(m_scale9Image.get(), [&](CCRGBAProtocol* cell) { cell->setOpacityModifyRGB(value); });
}

void CCScale9Sprite::updateDisplayedColor(const ccColor3B& parentColor)
{
    CCNodeRGBA::updateDisplayedColor(parentColor);
    setColor(parentColor);
}

void CCScale9Sprite::updateDisplayedOpacity(GLubyte parentOpacity)
{
    CCNodeRGBA::updateDisplayedOpacity(parentOpacity);
    setOpacity(parentOpacity);
}

} // namespace cc
