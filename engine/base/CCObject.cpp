// Reference counting and the live-object debug count.
#include "base/CCObject.h"
#include "base/CCAutoreleasePool.h"

#include <cassert>

namespace cc {

namespace {
long s_liveObjects = 0;
unsigned int s_nextID = 0;
}

CCObject::CCObject() : m_uID(++s_nextID) { ++s_liveObjects; }

CCObject::~CCObject()
{
    if (m_uAutoReleaseCount > 0) {
        // Destroyed while still listed in a pool (a stack object or a manual
        // delete): take it out so draining never touches freed memory.
        CCPoolManager::sharedPoolManager()->forget(this);
    }
    if (m_bCounted) {
        --s_liveObjects;
    }
}

void CCObject::retain()
{
    assert(m_uReference > 0);
    ++m_uReference;
}

void CCObject::release()
{
    assert(m_uReference > 0);
    --m_uReference;
    if (m_uReference == 0) {
        delete this;
    }
}

CCObject* CCObject::autorelease()
{
    CCPoolManager::sharedPoolManager()->addObject(this);
    return this;
}

long CCObject::liveObjectCount() { return s_liveObjects; }

void CCObject::excludeFromLiveCount()
{
    if (m_bCounted) {
        m_bCounted = false;
        --s_liveObjects;
    }
}

} // namespace cc
