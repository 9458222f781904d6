// A sprite showing text in a TrueType font: the text is laid out whenever
// text, font, size, dimensions or alignment change, so the content size is
// right at once; its glyphs are rendered into the sprite's texture only when
// the label is drawn or its texture is asked for, so a label set up by several
// setters in a row renders once. Font lookup is the resolver's, pixels the
// layout's; labels showing the same text share them (CCTextTextureCache).
#pragma once

#include "render/CCSprite.h"
#include "text/CCLabelProtocol.h"

#include <string>
#include <vector>

namespace cc {

class CCLabelTTF : public CCSprite, public CCLabelProtocol {
public:
    static CCLabelTTF* create();
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize);
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                              CCTextAlignment hAlignment);
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                              CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment);
    CCLabelTTF();
    ~CCLabelTTF() override;

    // An empty label in the default font.
    bool init() override;
    bool initWithString(const char* text, const char* fontName, float fontSize);
    bool initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                        CCTextAlignment hAlignment);
    bool initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                        CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment);

    // UTF-8; null is taken as the empty string.
    void setString(const char* text) override;
    const char* getString() const override { return m_string.c_str(); }

    void setFontName(const char* fontName);
    const char* getFontName() const { return m_fontName.c_str(); }
    void setFontSize(float size);
    float getFontSize() const { return m_fFontSize; }
    // A width above zero wraps lines; a zero height follows the text.
    void setDimensions(const CCSize& dimensions);
    const CCSize& getDimensions() const { return m_tDimensions; }
    void setHorizontalAlignment(CCTextAlignment alignment);
    CCTextAlignment getHorizontalAlignment() const { return m_hAlignment; }
    void setVerticalAlignment(CCVerticalTextAlignment alignment);
    CCVerticalTextAlignment getVerticalAlignment() const { return m_vAlignment; }

    // The texture with the current text (rendered now if it is out of date).
    CCTexture2D* getTexture() const override;
    void draw() override;

    // The lines as last laid out, and where each starts inside the texture.
    const std::vector<std::string>& getLines() const { return m_lines; }
    const std::vector<int>& getLineOffsets() const { return m_lineX; }

    static constexpr const char* kDefaultFontName = "Helvetica";
    static constexpr float kDefaultFontSize = 12.0f;

protected:
    // Lays the shown string out again and marks the pixels out of date;
    // false when no font could be opened.
    bool updateTexture();
    // Renders the glyphs when the layout changed since the last render.
    void renderPixels();

    std::string m_string;
    std::string m_fontName = kDefaultFontName;
    float m_fFontSize = kDefaultFontSize;
    CCSize m_tDimensions;
    CCTextAlignment m_hAlignment = kCCTextAlignmentCenter;
    CCVerticalTextAlignment m_vAlignment = kCCVerticalTextAlignmentTop;
    std::vector<std::string> m_lines;
    std::vector<int> m_lineX;
    bool m_pixelsStale = false;
};

} // namespace cc
