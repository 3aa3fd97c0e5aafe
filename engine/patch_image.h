#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Leaves new elements uninitialised: the whole file is read into them at
// once, and filling hundreds of megabytes with zeros first costs time.
template <typename T>
class UninitialisedAllocator : public std::allocator<T> {
public:
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };

    UninitialisedAllocator() = default;
    template <typename U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}

    template <typename U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible<U>::value) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

// The whole content of the target file, held once for one patch run.
using PatchImage = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;
