#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
  thread_local bool tCounting = false;
  thread_local long tCount = 0;

  void* Allocate(std::size_t size)
  {
    if (tCounting)
      ++tCount;
    if (void* block = std::malloc(size ? size : 1))
      return block;
    throw std::bad_alloc();
  }

  void* AllocateAligned(std::size_t size, std::align_val_t alignment)
  {
    if (tCounting)
      ++tCount;
    const auto align = static_cast<std::size_t>(alignment);
    const std::size_t rounded = (size + align - 1) / align * align;
    if (void* block = std::aligned_alloc(align, rounded ? rounded : align))
      return block;
    throw std::bad_alloc();
  }

  void Release(void* block)
  {
    if (block && tCounting)
      ++tCount;
    std::free(block);
  }
}

ScopedAllocationCounter::ScopedAllocationCounter()
{
  tCount = 0;
  tCounting = true;
}

ScopedAllocationCounter::~ScopedAllocationCounter()
{
  tCounting = false;
}

long ScopedAllocationCounter::Count() const
{
  return tCount;
}

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
  try { return Allocate(size); } catch (...) { return nullptr; }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
  try { return Allocate(size); } catch (...) { return nullptr; }
}
void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, std::align_val_t) noexcept { Release(block); }
void operator delete[](void* block, std::align_val_t) noexcept { Release(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { Release(block); }
