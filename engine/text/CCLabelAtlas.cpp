// Each byte picks a cell by its distance from the start character; bytes
// before the start or past the last cell keep their place but show nothing.
#include "text/CCLabelAtlas.h"
#include "text/CCTextLayout.h"

#include "text/CCTextureAtlas.h"

namespace cc {

CCLabelAtlas* CCLabelAtlas::create(const char* text, const char* charMapFile, unsigned int itemWidth,
                                   unsigned int itemHeight, unsigned int startCharMap)
{
    CCLabelAtlas* label = new CCLabelAtlas();
    if (label->initWithString(text, charMapFile, itemWidth, itemHeight, startCharMap)) {
        label->autorelease();
        return label;
    }
    delete label;
    return nullptr;
}

bool CCLabelAtlas::initWithString(const char* text, const char* charMapFile, unsigned int itemWidth,
                                  unsigned int itemHeight, unsigned int startCharMap)
{
    const std::string s = text ? text : "";
    if (!initWithTileFile(charMapFile, itemWidth, itemHeight, static_cast<unsigned int>(s.size()))) return false;
    m_uMapStartChar = startCharMap;
    m_sString.clear();
    setString(s.c_str());
    return true;
}

bool CCLabelAtlas::initWithString(const char* text, CCTexture2D* texture, unsigned int itemWidth,
                                  unsigned int itemHeight, unsigned int startCharMap)
{
    const std::string s = text ? text : "";
    if (!initWithTexture(texture, itemWidth, itemHeight, static_cast<unsigned int>(s.size()))) return false;
    m_uMapStartChar = startCharMap;
    m_sString.clear();
    setString(s.c_str());
    return true;
}

void CCLabelAtlas::setString(const char* text)
{
    m_sString = ccTextPrefix(text ? text : "", kMaxLabelTextBytes); // more is never shown
    updateAtlasValues();
    setContentSize(CCSize(static_cast<float>(m_sString.size() * m_uItemWidth), static_cast<float>(m_uItemHeight)));
}

void CCLabelAtlas::updateAtlasValues()
{
    markForRedraw();
    if (!m_pTextureAtlas) return;
    m_pTextureAtlas->removeAllQuads();
    const unsigned int cells = m_uItemsPerRow * m_uItemsPerColumn;
    const float w = static_cast<float>(m_uItemWidth), h = static_cast<float>(m_uItemHeight);
    for (size_t i = 0; i < m_sString.size(); ++i) {
        const unsigned int code = static_cast<unsigned char>(m_sString[i]);
        if (code < m_uMapStartChar || code - m_uMapStartChar >= cells) continue;
        const unsigned int cell = code - m_uMapStartChar;
        const CCRect region((cell % m_uItemsPerRow) * w, (cell / m_uItemsPerRow) * h, w, h);
        m_pTextureAtlas->addQuad(CCRect(i * w, 0, w, h), region);
    }
}

} // namespace cc
