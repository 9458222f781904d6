// Lays text out in lines with one TrueType face and renders it as white
// glyph coverage into RGBA pixels (the label's colour tints it when drawn).
// Choosing the face and owning the texture are the label's business.
#pragma once

#include "base/CCGeometry.h"
#include "base/ccTypes.h"
#include "platform/BookFileLimits.h"

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
// At most maxLines lines come back (0: no bound).
std::vector<std::string> ccBreakLines(TTF_Font* font, const std::string& text, float maxWidth,
                                      size_t maxLines = 0);

// A label keeps at most this much of its text: more than any label can show
// (kMaxLabelTextureSide pixels each way), and bounded work for each layout.
constexpr size_t kMaxLabelTextBytes = 16 * 1024;

// The longest start of text, cut at a character boundary, of at most
// maxBytes bytes.
std::string ccTextPrefix(const std::string& text, size_t maxBytes);

// Fills out; a zero side of dimensions follows the text. False (and an empty
// image) for empty text. Without pixels only the lines, their offsets and the
// size are computed (measuring is far cheaper than rendering the glyphs).
// The image is never larger than kMaxLabelTextureSide on either side, box or
// no box: lines below it are not laid out, and a line without a box is cut
// where it would pass it.
bool ccRenderText(TTF_Font* font, const std::string& text, const CCSize& dimensions, CCTextAlignment hAlign,
                  CCVerticalTextAlignment vAlign, CCTextImage& out, bool pixels = true);

} // namespace cc
