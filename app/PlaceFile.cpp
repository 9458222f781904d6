// The place file's text: a first line naming the format, then one
// "key = value" line each for book, page and mode.
#include "app/PlaceFile.h"

#include "book/BookPaths.h"

#include <cctype>
#include <climits>

namespace quibo {

namespace {

const char* const kFirstLine = "quibo place 1";
const char* const kBookKey = "book";
const char* const kPageKey = "page";
const char* const kModeKey = "mode";
const int kLowestPlayMode = 1;
const int kHighestPlayMode = 3;

// A whole decimal integer with an optional minus sign, within int.
bool wholeInteger(const std::string& text, int& value)
{
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (i == text.size() || text.size() > 12) {
        return false;
    }
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
        v = v * 10 + (text[i] - '0');
    }
    v = text[0] == '-' ? -v : v;
    if (v < INT_MIN || v > INT_MAX) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// A line of an unknown file, fit for a log line: short, control bytes shown as '?'.
std::string shown(const std::string& line)
{
    const size_t kShownBytes = 60;
    std::string out = line.substr(0, kShownBytes);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            c = '?';
        }
    }
    return out;
}

} // namespace

std::string placeFileName(const std::string& bookFolder) { return md5Hex(bookFolder) + ".place"; }

std::string placeText(const Place& place)
{
    return std::string(kFirstLine) + "\n" + kBookKey + " = " + place.book + "\n" + kPageKey + " = " +
           std::to_string(place.page) + "\n" + kModeKey + " = " + std::to_string(place.playMode) + "\n";
}

PlaceParse parsePlace(const std::string& text, Place& place, std::string& why)
{
    const std::string first = std::string(kFirstLine) + "\n";
    if (text.compare(0, first.size(), first) != 0) {
        // A file cut inside its first line still begins like one.
        const bool cut = first.compare(0, text.size(), text) == 0;
        why = cut ? "its first line is cut short" : "it does not begin with \"" + std::string(kFirstLine) + "\"";
        return cut ? PlaceParse::Truncated : PlaceParse::Foreign;
    }
    if (text.back() != '\n') {
        why = "its last line is cut short";
        return PlaceParse::Truncated;
    }
    Place read;
    bool hasBook = false, hasPage = false, hasMode = false;
    size_t start = first.size();
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t equals = line.find(" = ");
        const std::string key = equals == std::string::npos ? line : line.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : line.substr(equals + 3);
        bool good = equals != std::string::npos;
        if (good && key == kBookKey && !hasBook) {
            hasBook = true;
            read.book = value;
            good = !value.empty();
        } else if (good && key == kPageKey && !hasPage) {
            hasPage = true;
            good = wholeInteger(value, read.page);
        } else if (good && key == kModeKey && !hasMode) {
            hasMode = true;
            good = wholeInteger(value, read.playMode) && read.playMode >= kLowestPlayMode &&
                   read.playMode <= kHighestPlayMode;
        } else {
            good = false;
        }
        if (!good) {
            why = "a line it should not have: \"" + shown(line) + "\"";
            return PlaceParse::Foreign;
        }
    }
    if (!hasBook || !hasPage || !hasMode) {
        why = "it ends before its " + std::string(!hasBook ? kBookKey : !hasPage ? kPageKey : kModeKey) + " line";
        return PlaceParse::Truncated;
    }
    place = read;
    return PlaceParse::Ok;
}

} // namespace quibo
