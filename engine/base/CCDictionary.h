// A dictionary that retains its values, keyed either by strings or by
// integers (one kind per dictionary, fixed by the first key). Keys keep their
// insertion order, so a property list written back keeps its shape.
// Reading and writing property-list files lives in platform/CCPropertyList.
#pragma once

#include "base/CCObject.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace cc {

class CCArray;
class CCString;

class CCDictionary : public CCObject {
public:
    enum KeyType { kKeyTypeNone, kKeyTypeString, kKeyTypeInt };

    static CCDictionary* create();
    static CCDictionary* createWithDictionary(CCDictionary* other);
    // Parses an XML (or binary) property list; null plus one log line naming
    // the file when it is missing, empty, malformed or not a dictionary.
    static CCDictionary* createWithContentsOfFile(const char* fileName);
    // Stores the dictionary as an XML property list; false when it could not.
    bool writeToFile(const char* fullPath);

    unsigned int count() const { return static_cast<unsigned int>(m_entries.size()); }
    KeyType getKeyType() const { return m_keyType; }

    CCObject* objectForKey(const std::string& key) const;
    CCObject* objectForKey(intptr_t key) const;
    // The value as a string, or an empty CCString when absent or not text.
    const CCString* valueForKey(const std::string& key) const;

    // A key of the other kind than the dictionary's is refused with a log line.
    void setObject(CCObject* object, const std::string& key);
    void setObject(CCObject* object, intptr_t key);
    void removeObjectForKey(const std::string& key);
    void removeObjectForKey(intptr_t key);
    void removeAllObjects();

    // Keys in insertion order: CCString for string keys, CCInteger for integers.
    CCArray* allKeys() const;

    struct Entry {
        std::string strKey;
        intptr_t intKey = 0;
        CCObject* object = nullptr;
    };
    const std::vector<Entry>& entries() const { return m_entries; }

    ~CCDictionary() override;

private:
    bool acceptKey(KeyType type);
    void setEntry(const std::string& skey, intptr_t ikey, CCObject* object);
    void removeEntry(size_t index);
    std::string indexKey(const std::string& skey, intptr_t ikey) const;

    KeyType m_keyType = kKeyTypeNone;
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, size_t> m_index;
};

} // namespace cc
