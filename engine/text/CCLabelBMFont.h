// A label drawn with a bitmap font: glyph rectangles from a .fnt description
// on one page image, laid out in lines with kerning, wrapping and alignment,
// and drawn as quads of one texture. Parsing is CCBMFontConfiguration's.
#pragma once

#include "base/CCRefPtr.h"
#include "base/ccTypes.h"
#include "scene/CCNodeRGBA.h"
#include "text/CCBMFontConfiguration.h"
#include "text/CCLabelProtocol.h"

#include <string>

namespace cc {

class CCTextureAtlas;

class CCLabelBMFont : public CCNodeRGBA, public CCLabelProtocol {
public:
    // An empty label without a font.
    static CCLabelBMFont* create();
    // Null when the font cannot be loaded.
    static CCLabelBMFont* create(const char* text, const char* fntFile, float width = -1.0f,
                                 CCTextAlignment alignment = kCCTextAlignmentLeft,
                                 const CCPoint& imageOffset = CCPointZero);
    CCLabelBMFont();
    ~CCLabelBMFont() override;

    bool init() override;
    // A width above zero wraps lines. A null font file gives an empty label;
    // a missing or malformed one gives false, one log line and an empty label.
    bool initWithString(const char* text, const char* fntFile, float width, CCTextAlignment alignment,
                        const CCPoint& imageOffset);

    void setString(const char* text) override;
    const char* getString() const override { return m_sString.c_str(); }
    void setAlignment(CCTextAlignment alignment);
    void setWidth(float width);
    void setFntFile(const char* fntFile);
    const char* getFntFile() const { return m_sFntFile.c_str(); }

    void draw() override;
    // Glyph quads laid out for the current string (what one draw sends).
    unsigned int getQuadCount() const;
    const CCTextureAtlas* getTextureAtlas() const { return m_pAtlas.get(); }
    bool hasFont() const { return m_pAtlas != nullptr; }
    void setBlendFunc(const ccBlendFunc& blend)
    {
        m_tBlendFunc = blend;
        markForRedraw();
    }

private:
    void updateLabel();
    void dropFont();

    std::string m_sString;
    std::string m_sFntFile;
    CCBMFontConfiguration m_config;
    CCRefPtr<CCTextureAtlas> m_pAtlas; // null while there is no font
    float m_fWidth = -1.0f;
    CCTextAlignment m_eAlignment = kCCTextAlignmentLeft;
    CCPoint m_tImageOffset;
    ccBlendFunc m_tBlendFunc;
};

} // namespace cc
