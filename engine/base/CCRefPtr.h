// A stored reference to a reference-counted engine object: it retains what it
// points at and releases it when it lets go, so no retain/release pair is
// written by hand. Ownership itself stays the engine's counting (CCObject).
#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

namespace cc {

class CCObject;

// Copying or assigning retains, destruction and reset release, moving hands
// the reference over without touching the count. T may be only declared
// where a CCRefPtr<T> is declared or read; it must be complete wherever one
// is made, copied, reset or destroyed (as with std::unique_ptr, a class
// holding one for a declared type defines its constructor and destructor
// where the type is complete).
template <class T>
class CCRefPtr {
public:
    CCRefPtr() noexcept = default;
    CCRefPtr(std::nullptr_t) noexcept {}
    // Shares the object: the count goes up by one.
    explicit CCRefPtr(T* object) : m_object(object) { retainObject(m_object); }
    // Takes over the reference the caller owns (an object made with new, whose
    // count of one belongs to the caller): the count stays as it is.
    static CCRefPtr adopt(T* object) noexcept
    {
        CCRefPtr p;
        p.m_object = object;
        return p;
    }

    CCRefPtr(const CCRefPtr& other) : m_object(other.m_object) { retainObject(m_object); }
    CCRefPtr(CCRefPtr&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
    template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
    CCRefPtr(const CCRefPtr<U>& other) : m_object(other.get())
    {
        retainObject(m_object);
    }
    template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
    CCRefPtr(CCRefPtr<U>&& other) noexcept : m_object(other.m_object)
    {
        other.m_object = nullptr;
    }

    ~CCRefPtr() { releaseObject(m_object); }

    CCRefPtr& operator=(const CCRefPtr& other)
    {
        reset(other.m_object);
        return *this;
    }
    CCRefPtr& operator=(CCRefPtr&& other) noexcept
    {
        if (this != &other) {
            T* old = m_object;
            m_object = other.m_object;
            other.m_object = nullptr;
            releaseObject(old);
        }
        return *this;
    }
    CCRefPtr& operator=(std::nullptr_t)
    {
        reset();
        return *this;
    }

    // Points at object instead (retained), then lets go of the old one. The
    // new object is retained first, so resetting to the same object is safe,
    // and the pointer already holds the new value when the old one's release
    // runs a destructor that looks back here.
    void reset(T* object = nullptr)
    {
        retainObject(object);
        T* old = m_object;
        m_object = object;
        releaseObject(old);
    }
    void swap(CCRefPtr& other) noexcept { std::swap(m_object, other.m_object); }

    T* get() const noexcept { return m_object; }
    T* operator->() const noexcept { return m_object; }
    T& operator*() const noexcept { return *m_object; }
    explicit operator bool() const noexcept { return m_object != nullptr; }

private:
    template <class U>
    friend class CCRefPtr;

    static void retainObject(T* object)
    {
        static_assert(std::is_base_of<CCObject, T>::value, "CCRefPtr holds engine objects only");
        if (object) {
            object->retain();
        }
    }
    static void releaseObject(T* object)
    {
        static_assert(std::is_base_of<CCObject, T>::value, "CCRefPtr holds engine objects only");
        if (object) {
            object->release();
        }
    }

    T* m_object = nullptr;
};

// Comparison goes by the object pointed at.
template <class T, class U>
bool operator==(const CCRefPtr<T>& a, const CCRefPtr<U>& b) noexcept
{
    return a.get() == b.get();
}
template <class T, class U>
bool operator!=(const CCRefPtr<T>& a, const CCRefPtr<U>& b) noexcept
{
    return a.get() != b.get();
}
template <class T, class U>
bool operator==(const CCRefPtr<T>& a, U* b) noexcept
{
    return a.get() == b;
}
template <class T, class U>
bool operator==(U* a, const CCRefPtr<T>& b) noexcept
{
    return a == b.get();
}
template <class T, class U>
bool operator!=(const CCRefPtr<T>& a, U* b) noexcept
{
    return a.get() != b;
}
template <class T, class U>
bool operator!=(U* a, const CCRefPtr<T>& b) noexcept
{
    return a != b.get();
}
template <class T>
bool operator==(const CCRefPtr<T>& a, std::nullptr_t) noexcept
{
    return !a;
}
template <class T>
bool operator==(std::nullptr_t, const CCRefPtr<T>& a) noexcept
{
    return !a;
}
template <class T>
bool operator!=(const CCRefPtr<T>& a, std::nullptr_t) noexcept
{
    return static_cast<bool>(a);
}
template <class T>
bool operator!=(std::nullptr_t, const CCRefPtr<T>& a) noexcept
{
    return static_cast<bool>(a);
}
// An order for sorted containers: the order of the addresses.
template <class T, class U>
bool operator<(const CCRefPtr<T>& a, const CCRefPtr<U>& b) noexcept
{
    return std::less<const void*>()(a.get(), b.get());
}

template <class T>
void swap(CCRefPtr<T>& a, CCRefPtr<T>& b) noexcept
{
    a.swap(b);
}

} // namespace cc

namespace std {
template <class T>
struct hash<cc::CCRefPtr<T>> {
    size_t operator()(const cc::CCRefPtr<T>& p) const noexcept { return hash<T*>()(p.get()); }
};
} // namespace std
