// Text label on SDL_ttf. Every setter that changes the look renders again at
// once: labels change rarely, and callers read the content size right away.
#include "text/CCLabelTTF.h"

#include "render/CCTexture2D.h"
#include "text/CCFontCache.h"
#include "text/CCTextTextureCache.h"
#include "text/CCTextLayout.h"

namespace cc {

namespace {
template <typename F>
CCLabelTTF* makeLabel(F init)
{
    CCLabelTTF* label = new CCLabelTTF();
    if (init(label)) {
        label->autorelease();
        return label;
    }
    delete label;
    return nullptr;
}
} // namespace

CCLabelTTF* CCLabelTTF::create()
{
    return makeLabel([](CCLabelTTF* l) { return l->init(); });
}

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize)
{
    return makeLabel([=](CCLabelTTF* l) { return l->initWithString(text, fontName, fontSize); });
}

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                               CCTextAlignment hAlignment)
{
    return makeLabel([&](CCLabelTTF* l) { return l->initWithString(text, fontName, fontSize, dimensions, hAlignment); });
}

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                               CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment)
{
    return makeLabel([&](CCLabelTTF* l) {
        return l->initWithString(text, fontName, fontSize, dimensions, hAlignment, vAlignment);
    });
}

CCLabelTTF::CCLabelTTF() = default;
CCLabelTTF::~CCLabelTTF() = default;

bool CCLabelTTF::init()
{
    return initWithString("", kDefaultFontName, kDefaultFontSize);
}

bool CCLabelTTF::initWithString(const char* text, const char* fontName, float fontSize)
{
    return initWithString(text, fontName, fontSize, CCSizeZero, kCCTextAlignmentLeft, kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                                CCTextAlignment hAlignment)
{
    return initWithString(text, fontName, fontSize, dimensions, hAlignment, kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                                CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment)
{
    if (!CCSprite::init()) return false;
    m_string = ccTextPrefix(text ? text : "", kMaxLabelTextBytes); // more is never shown
    m_fontName = fontName ? fontName : kDefaultFontName;
    m_fFontSize = fontSize;
    m_tDimensions = dimensions;
    m_hAlignment = hAlignment;
    m_vAlignment = vAlignment;
    // A missing font still leaves a usable (empty) label; the resolver has
    // already said why.
    updateTexture();
    return true;
}

void CCLabelTTF::setString(const char* text)
{
    const std::string next = ccTextPrefix(text ? text : "", kMaxLabelTextBytes);
    if (next == m_string) return;
    m_string = next;
    updateTexture();
}

void CCLabelTTF::setFontName(const char* fontName)
{
    const std::string next = fontName ? fontName : kDefaultFontName;
    if (next == m_fontName) return;
    m_fontName = next;
    updateTexture();
}

void CCLabelTTF::setFontSize(float size)
{
    if (size == m_fFontSize) return;
    m_fFontSize = size;
    updateTexture();
}

void CCLabelTTF::setDimensions(const CCSize& dimensions)
{
    if (dimensions.equals(m_tDimensions)) return;
    m_tDimensions = dimensions;
    updateTexture();
}

void CCLabelTTF::setHorizontalAlignment(CCTextAlignment alignment)
{
    if (alignment == m_hAlignment) return;
    m_hAlignment = alignment;
    updateTexture();
}

void CCLabelTTF::setVerticalAlignment(CCVerticalTextAlignment alignment)
{
    if (alignment == m_vAlignment) return;
    m_vAlignment = alignment;
    updateTexture();
}

bool CCLabelTTF::updateTexture()
{
    TTF_Font* font = CCFontCache::shared()->fontForName(m_fontName, m_fFontSize);
    CCTextImage layout;
    ccRenderText(font, m_string, m_tDimensions, m_hAlignment, m_vAlignment, layout, false);
    m_lines = layout.lines;
    m_lineX = layout.lineX;
    if (layout.width == 0) {
        m_pixelsStale = false;
        CCSprite::setTexture(nullptr);
        setTextureRect(CCRectZero);
        return font != nullptr;
    }
    m_pixelsStale = true;
    setTextureRect(CCRect(0, 0, static_cast<float>(layout.width), static_cast<float>(layout.height)));
    return true;
}

void CCLabelTTF::renderPixels()
{
    if (!m_pixelsStale) return;
    m_pixelsStale = false;
    TTF_Font* font = CCFontCache::shared()->fontForName(m_fontName, m_fFontSize);
    // Labels showing the same text in the same face share one texture.
    CCTexture2D* texture =
        CCTextTextureCache::shared()->textureFor(font, m_string, m_tDimensions, m_hAlignment, m_vAlignment);
    if (!texture) {
        CCSprite::setTexture(nullptr);
        return;
    }
    CCSprite::setTexture(texture);
    setTextureRect(CCRect(0, 0, texture->getContentSize().width, texture->getContentSize().height));
}

CCTexture2D* CCLabelTTF::getTexture() const
{
    // Rendering on demand does not change what the label shows.
    const_cast<CCLabelTTF*>(this)->renderPixels();
    return CCSprite::getTexture();
}

void CCLabelTTF::draw()
{
    renderPixels();
    CCSprite::draw();
}

} // namespace cc
