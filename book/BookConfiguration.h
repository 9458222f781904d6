// Reading the book's configuration property list into BookSettings, with the
// number conversion it uses. Where the file lives is BookPaths'.
#pragma once

#include <string>

namespace quibo {

// Leading decimal integer of the text: leading white space skipped, one
// optional sign, digits up to the first other character; 0 without digits.
// Values beyond the 32-bit range saturate at its ends.
int leadingInteger(const char* text);

// Reads the seven keys of the configuration file in order into
// bookSettings(), then writes the three start-up diagnostic lines. A missing
// file or key keeps the field as it was and logs one line naming it.
// currentPage and readingStarted are never touched. False when the file
// could not be read.
bool readBookConfiguration();

} // namespace quibo
