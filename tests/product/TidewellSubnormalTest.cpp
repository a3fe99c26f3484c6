// Input too quiet to be a normal float leaves the effect as zero of its sign, inside a dip and outside one,
// whatever flush modes the host runs with, and the host gets its own modes back after every block.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/TidewellHarness.h"

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>

namespace
{
constexpr unsigned kBothModes = 0x8040; // flush-to-zero and denormals-are-zero
constexpr long kFirstDip = 960000;

bool IsZeroOfSign(double value, bool negative)
{
  return value == 0.0 && std::signbit(value) == negative;
}

class TidewellSubnormal : public testing::TestWithParam<unsigned>
{
protected:
  void SetUp() override
  {
    mSaved = _mm_getcsr();
    _mm_setcsr((mSaved & ~kBothModes) | GetParam());
  }
  void TearDown() override { _mm_setcsr(mSaved); }

  unsigned HostModes() const { return _mm_getcsr() & kBothModes; }

private:
  unsigned mSaved = 0;
};
} // namespace

TEST_P(TidewellSubnormal, QuietInputLeavesAsSignedZeroOutsideADip)
{
  TidewellHarness harness(2, 48000.0, 64);
  EXPECT_TRUE(IsZeroOfSign(harness.RunBlock(64, 1e-40)[17], false));
  EXPECT_TRUE(IsZeroOfSign(harness.RunBlock(64, -1e-40)[63], true));
  EXPECT_TRUE(IsZeroOfSign(harness.LastRight()[0], true)) << "both channels are flushed";
  EXPECT_EQ(harness.RunBlock(64, std::numeric_limits<float>::min())[5], std::numeric_limits<float>::min())
    << "the smallest normal float passes";
  EXPECT_EQ(HostModes(), GetParam());

  harness.SetParam(kDuck, 0.0);
  EXPECT_TRUE(IsZeroOfSign(harness.RunBlock(64, -1e-40)[0], true)) << "bypassed ducking flushes too";
  EXPECT_EQ(HostModes(), GetParam());
}

TEST_P(TidewellSubnormal, QuietInputLeavesAsSignedZeroInsideADip)
{
  TidewellHarness harness(1, 48000.0, 1000);
  harness.Run(kFirstDip);
  const auto dip = harness.Run(2000, -1e-40);
  ASSERT_LT(FirstDucked(harness.Run(10)), 10) << "still inside the dip";
  for (long i = 0; i < 2000; i += 250)
    ASSERT_TRUE(IsZeroOfSign(dip[static_cast<size_t>(i)], true)) << "sample " << i << " of the dip";
  EXPECT_EQ(HostModes(), GetParam());
}

TEST_P(TidewellSubnormal, FloatBuffersGiveWhatTheDoublePathGives)
{
  // Float hosts take a cheaper pass (their samples need no rounding); the result must not differ.
  std::vector<float> in(64);
  for (size_t i = 0; i < in.size(); ++i)
    in[i] = (i % 3 == 0 ? 1e-40f : 0.3f) * (i % 2 == 0 ? 1.f : -1.f);
  std::vector<float> out(64, -9.f);
  TidewellHarness floatHost(1, 48000.0, 64);
  const float* ins[] = {in.data()};
  float* outs[] = {out.data()};
  floatHost.Plug().ProcessFloatBlock(ins, 1, outs, 1, 64);

  TidewellHarness doubleHost(1, 48000.0, 64);
  for (size_t i = 0; i < in.size(); ++i)
  {
    const double expected = doubleHost.RunBlock(1, in[i])[0];
    ASSERT_EQ(std::signbit(out[i]), std::signbit(expected)) << "sample " << i;
    ASSERT_EQ(out[i], expected) << "sample " << i;
  }
  EXPECT_EQ(out[0], 0.f);
  EXPECT_EQ(HostModes(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(HostModes, TidewellSubnormal, testing::Values(0u, kBothModes));
#endif
