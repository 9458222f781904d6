// The text form of a bitmap-font description (.fnt): lines of "info",
// "common", "page", "char" and "kerning" records with key=value pairs.
// Laying glyphs out is the bitmap-font label's business.
#pragma once

#include "base/CCGeometry.h"

#include <map>
#include <string>

namespace cc {

struct CCBMFontChar {
    CCRect rect; // in the page image, pixels, y down
    int xOffset = 0;
    int yOffset = 0;
    int xAdvance = 0;
    int page = 0;
};

class CCBMFontConfiguration {
public:
    // False plus one log line when the file cannot be read or lacks what a
    // font needs (a common line, a page image, at least one character).
    bool parseFile(const std::string& fntFile);
    // Parses text already read; pageDirectory is prepended to the page file.
    bool parseText(const std::string& text, const std::string& pageDirectory, std::string& error);

    const CCBMFontChar* charFor(unsigned int code) const;
    int kerning(unsigned int first, unsigned int second) const;

    std::string face;
    int fontSize = 0;
    int lineHeight = 0;
    int base = 0;
    int scaleW = 0, scaleH = 0;
    std::string atlasFile; // page 0, resolved next to the .fnt file
    std::map<unsigned int, CCBMFontChar> chars;
    std::map<unsigned long long, int> kernings;
};

} // namespace cc
