// Loading the page strings: the text values of the property list are copied
// out, so the table holds no engine objects between taps.
#include "book/SentenceTable.h"

#include "book/BookPaths.h"

#include "base/CCDictionary.h"
#include "base/CCString.h"

namespace quibo {

SentenceTable SentenceTable::load(const std::string& path)
{
    SentenceTable table;
    const cc::CCDictionary* dict = cc::CCDictionary::createWithContentsOfFile(path.c_str());
    if (!dict) {
        return table;
    }
    table.m_loaded = true;
    if (dict->getKeyType() != cc::CCDictionary::kKeyTypeString) {
        return table; // sentence keys are text
    }
    for (const cc::CCDictionary::Entry& e : dict->entries()) {
        // Only text is a sentence; any other value reads as no entry.
        if (const cc::CCString* text = dynamic_cast<const cc::CCString*>(e.object)) {
            table.m_entries[e.strKey] = text->getCString();
        }
    }
    return table;
}

SentenceTable SentenceTable::loadPageStrings() { return load(pageStringsPath()); }

const std::string* SentenceTable::entry(const std::string& key) const
{
    auto it = m_entries.find(key);
    return it != m_entries.end() ? &it->second : nullptr;
}

} // namespace quibo
