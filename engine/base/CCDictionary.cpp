// Insertion-ordered retaining dictionary.
#include "base/CCDictionary.h"
#include "base/CCArray.h"
#include "base/CCLog.h"
#include "base/CCString.h"

namespace cc {

CCDictionary* CCDictionary::create()
{
    CCDictionary* d = new CCDictionary();
    d->autorelease();
    return d;
}

CCDictionary* CCDictionary::createWithDictionary(CCDictionary* other)
{
    CCDictionary* d = create();
    if (other) {
        d->m_keyType = other->m_keyType;
        for (const Entry& e : other->m_entries) {
            d->setEntry(e.strKey, e.intKey, e.object);
        }
    }
    return d;
}

CCDictionary::~CCDictionary() { removeAllObjects(); }

std::string CCDictionary::indexKey(const std::string& skey, intptr_t ikey) const
{
    return m_keyType == kKeyTypeInt ? std::to_string(ikey) : skey;
}

bool CCDictionary::acceptKey(KeyType type)
{
    if (m_keyType == kKeyTypeNone) {
        m_keyType = type;
    }
    if (m_keyType != type) {
        CCLog("CCDictionary: a %s key was refused by a dictionary of %s keys",
              type == kKeyTypeInt ? "integer" : "string", m_keyType == kKeyTypeInt ? "integer" : "string");
        return false;
    }
    return true;
}

CCObject* CCDictionary::objectForKey(const std::string& key) const
{
    if (m_keyType != kKeyTypeString) {
        return nullptr;
    }
    auto it = m_index.find(key);
    return it == m_index.end() ? nullptr : m_entries[it->second].object;
}

CCObject* CCDictionary::objectForKey(intptr_t key) const
{
    if (m_keyType != kKeyTypeInt) {
        return nullptr;
    }
    auto it = m_index.find(std::to_string(key));
    return it == m_index.end() ? nullptr : m_entries[it->second].object;
}

const CCString* CCDictionary::valueForKey(const std::string& key) const
{
    const CCString* s = dynamic_cast<const CCString*>(objectForKey(key));
    return s ? s : CCString::create("");
}

void CCDictionary::setEntry(const std::string& skey, intptr_t ikey, CCObject* object)
{
    if (!object) {
        return;
    }
    const std::string k = indexKey(skey, ikey);
    object->retain();
    auto it = m_index.find(k);
    if (it != m_index.end()) {
        CCObject* old = m_entries[it->second].object;
        m_entries[it->second].object = object;
        old->release();
        return;
    }
    m_index[k] = m_entries.size();
    m_entries.push_back(Entry{skey, ikey, object});
}

void CCDictionary::setObject(CCObject* object, const std::string& key)
{
    if (acceptKey(kKeyTypeString)) {
        setEntry(key, 0, object);
    }
}

void CCDictionary::setObject(CCObject* object, intptr_t key)
{
    if (acceptKey(kKeyTypeInt)) {
        setEntry(std::string(), key, object);
    }
}

void CCDictionary::removeEntry(size_t index)
{
    CCObject* old = m_entries[index].object;
    m_index.erase(indexKey(m_entries[index].strKey, m_entries[index].intKey));
    m_entries.erase(m_entries.begin() + static_cast<long>(index));
    for (auto& kv : m_index) {
        if (kv.second > index) {
            --kv.second;
        }
    }
    old->release();
}

void CCDictionary::removeObjectForKey(const std::string& key)
{
    if (m_keyType != kKeyTypeString) {
        return;
    }
    auto it = m_index.find(key);
    if (it != m_index.end()) {
        removeEntry(it->second);
    }
}

void CCDictionary::removeObjectForKey(intptr_t key)
{
    if (m_keyType != kKeyTypeInt) {
        return;
    }
    auto it = m_index.find(std::to_string(key));
    if (it != m_index.end()) {
        removeEntry(it->second);
    }
}

void CCDictionary::removeAllObjects()
{
    std::vector<Entry> old;
    old.swap(m_entries);
    m_index.clear();
    for (Entry& e : old) {
        e.object->release();
    }
}

CCArray* CCDictionary::allKeys() const
{
    CCArray* keys = CCArray::createWithCapacity(count());
    for (const Entry& e : m_entries) {
        if (m_keyType == kKeyTypeInt) {
            keys->addObject(CCInteger::create(static_cast<int>(e.intKey)));
        } else {
            keys->addObject(CCString::create(e.strKey));
        }
    }
    return keys;
}

} // namespace cc
