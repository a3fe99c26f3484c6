#pragma once

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace iplug
{

// Switches on flush-to-zero and denormals-are-zero for the current thread for its lifetime, so
// decaying signals never fall onto the slow subnormal path. On leaving it clears both modes
// (it does not restore earlier ones), also when the scope is left by an exception. Audio thread.
class ScopedFlushDenormals
{
public:
#if defined(__SSE__) || defined(__x86_64__)
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;

  // One register write for both modes: writing MXCSR stalls the pipeline, and blocks can be tiny.
  ScopedFlushDenormals() { _mm_setcsr(_mm_getcsr() | kFlushToZero | kDenormalsAreZero); }
  ~ScopedFlushDenormals() { _mm_setcsr(_mm_getcsr() & ~(kFlushToZero | kDenormalsAreZero)); }
#else
  ScopedFlushDenormals() = default;
#endif
  ScopedFlushDenormals(const ScopedFlushDenormals&) = delete;
  ScopedFlushDenormals& operator=(const ScopedFlushDenormals&) = delete;
};

} // namespace iplug
