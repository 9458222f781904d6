// A label drawn from a character-map image: equal cells in rows, the first
// cell showing the start character and each next cell the next code.
#pragma once

#include "text/CCAtlasNode.h"
#include "text/CCLabelProtocol.h"

#include <string>

namespace cc {

class CCLabelAtlas : public CCAtlasNode, public CCLabelProtocol {
public:
    static CCLabelAtlas* create(const char* text, const char* charMapFile, unsigned int itemWidth,
                                unsigned int itemHeight, unsigned int startCharMap);
    CCLabelAtlas() = default;

    // False (the label stays without atlas, so it draws nothing) when the
    // character map cannot be loaded.
    bool initWithString(const char* text, const char* charMapFile, unsigned int itemWidth, unsigned int itemHeight,
                        unsigned int startCharMap);
    bool initWithString(const char* text, CCTexture2D* texture, unsigned int itemWidth, unsigned int itemHeight,
                        unsigned int startCharMap);

    // One cell per byte; the content size is the cells' row.
    void setString(const char* text) override;
    const char* getString() const override { return m_sString.c_str(); }
    void updateAtlasValues() override;

protected:
    std::string m_sString;
    unsigned int m_uMapStartChar = 0;
};

} // namespace cc
