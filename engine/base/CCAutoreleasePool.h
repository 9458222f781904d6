// Autorelease pools: objects handed out by create() are released when the
// pool drains, which the director does after every frame.
#pragma once

#include "base/CCObject.h"

#include <vector>

namespace cc {

class CCAutoreleasePool : public CCObject {
public:
    void addObject(CCObject* object);
    void removeObject(CCObject* object);
    // Releases every pooled object once per time it was autoreleased.
    void clear();
    size_t size() const { return m_objects.size(); }

private:
    std::vector<CCObject*> m_objects;
};

class CCPoolManager {
public:
    static CCPoolManager* sharedPoolManager();

    void addObject(CCObject* object);
    void forget(CCObject* object);
    // Drains the current pool (the director calls this after each frame).
    void pop();
    void push();
    // Number of pending autoreleases, for tests.
    size_t pendingCount() const;

private:
    CCPoolManager();
    ~CCPoolManager();
    std::vector<CCAutoreleasePool*> m_pools;
};

} // namespace cc
