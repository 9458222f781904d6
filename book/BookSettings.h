// The process-wide book record: the configuration read from the book's
// property list and the reading position. Screens read and write the fields
// directly on the engine thread; reading the file is BookConfiguration's.
#pragma once

#include <string>

namespace quibo {

struct BookSettings {
    // Puts every field back to its start-of-process value (tests, tools).
    void reset() { *this = BookSettings(); }

    std::string resourceFolder = "qovarn_3391_ver10";
    std::string subName;
    int pageMin = 1;
    int pageMax = 150;
    int wordMin = -1;
    int wordMax = -1;
    int textsize = 25;
    bool ispep = false;
    int currentPage = 0;
    bool readingStarted = false;
};

// The one record of the process, created on first use and never destroyed.
BookSettings& bookSettings();

} // namespace quibo
