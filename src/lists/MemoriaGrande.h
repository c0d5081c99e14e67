#pragma once

#include <cstddef>
#include <memory>

namespace melodora {

/**
 * Memory for the arrays of megabytes a long list needs for a moment (its entries, their sort
 * keys): mapped on its own and, where the system allows it, in large pages. A new page costs
 * the kernel a fault, and a list of every card touches thousands of them; in large pages it
 * touches a few. Below 128 KB, the ordinary heap.
 */
void* prendiMemoria(std::size_t byte);
void rendiMemoria(void* p, std::size_t byte);

/** An allocator over prendiMemoria, for std::vector. */
template <typename T> struct AllocatoreGrande {
    using value_type = T;
    AllocatoreGrande() = default;
    template <typename U> AllocatoreGrande(const AllocatoreGrande<U>&) { }
    T* allocate(std::size_t n) { return static_cast<T*>(prendiMemoria(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { rendiMemoria(p, n * sizeof(T)); }
    template <typename U> bool operator==(const AllocatoreGrande<U>&) const { return true; }
};

} // namespace melodora
