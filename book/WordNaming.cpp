// Word naming: a prefix (with the "0" of pages below 10), then the page and
// index in decimal, written the way the book's layout files name them.
#include "book/WordNaming.h"

#include <cstdio>

namespace quibo {

namespace {
const int kZeroPaddedBelow = 10;
const int kLongTagFromIndex = 10;
const int kShortTagMaxIndex = 30;

std::string pageAndIndex(const char* prefix, int page, int index, const char* suffix)
{
    char buf[96];
    const std::string head = std::string(prefix) + (page < kZeroPaddedBelow ? "0" : "");
    std::snprintf(buf, sizeof buf, "%s%d%d%s", head.c_str(), page, index, suffix);
    return buf;
}
} // namespace

std::string wordButtonName(int page, int index) { return pageAndIndex("bn", page, index, ""); }

std::string sentenceKey(int page, int index) { return pageAndIndex("str", page, index, ""); }

std::string narrationName(int page, int index) { return pageAndIndex("mc", page, index, ".mp3"); }

int wordTag(int page, int index) { return index < kLongTagFromIndex ? page * 10 + index : page * 100 + index; }

int wordIndexFromTag(int tag, int page)
{
    const int shortIndex = tag - page * 10;
    return shortIndex <= kShortTagMaxIndex ? shortIndex : tag - page * 100;
}

} // namespace quibo
