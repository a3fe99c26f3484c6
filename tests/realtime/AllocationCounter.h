#pragma once

// Counts heap allocations and frees made by the current thread while an instance is alive.
// This test binary replaces the global operator new and delete to do so; every framework
// buffer (WDL_HeapBuf included) allocates through them.
class ScopedAllocationCounter
{
public:
  ScopedAllocationCounter();
  ~ScopedAllocationCounter();
  ScopedAllocationCounter(const ScopedAllocationCounter&) = delete;
  ScopedAllocationCounter& operator=(const ScopedAllocationCounter&) = delete;

  // Allocations plus frees seen so far in this scope.
  long Count() const;
};
