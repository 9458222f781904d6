// The bounds every book file is read within. Books come from book makers and
// from downloads, so a broken or hostile one must fail with a line instead of
// exhausting the machine. tools/check_book.py reads this very file to refuse
// exactly what the reader refuses: keep each value a product of integer
// literals on one "constexpr" line.
#pragma once

namespace cc {

// Whole-file sizes, in bytes, per kind of book file.
constexpr long long kMaxLayoutFileBytes = 4LL * 1024 * 1024;
// Book configuration, string tables, page strings and sprite sheets.
constexpr long long kMaxPropertyListFileBytes = 8LL * 1024 * 1024;
constexpr long long kMaxImageFileBytes = 32LL * 1024 * 1024;
// Narration MP3s: a word or a sentence is seconds long.
constexpr long long kMaxAudioFileBytes = 16LL * 1024 * 1024;
constexpr long long kMaxAudioSeconds = 600;
// Bitmap-font descriptions (.fnt text).
constexpr long long kMaxFontDescriptionFileBytes = 1LL * 1024 * 1024;
// Any other file the engine reads whole.
constexpr long long kMaxOtherFileBytes = 64LL * 1024 * 1024;

// Nesting of arrays and objects the parsers go through (each level costs
// them stack): a layout's JSON, and a property list.
constexpr long long kMaxLayoutNesting = 256;
constexpr long long kMaxPropertyListNesting = 64;

// Pictures, from the header before any pixel is decoded: each side, one
// picture, and every picture one layout (a book page) decodes.
constexpr long long kMaxImageSide = 4096;
constexpr long long kMaxImagePixels = 4096LL * 4096;
constexpr long long kMaxPagePixels = 64LL * 1024 * 1024;

// Rendered text: a label's texture side, with or without a box.
constexpr long long kMaxLabelTextureSide = 2048;

} // namespace cc
