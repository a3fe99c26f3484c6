#pragma once

#include <atomic>

namespace iplug
{

// A single-word value written by one thread and read by another where a momentarily stale read is
// harmless (a cached setting, a meter). Plain loads and stores on x86, but without the data race a
// plain field would be.
template <class T>
class RelaxedAtomic
{
public:
  static_assert(std::atomic<T>::is_always_lock_free, "only lock-free values may cross to the audio thread");

  // Holds value. [any-thread]
  RelaxedAtomic(T value = T()) : mValue(value) {}
  RelaxedAtomic(const RelaxedAtomic&) = delete;
  RelaxedAtomic& operator=(const RelaxedAtomic&) = delete;

  // Stores value (relaxed).
  RelaxedAtomic& operator=(T value)
  {
    mValue.store(value, std::memory_order_relaxed);
    return *this;
  }
  // Loads the value (relaxed).
  operator T() const { return mValue.load(std::memory_order_relaxed); }

private:
  std::atomic<T> mValue;
};

} // namespace iplug
