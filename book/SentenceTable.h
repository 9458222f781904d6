// The page strings: the sentence shown under a word, by its sentence key.
// Read once from the property list and kept as plain text; which key a word
// has is WordNaming's, how a sentence is shown is the page's.
#pragma once

#include <string>
#include <unordered_map>

namespace quibo {

class SentenceTable {
public:
    // Reads the property list at path (resolved through the resource search
    // path). A file that cannot be read gives a table that is not loaded and
    // has no entries; the property-list reader writes the one line saying why.
    static SentenceTable load(const std::string& path);
    // The book's page strings file.
    static SentenceTable loadPageStrings();

    // Whether the file was read.
    bool isLoaded() const { return m_loaded; }
    // The text of key, or null when the table has no text under it.
    const std::string* entry(const std::string& key) const;

private:
    bool m_loaded = false;
    std::unordered_map<std::string, std::string> m_entries;
};

} // namespace quibo
