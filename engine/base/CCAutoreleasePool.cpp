// Autorelease pool stack. Draining takes the list first, so objects released
// while draining may autorelease again into a fresh list.
#include "base/CCAutoreleasePool.h"

#include <algorithm>

namespace cc {

void CCAutoreleasePool::addObject(CCObject* object)
{
    m_objects.push_back(object);
    ++object->m_uAutoReleaseCount;
}

void CCAutoreleasePool::removeObject(CCObject* object)
{
    auto it = std::remove(m_objects.begin(), m_objects.end(), object);
    m_objects.erase(it, m_objects.end());
}

void CCAutoreleasePool::clear()
{
    while (!m_objects.empty()) {
        std::vector<CCObject*> batch;
        batch.swap(m_objects);
        for (CCObject* object : batch) {
            --object->m_uAutoReleaseCount;
            object->release();
        }
    }
}

CCPoolManager* CCPoolManager::sharedPoolManager()
{
    static CCPoolManager manager;
    return &manager;
}

CCPoolManager::CCPoolManager() { push(); }

CCPoolManager::~CCPoolManager()
{
    // At process exit: release what is still pooled, then the pools.
    while (!m_pools.empty()) {
        m_pools.back()->clear();
        delete m_pools.back();
        m_pools.pop_back();
    }
}

void CCPoolManager::push()
{
    CCAutoreleasePool* pool = new CCAutoreleasePool();
    pool->excludeFromLiveCount();
    m_pools.push_back(pool);
}

void CCPoolManager::addObject(CCObject* object) { m_pools.back()->addObject(object); }

void CCPoolManager::forget(CCObject* object)
{
    for (CCAutoreleasePool* pool : m_pools) {
        pool->removeObject(object);
    }
}

void CCPoolManager::pop()
{
    m_pools.back()->clear();
    if (m_pools.size() > 1) {
        CCAutoreleasePool* pool = m_pools.back();
        m_pools.pop_back();
        delete pool;
    }
}

size_t CCPoolManager::pendingCount() const
{
    size_t n = 0;
    for (CCAutoreleasePool* pool : m_pools) {
        n += pool->size();
    }
    return n;
}

} // namespace cc
