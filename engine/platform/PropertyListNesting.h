// How deeply a property list's dictionaries and arrays nest, read from its
// bytes before the parser sees them: the parser and the code that frees its
// tree recurse once per level, so a file nested a million deep would overflow
// the stack. Parsing itself is CCPropertyList's.
#pragma once

#include <string>

namespace cc {

// True when no container in the XML or binary property list lies more than
// maxDepth levels deep (the root counting as level 1), and, for a binary one,
// no container holds itself. Bytes that are neither are left to the parser.
bool propertyListNestingWithin(const std::string& bytes, int maxDepth);

// False when a binary property list has a dictionary key holding a NUL,
// which libplist cannot read without aborting the process.
bool propertyListKeysWithoutNul(const std::string& bytes);

} // namespace cc
