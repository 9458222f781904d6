// The reference-counted root of every engine object, and the member-selector
// types that schedulers, menus and actions call back through.
// Pooling of autoreleased objects lives in CCAutoreleasePool.
#pragma once

#include <cstddef>

namespace cc {

class CCObject;
class CCNode;
class CCEvent;

typedef void (CCObject::*SEL_SCHEDULE)(float);
typedef void (CCObject::*SEL_CallFunc)();
typedef void (CCObject::*SEL_CallFuncN)(CCNode*);
typedef void (CCObject::*SEL_CallFuncO)(CCObject*);
typedef void (CCObject::*SEL_MenuHandler)(CCObject*);
typedef int (CCObject::*SEL_Compare)(CCObject*);

#define schedule_selector(_SELECTOR) static_cast<cc::SEL_SCHEDULE>(&_SELECTOR)
#define callfunc_selector(_SELECTOR) static_cast<cc::SEL_CallFunc>(&_SELECTOR)
#define callfuncN_selector(_SELECTOR) static_cast<cc::SEL_CallFuncN>(&_SELECTOR)
#define callfuncO_selector(_SELECTOR) static_cast<cc::SEL_CallFuncO>(&_SELECTOR)
#define menu_selector(_SELECTOR) static_cast<cc::SEL_MenuHandler>(&_SELECTOR)

class CCObject {
public:
    CCObject();
    virtual ~CCObject();

    // Reference counting: a new object holds one reference owned by its creator.
    void retain();
    void release();
    CCObject* autorelease();
    unsigned int retainCount() const { return m_uReference; }
    bool isSingleReference() const { return m_uReference == 1; }

    virtual bool isEqual(const CCObject* other) const { return this == other; }
    // Called once a frame when the object is a scheduler update target.
    virtual void update(float dt) {}
    // True while a call to update() would change nothing, so a frame loop with
    // nothing else to do may sleep through frames. Targets that do not say are
    // taken as busy on every frame.
    virtual bool isUpdateIdle() const { return false; }

    unsigned int getUniqueID() const { return m_uID; }

    // Debug count of engine objects alive right now, so tests can prove that a
    // replaced scene leaves nothing behind. Objects held by the process-wide
    // caches are taken out of the count with excludeFromLiveCount.
    static long liveObjectCount();
    void excludeFromLiveCount();

protected:
    unsigned int m_uReference = 1;
    unsigned int m_uAutoReleaseCount = 0;
    unsigned int m_uID;
    bool m_bCounted = true;

    friend class CCAutoreleasePool;
};

// Deletes/releases helpers in the engine's usual spelling.
#define CC_SAFE_RELEASE(p) do { if (p) { (p)->release(); } } while (0)
#define CC_SAFE_RELEASE_NULL(p) do { if (p) { (p)->release(); (p) = nullptr; } } while (0)
#define CC_SAFE_RETAIN(p) do { if (p) { (p)->retain(); } } while (0)
#define CC_SAFE_DELETE(p) do { delete (p); (p) = nullptr; } while (0)

// The end of every create(): hand out the object autoreleased when its init
// succeeded, or destroy it and give null.
template <class T>
T* autoreleasedOrNull(T* object, bool initialised)
{
    if (initialised) {
        object->autorelease();
        return object;
    }
    delete object;
    return nullptr;
}

// The create pattern: construct, init, autorelease, or destroy and give null.
#define CREATE_FUNC(__TYPE__)                                   \
    static __TYPE__* create()                                   \
    {                                                           \
        __TYPE__* pRet = new __TYPE__();                        \
        return cc::autoreleasedOrNull(pRet, pRet->init());      \
    }

} // namespace cc
