// The stored-reference pointer: what each operation does to the engine's
// reference count, comparison and hashing, and use with a type that is only
// declared where the holder is declared.
#include "base/CCAutoreleasePool.h"
#include "base/CCObject.h"
#include "base/CCRefPtr.h"

#include <gtest/gtest.h>

#include <set>
#include <unordered_set>
#include <utility>

using cc::CCObject;
using cc::CCRefPtr;

namespace {

struct Counted : CCObject {
    explicit Counted(int* deaths) : deaths(deaths) {}
    ~Counted() override { ++*deaths; }
    int* deaths;
};

struct Derived : Counted {
    using Counted::Counted;
};

// Reads its holder from its own destructor, as an object released by a
// reset that asks what its holder points at now.
struct Watcher : CCObject {
    ~Watcher() override
    {
        *out = watched->get();
        *read = true;
    }
    const CCRefPtr<CCObject>* watched = nullptr;
    CCObject** out = nullptr;
    bool* read = nullptr;
};

// Declared here, completed below the holder's declaration.
struct Later;
struct Holder {
    Holder();
    ~Holder();
    Later* get() const { return held.get(); }
    CCRefPtr<Later> held;
};
struct Later : CCObject {
    explicit Later(int* deaths) : deaths(deaths) {}
    ~Later() override { ++*deaths; }
    int* deaths;
};
Holder::Holder() = default;
Holder::~Holder() = default;

} // namespace

TEST(RefPtr, HoldingRetainsAndLettingGoReleases)
{
    int deaths = 0;
    Counted* raw = new Counted(&deaths);
    raw->autorelease();
    {
        CCRefPtr<Counted> held(raw);
        EXPECT_EQ(2u, raw->retainCount());
        // The pool lets go of its reference: the pointer keeps the object.
        cc::CCPoolManager::sharedPoolManager()->pop();
        EXPECT_EQ(0, deaths);
        EXPECT_EQ(1u, raw->retainCount());
        EXPECT_EQ(raw, held.get());
        EXPECT_EQ(raw, &*held);
        EXPECT_EQ(raw->deaths, held->deaths);
        EXPECT_TRUE(static_cast<bool>(held));
    }
    EXPECT_EQ(1, deaths);

    // reset() releases the old object and retains the new one; reset to the
    // object already held changes nothing.
    Counted* a = new Counted(&deaths);
    Counted* b = new Counted(&deaths);
    CCRefPtr<Counted> p(a);
    p.reset(a);
    EXPECT_EQ(2u, a->retainCount());
    p.reset(b);
    EXPECT_EQ(1u, a->retainCount());
    EXPECT_EQ(2u, b->retainCount());
    a->release();
    b->release();
    EXPECT_EQ(2, deaths); // b lives on in p
    p.reset();
    EXPECT_EQ(3, deaths);
    EXPECT_FALSE(p);
    p.reset(); // null to null
    p = nullptr;
    EXPECT_EQ(nullptr, p.get());
}

TEST(RefPtr, CopiesRetainMovesHandOverAndAdoptTakesTheCallersReference)
{
    int deaths = 0;
    {
        CCRefPtr<Counted> first = CCRefPtr<Counted>::adopt(new Counted(&deaths));
        Counted* raw = first.get();
        EXPECT_EQ(1u, raw->retainCount());

        CCRefPtr<Counted> copy(first);
        EXPECT_EQ(2u, raw->retainCount());
        CCRefPtr<Counted> assigned;
        assigned = copy;
        EXPECT_EQ(3u, raw->retainCount());
        const CCRefPtr<Counted>& same = assigned;
        assigned = same; // assigning the object held keeps the count
        EXPECT_EQ(3u, raw->retainCount());

        CCRefPtr<Counted> moved(std::move(copy));
        EXPECT_EQ(3u, raw->retainCount());
        EXPECT_EQ(nullptr, copy.get());
        CCRefPtr<Counted> moveAssigned;
        moveAssigned = std::move(moved);
        EXPECT_EQ(3u, raw->retainCount());
        EXPECT_EQ(nullptr, moved.get());
        CCRefPtr<Counted>& itself = moveAssigned;
        moveAssigned = std::move(itself); // moving onto itself keeps the object
        EXPECT_EQ(raw, moveAssigned.get());

        // Moving onto a pointer that holds another object releases that one.
        CCRefPtr<Counted> other = CCRefPtr<Counted>::adopt(new Counted(&deaths));
        other = std::move(moveAssigned);
        EXPECT_EQ(1, deaths);
        EXPECT_EQ(3u, raw->retainCount());

        swap(first, assigned);
        EXPECT_EQ(raw, first.get());
        EXPECT_EQ(1, deaths);
    }
    EXPECT_EQ(2, deaths);
}

TEST(RefPtr, DerivedConvertsToBaseAndComparisonGoesByObject)
{
    int deaths = 0;
    CCRefPtr<Derived> d = CCRefPtr<Derived>::adopt(new Derived(&deaths));
    CCRefPtr<Counted> base(d);
    EXPECT_EQ(2u, d->retainCount());
    CCRefPtr<CCObject> object(std::move(base));
    EXPECT_EQ(2u, d->retainCount());
    EXPECT_EQ(nullptr, base.get());

    EXPECT_TRUE(object == d);
    EXPECT_FALSE(object != d);
    EXPECT_TRUE(d == d.get());
    EXPECT_TRUE(d.get() == d);
    EXPECT_TRUE(base == nullptr);
    EXPECT_TRUE(nullptr == base);
    EXPECT_TRUE(d != nullptr);
    EXPECT_TRUE(nullptr != d);
    Counted* stranger = nullptr;
    EXPECT_TRUE(d != stranger);
    EXPECT_TRUE(stranger != d);

    CCRefPtr<Counted> e = CCRefPtr<Counted>::adopt(new Counted(&deaths));
    std::set<CCRefPtr<Counted>> sorted{CCRefPtr<Counted>(d), e, e};
    EXPECT_EQ(2u, sorted.size());
    std::unordered_set<CCRefPtr<Counted>> hashed{CCRefPtr<Counted>(d), e, e};
    EXPECT_EQ(2u, hashed.size());
    EXPECT_EQ(1u, hashed.count(e));
    EXPECT_EQ(4u, d->retainCount()); // d, object, one in each set
    sorted.clear();
    hashed.clear();
    object.reset();
    EXPECT_EQ(1u, d->retainCount());
    EXPECT_EQ(0, deaths);
}

TEST(RefPtr, AReleasedObjectsDestructorSeesTheNewValue)
{
    CCRefPtr<CCObject> holder;
    CCObject* seen = nullptr;
    bool read = false;
    auto watcher = [&] {
        Watcher* w = new Watcher();
        w->watched = &holder;
        w->out = &seen;
        w->read = &read;
        return w;
    };

    // reset() to another object: the old one dies inside and sees the new one.
    holder = CCRefPtr<CCObject>::adopt(watcher());
    CCRefPtr<CCObject> next = CCRefPtr<CCObject>::adopt(new CCObject());
    holder.reset(next.get());
    EXPECT_TRUE(read);
    EXPECT_EQ(next.get(), seen);
    EXPECT_EQ(2u, next->retainCount());

    // reset() to nothing, and a move onto the holder.
    holder = CCRefPtr<CCObject>::adopt(watcher());
    read = false;
    holder.reset();
    EXPECT_TRUE(read);
    EXPECT_EQ(nullptr, seen);
    holder = CCRefPtr<CCObject>::adopt(watcher());
    read = false;
    holder = std::move(next);
    EXPECT_TRUE(read);
    EXPECT_EQ(holder.get(), seen);
    EXPECT_EQ(1u, holder->retainCount());
}

TEST(RefPtr, WorksForATypeOnlyDeclaredWhereTheHolderIsDeclared)
{
    int deaths = 0;
    {
        Holder h;
        EXPECT_EQ(nullptr, h.get());
        Later* later = new Later(&deaths);
        h.held.reset(later);
        later->release();
        EXPECT_EQ(later, h.get());
        EXPECT_EQ(0, deaths);
    }
    EXPECT_EQ(1, deaths);
}
