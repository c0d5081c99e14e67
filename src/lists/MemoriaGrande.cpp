#include "lists/MemoriaGrande.h"

#include <new>

#include <sys/mman.h>

namespace melodora {

namespace {
    // Where the heap would map memory of its own anyway.
    constexpr std::size_t kSoglia = std::size_t { 128 } << 10;
    constexpr std::size_t kPagina = std::size_t { 2 } << 20;

    std::size_t arrotonda(std::size_t byte) { return (byte + kPagina - 1) / kPagina * kPagina; }
}

void* prendiMemoria(std::size_t byte)
{
    if (byte < kSoglia)
        return ::operator new(byte);
    void* p = mmap(
        nullptr, arrotonda(byte), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    // Only a hint: without large pages the memory is the same, in small ones.
    (void)madvise(p, arrotonda(byte), MADV_HUGEPAGE);
    return p;
}

void rendiMemoria(void* p, std::size_t byte)
{
    if (byte < kSoglia)
        ::operator delete(p);
    else
        munmap(p, arrotonda(byte));
}

} // namespace melodora
