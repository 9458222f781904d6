// Insertion-ordered retaining set.
#include "base/CCSet.h"

#include <algorithm>

namespace cc {

CCSet* CCSet::create()
{
    CCSet* s = new CCSet();
    s->autorelease();
    return s;
}

CCSet::CCSet(const CCSet& other) : CCObject()
{
    for (CCObject* o : other.m_data) {
        addObject(o);
    }
}

CCSet::~CCSet() { removeAllObjects(); }

void CCSet::addObject(CCObject* object)
{
    if (object && !containsObject(object)) {
        object->retain();
        m_data.push_back(object);
    }
}

void CCSet::removeObject(CCObject* object)
{
    auto it = std::find(m_data.begin(), m_data.end(), object);
    if (it != m_data.end()) {
        m_data.erase(it);
        object->release();
    }
}

void CCSet::removeAllObjects()
{
    std::vector<CCObject*> old;
    old.swap(m_data);
    for (CCObject* o : old) {
        o->release();
    }
}

bool CCSet::containsObject(CCObject* object) const
{
    return std::find(m_data.begin(), m_data.end(), object) != m_data.end();
}

} // namespace cc
