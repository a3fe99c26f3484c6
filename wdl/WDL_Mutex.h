#pragma once

#include <mutex>

// A recursive mutual-exclusion lock: the owning thread may enter it again.
// Never used on the audio path.
class WDL_Mutex
{
public:
  // Blocks until the calling thread holds the lock (again).
  void Enter() { mMutex.lock(); }
  // Releases one level of the calling thread's hold.
  void Leave() { mMutex.unlock(); }

private:
  std::recursive_mutex mMutex;
};

// Holds a WDL_Mutex for its own lifetime; a null mutex is allowed and does nothing.
class WDL_MutexLock
{
public:
  explicit WDL_MutexLock(WDL_Mutex* mutex) : mMutex(mutex)
  {
    if (mMutex)
      mMutex->Enter();
  }
  ~WDL_MutexLock()
  {
    if (mMutex)
      mMutex->Leave();
  }
  WDL_MutexLock(const WDL_MutexLock&) = delete;
  WDL_MutexLock& operator=(const WDL_MutexLock&) = delete;

private:
  WDL_Mutex* mMutex;
};
