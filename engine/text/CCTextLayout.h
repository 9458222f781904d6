// Lays text out in lines with one TrueType face and renders it as white
// glyph coverage into RGBA pixels (the label's colour tints it when drawn).
// Choosing the face and owning the texture are the label's business.
#pragma once

#include "base/CCGeometry.h"
#include "base/ccTypes.h"

#include <string>
#include <vector>

typedef struct _TTF_Font TTF_Font;

namespace cc {

struct CCTextImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba; // rows from the top
    std::vector<std::string> lines;
    std::vector<int> lineX; // left edge of each line, in pixels
};

// Splits at line feeds and, when maxWidth > 0, wraps at spaces (or between
// any two characters when a word alone is too wide, as CJK text has no spaces).
std::vector<std::string> ccBreakLines(TTF_Font* font, const std::string& text, float maxWidth);

// Fills out; a zero side of dimensions follows the text. False (and an empty
// image) for empty text. Without pixels only the lines, their offsets and the
// size are computed (measuring is far cheaper than rendering the glyphs).
bool ccRenderText(TTF_Font* font, const std::string& text, const CCSize& dimensions, CCTextAlignment hAlign,
                  CCVerticalTextAlignment vAlign, CCTextImage& out, bool pixels = true);

} // namespace cc
