// Retaining array.
#include "base/CCArray.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdlib>

namespace cc {

CCArray* CCArray::create()
{
    CCArray* a = new CCArray();
    a->autorelease();
    return a;
}

CCArray* CCArray::createWithCapacity(unsigned int capacity)
{
    CCArray* a = create();
    a->initWithCapacity(capacity);
    return a;
}

CCArray* CCArray::create(CCObject* first, ...)
{
    CCArray* a = create();
    va_list args;
    va_start(args, first);
    for (CCObject* o = first; o != nullptr; o = va_arg(args, CCObject*)) {
        a->addObject(o);
    }
    va_end(args);
    return a;
}

CCArray* CCArray::createWithArray(CCArray* other)
{
    CCArray* a = create();
    a->addObjectsFromArray(other);
    return a;
}

bool CCArray::initWithCapacity(unsigned int capacity)
{
    m_data.reserve(capacity);
    return true;
}

CCArray::~CCArray() { removeAllObjects(); }

CCObject* CCArray::objectAtIndex(unsigned int index) const
{
    return index < m_data.size() ? m_data[index] : nullptr;
}

CCObject* CCArray::randomObject() const
{
    return m_data.empty() ? nullptr : m_data[static_cast<size_t>(std::rand()) % m_data.size()];
}

bool CCArray::containsObject(const CCObject* object) const
{
    return std::find(m_data.begin(), m_data.end(), object) != m_data.end();
}

unsigned int CCArray::indexOfObject(const CCObject* object) const
{
    auto it = std::find(m_data.begin(), m_data.end(), object);
    return it == m_data.end() ? UINT_MAX : static_cast<unsigned int>(it - m_data.begin());
}

void CCArray::addObject(CCObject* object)
{
    if (!object) {
        return;
    }
    object->retain();
    m_data.push_back(object);
}

void CCArray::addObjectsFromArray(CCArray* other)
{
    if (!other) {
        return;
    }
    for (CCObject* o : other->m_data) {
        addObject(o);
    }
}

void CCArray::insertObject(CCObject* object, unsigned int index)
{
    if (!object) {
        return;
    }
    object->retain();
    index = std::min<unsigned int>(index, count());
    m_data.insert(m_data.begin() + index, object);
}

void CCArray::removeObject(CCObject* object, bool releaseObj)
{
    auto it = std::find(m_data.begin(), m_data.end(), object);
    if (it != m_data.end()) {
        m_data.erase(it);
        if (releaseObj) {
            object->release();
        }
    }
}

void CCArray::removeObjectAtIndex(unsigned int index, bool releaseObj)
{
    if (index >= m_data.size()) {
        return;
    }
    CCObject* o = m_data[index];
    m_data.erase(m_data.begin() + index);
    if (releaseObj) {
        o->release();
    }
}

void CCArray::removeLastObject(bool releaseObj)
{
    if (!m_data.empty()) {
        removeObjectAtIndex(count() - 1, releaseObj);
    }
}

void CCArray::removeAllObjects()
{
    // Released after the array is empty, so a destructor that looks back at
    // this array sees a consistent state.
    std::vector<CCObject*> old;
    old.swap(m_data);
    for (CCObject* o : old) {
        o->release();
    }
}

void CCArray::exchangeObjectAtIndex(unsigned int a, unsigned int b)
{
    if (a < m_data.size() && b < m_data.size()) {
        std::swap(m_data[a], m_data[b]);
    }
}

void CCArray::replaceObjectAtIndex(unsigned int index, CCObject* object)
{
    if (index >= m_data.size() || !object) {
        return;
    }
    object->retain();
    CCObject* old = m_data[index];
    m_data[index] = object;
    old->release();
}

void CCArray::reverseObjects() { std::reverse(m_data.begin(), m_data.end()); }

} // namespace cc
