// A string-table property list opened for the captions a screen needs. A
// missing file or key reads as an empty caption, so a screen always builds.
#pragma once

#include "base/CCRefPtr.h"

#include <string>

namespace cc {
class CCDictionary;
}

namespace quibo {

class StringTable {
public:
    // Opens the table through the resource search path ("String.xml" by
    // default); a table that cannot be read behaves as an empty one.
    explicit StringTable(const std::string& path);
    StringTable();
    ~StringTable();
    StringTable(const StringTable&) = delete;
    StringTable& operator=(const StringTable&) = delete;

    bool isLoaded() const { return static_cast<bool>(m_dict); }
    // The caption of the key, or "" when the table or the key is missing.
    std::string caption(const std::string& key) const;

private:
    cc::CCRefPtr<cc::CCDictionary> m_dict;
};

} // namespace quibo
