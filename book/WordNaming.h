// The names a page gives its word buttons and what hangs off them: button
// name, sentence key, narration name and tag, and the word index recovered
// from a tag. Shared by the page layers and the book tools.
#pragma once

#include <string>

namespace quibo {

// Page numbers below 10 carry a "0" before the page number.
std::string wordButtonName(int page, int index); // "bn" + page + index
std::string sentenceKey(int page, int index);    // "str" + page + index
std::string narrationName(int page, int index);  // "mc" + page + index + ".mp3"
// page * 10 + index for index below 10, else page * 100 + index.
int wordTag(int page, int index);
// The index back from a tag: tag - 10 * page when that is at most 30, else
// tag - 100 * page.
int wordIndexFromTag(int tag, int page);

} // namespace quibo
