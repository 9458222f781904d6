// A book's remembered place as a small text file: the book folder it belongs
// to, the page and the play mode. Parsing accepts only such a file whole;
// whether its page fits the book, where the file lives and when it is
// written are PlaceKeeper's.
#pragma once

#include <cstddef>
#include <string>

namespace quibo {

struct Place {
    std::string book; // the book folder, absolute with links resolved
    int page = 0;
    int playMode = 0; // a PlayMode value, 1 to 3
};

// A place file is a few lines; a long book path is the most it holds.
constexpr size_t kMaxPlaceBytes = 8192;

// The file's name for the book folder: one file per book, in one folder.
std::string placeFileName(const std::string& bookFolder);

// The file's text for a place.
std::string placeText(const Place& place);

enum class PlaceParse {
    Ok,
    Truncated, // a line or a key missing at the end
    Foreign,   // not a place file of this program, or a value it never writes
};

// Reads text written by placeText. On anything but Ok, why says what is
// wrong in a few words and place is left as it was.
PlaceParse parsePlace(const std::string& text, Place& place, std::string& why);

} // namespace quibo
