// An ordered array that retains what it holds.
#pragma once

#include "base/CCObject.h"

#include <vector>

namespace cc {

class CCArray : public CCObject {
public:
    static CCArray* create();
    static CCArray* createWithCapacity(unsigned int capacity);
    // A null-terminated list of objects.
    static CCArray* create(CCObject* first, ...);
    static CCArray* createWithArray(CCArray* other);

    bool init() { return true; }
    bool initWithCapacity(unsigned int capacity);

    unsigned int count() const { return static_cast<unsigned int>(m_data.size()); }
    unsigned int capacity() const { return static_cast<unsigned int>(m_data.capacity()); }
    CCObject* objectAtIndex(unsigned int index) const;
    CCObject* lastObject() const { return m_data.empty() ? nullptr : m_data.back(); }
    CCObject* randomObject() const;
    bool containsObject(const CCObject* object) const;
    // UINT_MAX when absent.
    unsigned int indexOfObject(const CCObject* object) const;

    void addObject(CCObject* object);
    void addObjectsFromArray(CCArray* other);
    void insertObject(CCObject* object, unsigned int index);
    void removeObject(CCObject* object, bool releaseObj = true);
    void removeObjectAtIndex(unsigned int index, bool releaseObj = true);
    void removeLastObject(bool releaseObj = true);
    void removeAllObjects();
    void exchangeObjectAtIndex(unsigned int a, unsigned int b);
    void replaceObjectAtIndex(unsigned int index, CCObject* object);
    void reverseObjects();

    // Plain iteration: for (CCObject* o : *array).
    std::vector<CCObject*>::const_iterator begin() const { return m_data.begin(); }
    std::vector<CCObject*>::const_iterator end() const { return m_data.end(); }
    const std::vector<CCObject*>& data() const { return m_data; }

    ~CCArray() override;

private:
    std::vector<CCObject*> m_data;
};

// Iterates an array that may be null: CCARRAY_FOREACH(array, obj) { ... }
#define CCARRAY_FOREACH(__array__, __object__)                                              \
    if (__array__)                                                                          \
        for (unsigned int __i##__object__ = 0;                                              \
             __i##__object__ < (__array__)->count() &&                                      \
             ((__object__ = (__array__)->objectAtIndex(__i##__object__)) != nullptr || true); \
             ++__i##__object__)

} // namespace cc
