// Layout runs in label space with y up: lines stack down from the top of
// the content box, and each glyph hangs yoffset below its line's top.
#include "text/CCLabelBMFont.h"
#include "text/CCTextLayout.h"

#include "render/CCRenderer.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"
#include "scene/CCDirector.h"
#include "text/CCTextureAtlas.h"
#include "text/ccUTF8.h"

#include <algorithm>
#include <vector>

namespace cc {

namespace {
struct Glyph {
    const CCBMFontChar* def;
    unsigned int code;
    float x; // pen position of the glyph's left edge within its line
};
struct Line {
    std::vector<Glyph> glyphs;
    float width = 0;
};
} // namespace

CCLabelBMFont* CCLabelBMFont::create()
{
    CCLabelBMFont* label = new CCLabelBMFont();
    if (label->init()) {
        label->autorelease();
        return label;
    }
    delete label;
    return nullptr;
}

CCLabelBMFont* CCLabelBMFont::create(const char* text, const char* fntFile, float width, CCTextAlignment alignment,
                                     const CCPoint& imageOffset)
{
    CCLabelBMFont* label = new CCLabelBMFont();
    if (label->initWithString(text, fntFile, width, alignment, imageOffset)) {
        label->autorelease();
        return label;
    }
    delete label;
    return nullptr;
}

CCLabelBMFont::CCLabelBMFont() : m_tBlendFunc(ccBlendFuncAlpha()) {}

CCLabelBMFont::~CCLabelBMFont() = default;

bool CCLabelBMFont::init()
{
    return initWithString(nullptr, nullptr, -1.0f, kCCTextAlignmentLeft, CCPointZero);
}

void CCLabelBMFont::dropFont()
{
    m_pAtlas.reset();
    m_config = CCBMFontConfiguration();
}

bool CCLabelBMFont::initWithString(const char* text, const char* fntFile, float width, CCTextAlignment alignment,
                                   const CCPoint& imageOffset)
{
    if (!CCNodeRGBA::init()) return false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_sString = ccTextPrefix(text ? text : "", kMaxLabelTextBytes); // more is never shown
    m_sFntFile = fntFile ? fntFile : "";
    m_fWidth = width;
    m_eAlignment = alignment;
    m_tImageOffset = imageOffset;
    dropFont();
    bool ok = true;
    if (!m_sFntFile.empty()) {
        CCBMFontConfiguration config;
        ok = config.parseFile(m_sFntFile);
        if (ok) {
            // The texture cache logs a page image it cannot load.
            CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(config.atlasFile.c_str());
            CCTextureAtlas* atlas = CCTextureAtlas::createWithTexture(texture, static_cast<unsigned int>(m_sString.size()));
            ok = atlas != nullptr;
            if (ok) {
                m_config = config;
                m_pAtlas.reset(atlas);
            }
        }
    }
    updateLabel();
    return ok;
}

void CCLabelBMFont::setString(const char* text)
{
    m_sString = ccTextPrefix(text ? text : "", kMaxLabelTextBytes); // more is never shown
    updateLabel();
}

void CCLabelBMFont::setAlignment(CCTextAlignment alignment)
{
    m_eAlignment = alignment;
    updateLabel();
}

void CCLabelBMFont::setWidth(float width)
{
    m_fWidth = width;
    updateLabel();
}

void CCLabelBMFont::setFntFile(const char* fntFile)
{
    const std::string text = m_sString;
    initWithString(text.c_str(), fntFile, m_fWidth, m_eAlignment, m_tImageOffset);
}

unsigned int CCLabelBMFont::getQuadCount() const
{
    return m_pAtlas ? m_pAtlas->getTotalQuads() : 0;
}

void CCLabelBMFont::updateLabel()
{
    markForRedraw();
    if (!m_pAtlas) {
        setContentSize(CCSizeZero);
        return;
    }
    m_pAtlas->removeAllQuads();

    // Break into lines: at line feeds, and at the last space (else before the
    // glyph) when a wrap width is set and a glyph would cross it.
    std::vector<Line> lines(1);
    size_t lastSpace = 0; // glyph index just after the last space of the line; 0 = none
    unsigned int prev = 0;
    for (size_t at = 0; at < m_sString.size();) {
        const unsigned int code = utf8::decode(m_sString, at);
        if (code == '\n') {
            lines.emplace_back();
            lastSpace = 0;
            prev = 0;
            continue;
        }
        const CCBMFontChar* def = m_config.charFor(code);
        if (!def) continue;
        Line* line = &lines.back();
        const float kern = prev ? static_cast<float>(m_config.kerning(prev, code)) : 0.0f;
        float x = line->width + kern;
        if (m_fWidth > 0 && code != ' ' && !line->glyphs.empty() && x + def->xOffset + def->rect.size.width > m_fWidth) {
            Line next;
            const size_t cut = lastSpace ? lastSpace : line->glyphs.size();
            next.glyphs.assign(line->glyphs.begin() + static_cast<long>(cut), line->glyphs.end());
            line->glyphs.resize(cut);
            while (!line->glyphs.empty() && line->glyphs.back().code == ' ') line->glyphs.pop_back();
            line->width = line->glyphs.empty() ? 0 : line->glyphs.back().x + line->glyphs.back().def->xAdvance;
            // Re-base the carried glyphs at the new line's start.
            const float shift = next.glyphs.empty() ? 0 : next.glyphs.front().x;
            for (Glyph& g : next.glyphs) g.x -= shift;
            next.width = next.glyphs.empty() ? 0 : next.glyphs.back().x + next.glyphs.back().def->xAdvance;
            lines.push_back(next);
            line = &lines.back();
            lastSpace = 0;
            x = line->width;
        }
        if (code == ' ' && line->glyphs.empty() && lines.size() > 1) continue; // no leading space on wrapped lines
        line->glyphs.push_back(Glyph{def, code, x});
        line->width = x + def->xAdvance;
        if (code == ' ') lastSpace = line->glyphs.size();
        prev = code;
    }

    float maxWidth = 0;
    for (const Line& l : lines) maxWidth = std::max(maxWidth, l.width);
    const float lineHeight = static_cast<float>(m_config.lineHeight);
    const float height = m_sString.empty() ? 0 : lineHeight * lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        float shift = 0;
        if (m_eAlignment == kCCTextAlignmentCenter) shift = (maxWidth - lines[i].width) / 2;
        if (m_eAlignment == kCCTextAlignmentRight) shift = maxWidth - lines[i].width;
        const float top = height - lineHeight * i;
        for (const Glyph& g : lines[i].glyphs) {
            const CCRect& r = g.def->rect;
            if (r.size.width <= 0 || r.size.height <= 0) continue;
            const float left = shift + g.x + g.def->xOffset;
            const float glyphTop = top - g.def->yOffset;
            CCRect region = r;
            region.origin.x += m_tImageOffset.x;
            region.origin.y += m_tImageOffset.y;
            m_pAtlas->addQuad(CCRect(left, glyphTop - r.size.height, r.size.width, r.size.height), region);
        }
    }
    setContentSize(CCSize(maxWidth, height));
}

void CCLabelBMFont::draw()
{
    if (!m_pAtlas) return;
    CCRenderer* renderer = CCDirector::sharedDirector()->getRenderer();
    if (!renderer) return;
    m_pAtlas->drawQuads(renderer, m_tBlendFunc, CCNode::currentWorldTransform(), getDisplayedColor(),
                        getDisplayedOpacity());
}

} // namespace cc
