// The denormal guard switches both flush modes on inside its scope and gives the host's modes back on
// leaving, whichever of them the host had set.

#include <gtest/gtest.h>

#include "ScopedFlushDenormals.h"

#if defined(__SSE__) || defined(__x86_64__)
using iplug::ScopedFlushDenormals;

namespace
{
// Sets the two mode bits to modes for the test's scope and restores the register afterwards.
class HostModes
{
public:
  explicit HostModes(unsigned modes) : mSaved(_mm_getcsr())
  {
    _mm_setcsr((mSaved & ~ScopedFlushDenormals::kBothModes) | modes);
  }
  ~HostModes() { _mm_setcsr(mSaved); }

private:
  unsigned mSaved;
};

unsigned CurrentModes()
{
  return _mm_getcsr() & ScopedFlushDenormals::kBothModes;
}

class ScopedFlushDenormalsModes : public testing::TestWithParam<unsigned>
{
};
} // namespace

TEST_P(ScopedFlushDenormalsModes, FlushesInsideAndRestoresTheHostsModes)
{
  const HostModes host(GetParam());
  {
    const ScopedFlushDenormals guard;
    EXPECT_EQ(CurrentModes(), ScopedFlushDenormals::kBothModes);
  }
  EXPECT_EQ(CurrentModes(), GetParam());
}

TEST_P(ScopedFlushDenormalsModes, KeepsExceptionFlagsRaisedInside)
{
  const HostModes host(GetParam());
  _mm_setcsr(_mm_getcsr() & ~0x3Fu);
  {
    const ScopedFlushDenormals guard;
    volatile float tiny = 1e-30f;
    volatile float product = tiny * tiny;
    (void)product;
  }
  EXPECT_NE(_mm_getcsr() & 0x10u, 0u) << "the underflow flag raised in the block survives";
  EXPECT_EQ(CurrentModes(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(HostSettings, ScopedFlushDenormalsModes,
                         testing::Values(0u, ScopedFlushDenormals::kFlushToZero, ScopedFlushDenormals::kDenormalsAreZero,
                                         ScopedFlushDenormals::kBothModes));
#endif
