#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/TidewellHarness.h"

namespace
{
  constexpr long kFirstDip = 960000;

  // Gain the engine computes at a given remaining position of a dip of the given length.
  float ExpectedGain(float position, float length, float depthAmount)
  {
    const auto cosine = static_cast<float>(std::cos(static_cast<double>(position) * 6.283185307179586 / static_cast<double>(length)));
    return depthAmount * cosine + (1.f - depthAmount);
  }

  // Runs a harness up to the first sample of the first dip (block size 1000 aligns it at 960000).
  TidewellHarness& RunToDip(TidewellHarness& harness)
  {
    harness.Run(kFirstDip);
    return harness;
  }
}

TEST(TidewellEnvelope, FollowsTheRaisedCosineExactly)
{
  TidewellHarness harness(1, 48000.0, 1000);
  const auto dip = RunToDip(harness).Run(96000);
  for (long i = 0; i < 96000; i += 997)
    ASSERT_EQ(dip[i], ExpectedGain(96000.f - i, 96000.f, 0.5f)) << "sample " << i << " of the dip";
}

TEST(TidewellEnvelope, ZeroDepthDipsToOneHalf)
{
  TidewellHarness harness(2, 48000.0, 1000);
  harness.SetParam(kDepth, 0.0);
  const auto dip = RunToDip(harness).Run(96000);
  EXPECT_EQ(*std::min_element(dip.begin(), dip.end()), 0.5);
  EXPECT_EQ(dip[48000], 0.5);
}

TEST(TidewellEnvelope, LoweringDurationMidDipClampsThePosition)
{
  TidewellHarness harness(1, 48000.0, 1000);
  RunToDip(harness).Run(10000); // 86000 samples remain
  harness.SetParam(kDuration, 0.0); // 48000 samples
  const auto rest = harness.Run(48000);
  EXPECT_EQ(rest[0], 1.0) << "position clamped to the new length starts the curve again";
  EXPECT_EQ(rest[24000], 0.0);
  EXPECT_EQ(harness.Run(10)[0], 1.0) << "the clamped dip ends after the new length";
}

TEST(TidewellEnvelope, RaisingDurationMidDipStretchesTheRest)
{
  TidewellHarness harness(1, 48000.0, 1000);
  RunToDip(harness).Run(10000);
  harness.SetParam(kDuration, 1.0); // 144000 samples
  const auto rest = harness.Run(10);
  EXPECT_EQ(rest[0], ExpectedGain(86000.f, 144000.f, 0.5f));
}

TEST(TidewellEnvelope, BypassedDuckPassesInputRoundedToFloatWhileTheEnvelopeRuns)
{
  TidewellHarness harness(2, 48000.0, 1000);
  harness.SetParam(kDuck, 0.0);
  const double input = 0.1; // not representable in float
  const auto dip = harness.Run(kFirstDip + 30000, input);
  for (long i = kFirstDip; i < kFirstDip + 30000; i += 1000)
    ASSERT_EQ(dip[i], static_cast<double>(static_cast<float>(input)));
  EXPECT_EQ(harness.LastRight()[999], static_cast<double>(static_cast<float>(input)));
  EXPECT_EQ(harness.Plug().GetMeter(), 0.f) << "the meter keeps its last value while bypassed";

  harness.SetParam(kDuck, 1.0);
  const auto joined = harness.Run(1);
  EXPECT_EQ(joined[0], ExpectedGain(66000.f, 96000.f, 0.5f) * static_cast<float>(1.0)) << "switching on joins the running dip";
}

TEST(TidewellEnvelope, MeterPeaksAtTheMiddleWhateverTheDepth)
{
  TidewellHarness harness(1, 48000.0, 1000);
  harness.SetParam(kDepth, 0.0);
  RunToDip(harness).Run(48000);
  harness.Run(1);
  EXPECT_EQ(harness.Plug().GetMeter(), 1.f);
  EXPECT_TRUE(harness.Plug().GetMeterPending());
}

TEST(TidewellEnvelope, MonoLeavesOutputChannel1Untouched)
{
  TidewellHarness harness(1, 48000.0, 1000);
  RunToDip(harness);
  harness.Run(1000);
  for (double v : harness.LastRight())
    ASSERT_EQ(v, -99.0);
}

TEST(TidewellEnvelope, StereoDucksBothChannelsAlike)
{
  TidewellHarness harness(2, 48000.0, 1000);
  RunToDip(harness);
  const auto left = harness.Run(1000, 0.5);
  ASSERT_EQ(harness.LastRight().size(), 1000u);
  for (int i = 0; i < 1000; ++i)
    ASSERT_EQ(harness.LastRight()[i], left[i]);
  EXPECT_LT(left[999], 0.5);
}
