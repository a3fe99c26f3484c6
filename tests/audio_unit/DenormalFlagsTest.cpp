// Whatever flush-to-zero and denormals-are-zero modes the host's render thread runs with, a render gives
// them back unchanged, at every block size the unit accepts.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>

using namespace au_test;

namespace
{
constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x0040;
constexpr unsigned kBothModes = kFlushToZero | kDenormalsAreZero;

class DenormalFlags : public testing::TestWithParam<unsigned>
{
};
} // namespace

TEST_P(DenormalFlags, AreTheHostsAfterEveryRender)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  const unsigned saved = _mm_getcsr();
  _mm_setcsr((saved & ~kBothModes) | GetParam());
  unsigned changedAt = 0xFFFFFFFF;
  Float64 sampleTime = 0.0;
  for (UInt32 frames = 0; frames <= kDefaultMaxFrames && changedAt == 0xFFFFFFFF; ++frames)
  {
    HostBuffers out(2, frames + 1);
    const AudioTimeStamp time = SampleTime(sampleTime);
    sampleTime += frames;
    AudioUnitRender(unit, nullptr, &time, 0, frames, out.List());
    if ((_mm_getcsr() & kBothModes) != GetParam())
      changedAt = frames;
  }
  _mm_setcsr(saved);
  EXPECT_EQ(changedAt, 0xFFFFFFFF) << "modes changed by a render of " << changedAt << " frames";
}

INSTANTIATE_TEST_SUITE_P(HostModes, DenormalFlags,
                         testing::Values(0u, kFlushToZero, kDenormalsAreZero, kBothModes));
#endif
