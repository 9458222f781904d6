// A retaining set that keeps insertion order (the touch set's first element
// is the first touch).
#pragma once

#include "base/CCObject.h"

#include <vector>

namespace cc {

class CCSet : public CCObject {
public:
    static CCSet* create();
    CCSet() = default;
    CCSet(const CCSet& other);
    ~CCSet() override;

    int count() const { return static_cast<int>(m_data.size()); }
    void addObject(CCObject* object);
    void removeObject(CCObject* object);
    void removeAllObjects();
    bool containsObject(CCObject* object) const;
    CCObject* anyObject() const { return m_data.empty() ? nullptr : m_data.front(); }

    typedef std::vector<CCObject*>::const_iterator CCSetIterator;
    CCSetIterator begin() const { return m_data.begin(); }
    CCSetIterator end() const { return m_data.end(); }

private:
    std::vector<CCObject*> m_data;
};

typedef CCSet::CCSetIterator CCSetIterator;

} // namespace cc
