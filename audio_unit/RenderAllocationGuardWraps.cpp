// The checks of the render allocation guard, linked only into plug-in binaries built with
// TIDEWELL_RENDER_GUARD: the linker's --wrap sends every allocation and lock call made by the code inside the
// binary here (the platform's and the host's own calls are not affected), and each one aborts when its
// thread is rendering before it does what was asked.

#include <cstddef>
#include <cstdlib>
#include <new>
#include <pthread.h>

#include "RenderAllocationGuard.h"

using iplug::RenderAllocationGuard;

namespace
{
void Check(const char* what)
{
  if (RenderAllocationGuard::Active())
    RenderAllocationGuard::Fail(what);
}
} // namespace

extern "C"
{
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* pointer, std::size_t size);
int __real_posix_memalign(void** pointer, std::size_t alignment, std::size_t size);
void* __real__Znwm(std::size_t size);
void* __real__Znam(std::size_t size);
void* __real__ZnwmRKSt9nothrow_t(std::size_t size, const std::nothrow_t& tag);
void* __real__ZnamRKSt9nothrow_t(std::size_t size, const std::nothrow_t& tag);
void* __real__ZnwmSt11align_val_t(std::size_t size, std::align_val_t alignment);
int __real_pthread_mutex_lock(pthread_mutex_t* mutex);
int __real_pthread_rwlock_rdlock(pthread_rwlock_t* lock);
int __real_pthread_rwlock_wrlock(pthread_rwlock_t* lock);

void* __wrap_malloc(std::size_t size)
{
  Check("malloc");
  return __real_malloc(size);
}

void* __wrap_calloc(std::size_t count, std::size_t size)
{
  Check("calloc");
  return __real_calloc(count, size);
}

void* __wrap_realloc(void* pointer, std::size_t size)
{
  Check("realloc");
  return __real_realloc(pointer, size);
}

int __wrap_posix_memalign(void** pointer, std::size_t alignment, std::size_t size)
{
  Check("posix_memalign");
  return __real_posix_memalign(pointer, alignment, size);
}

void* __wrap__Znwm(std::size_t size)
{
  Check("operator new");
  return __real__Znwm(size);
}

void* __wrap__Znam(std::size_t size)
{
  Check("operator new[]");
  return __real__Znam(size);
}

void* __wrap__ZnwmRKSt9nothrow_t(std::size_t size, const std::nothrow_t& tag)
{
  Check("operator new (nothrow)");
  return __real__ZnwmRKSt9nothrow_t(size, tag);
}

void* __wrap__ZnamRKSt9nothrow_t(std::size_t size, const std::nothrow_t& tag)
{
  Check("operator new[] (nothrow)");
  return __real__ZnamRKSt9nothrow_t(size, tag);
}

void* __wrap__ZnwmSt11align_val_t(std::size_t size, std::align_val_t alignment)
{
  Check("operator new (aligned)");
  return __real__ZnwmSt11align_val_t(size, alignment);
}

int __wrap_pthread_mutex_lock(pthread_mutex_t* mutex)
{
  Check("pthread_mutex_lock");
  return __real_pthread_mutex_lock(mutex);
}

int __wrap_pthread_rwlock_rdlock(pthread_rwlock_t* lock)
{
  Check("pthread_rwlock_rdlock");
  return __real_pthread_rwlock_rdlock(lock);
}

int __wrap_pthread_rwlock_wrlock(pthread_rwlock_t* lock)
{
  Check("pthread_rwlock_wrlock");
  return __real_pthread_rwlock_wrlock(lock);
}
}
