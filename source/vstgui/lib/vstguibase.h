#pragma once

// Scalar types and reference counting shared by every toolkit class.

#include <atomic>
#include <cstdint>
#include <utility>

namespace VSTGUI {

using CCoord = double;
using UTF8StringPtr = const char*;
using int8 = std::int8_t;
using uint8 = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using CViewAttributeID = uint32;

// Objects live as long as someone holds a reference: `new` gives one, which the
// creator passes on (addView takes it) or gives up with forget().
// GUI thread only: the count is atomic only so that a posted task may keep an
// object alive across threads.
class IReference {
public:
    virtual ~IReference() = default;
    virtual void remember() = 0;
    virtual void forget() = 0;
    virtual int32 getNbReference() const = 0;
};

template <typename T>
class ReferenceCounted : virtual public T {
public:
    ReferenceCounted() = default;
    ReferenceCounted(const ReferenceCounted&) : T() {} // a copy starts with its own single reference
    ReferenceCounted& operator=(const ReferenceCounted&) { return *this; }

    void remember() override { referenceCount.fetch_add(1, std::memory_order_relaxed); }
    void forget() override
    {
        if (referenceCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }
    int32 getNbReference() const override { return referenceCount.load(std::memory_order_relaxed); }

private:
    std::atomic<int32> referenceCount{1};
};

using CBaseObject = ReferenceCounted<IReference>;

// Holds one reference to a counted object.
template <typename T>
class SharedPointer {
public:
    SharedPointer() = default;
    SharedPointer(std::nullptr_t) {}
    SharedPointer(T* p, bool remember = true) : pointer(p)
    {
        if (pointer && remember)
            pointer->remember();
    }
    SharedPointer(const SharedPointer& other) : SharedPointer(other.pointer) {}
    template <typename U>
    SharedPointer(const SharedPointer<U>& other) : SharedPointer(other.get())
    {
    }
    SharedPointer(SharedPointer&& other) noexcept : pointer(std::exchange(other.pointer, nullptr)) {}
    ~SharedPointer()
    {
        if (pointer)
            pointer->forget();
    }

    SharedPointer& operator=(SharedPointer other) noexcept
    {
        std::swap(pointer, other.pointer);
        return *this;
    }

    T* get() const { return pointer; }
    T* operator->() const { return pointer; }
    T& operator*() const { return *pointer; }
    operator T*() const { return pointer; }
    explicit operator bool() const { return pointer != nullptr; }

    template <typename U>
    U* cast() const
    {
        return dynamic_cast<U*>(pointer);
    }

private:
    T* pointer{nullptr};
};

// Adopts the reference that `new` gave.
template <typename T>
SharedPointer<T> owned(T* p)
{
    return SharedPointer<T>(p, false);
}

// Adds a reference of its own.
template <typename T>
SharedPointer<T> shared(T* p)
{
    return SharedPointer<T>(p, true);
}

template <typename T, typename... Args>
SharedPointer<T> makeOwned(Args&&... args)
{
    return owned(new T(std::forward<Args>(args)...));
}

} // namespace VSTGUI
