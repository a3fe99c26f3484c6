#pragma once

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace iplug
{

// Switches on flush-to-zero and denormals-are-zero for the current thread for its lifetime, so decaying
// signals never fall onto the slow subnormal path, and on leaving gives both modes back as the host had
// them, so the host's next plug-in runs as it expects. Writing the control register stalls the pipeline
// and blocks can be tiny, so when the host already set both modes (the common case) neither write happens.
// Exception flags raised during the block are kept. Audio thread.
class ScopedFlushDenormals
{
public:
#if defined(__SSE__) || defined(__x86_64__)
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;
  static constexpr unsigned kBothModes = kFlushToZero | kDenormalsAreZero;

  ScopedFlushDenormals()
    : ScopedFlushDenormals(_mm_getcsr())
  {
  }
  ~ScopedFlushDenormals()
  {
    if (mHostModes != kBothModes)
      _mm_setcsr((_mm_getcsr() & ~kBothModes) | mHostModes);
  }
#else
  ScopedFlushDenormals() = default;
#endif
  ScopedFlushDenormals(const ScopedFlushDenormals&) = delete;
  ScopedFlushDenormals& operator=(const ScopedFlushDenormals&) = delete;

#if defined(__SSE__) || defined(__x86_64__)
private:
  // Reading the register is itself slow, so the one read taken serves both the test and the write.
  explicit ScopedFlushDenormals(unsigned hostRegister)
    : mHostModes(hostRegister & kBothModes)
  {
    if (mHostModes != kBothModes)
      _mm_setcsr(hostRegister | kBothModes);
  }

  unsigned mHostModes; // the two mode bits as the host left them
#endif
};

} // namespace iplug
