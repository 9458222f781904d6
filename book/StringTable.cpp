// String-table lookups over a held property-list dictionary.
#include "book/StringTable.h"

#include "book/BookPaths.h"

#include "base/CCDictionary.h"
#include "base/CCString.h"

namespace quibo {

StringTable::StringTable(const std::string& path)
    : m_dict(cc::CCDictionary::createWithContentsOfFile(path.c_str()))
{
}

StringTable::StringTable() : StringTable(stringTablePath()) {}

StringTable::~StringTable() = default;

std::string StringTable::caption(const std::string& key) const
{
    const cc::CCString* text = m_dict ? dynamic_cast<const cc::CCString*>(m_dict->objectForKey(key)) : nullptr;
    return text ? text->getCString() : std::string();
}

} // namespace quibo
