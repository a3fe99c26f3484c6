#include <gtest/gtest.h>

#include "support/TidewellHarness.h"

namespace
{
  constexpr long kFirstDip = 960000; // 20 s at 48 kHz with the default Period
}

TEST(TidewellDipTiming, FirstDipStartsAfter960000SamplesWithDefaults)
{
  TidewellHarness harness(2, 48000.0, 512);
  const auto out = harness.Run(kFirstDip + 100000);
  for (long i = 0; i < kFirstDip; ++i)
    ASSERT_EQ(out[i], 1.0) << "ducked before the period elapsed at sample " << i;
  EXPECT_EQ(out[kFirstDip], 1.0) << "the first sample of a dip has gain exactly 1";
  EXPECT_LT(out[kFirstDip + 100], 1.0);
  EXPECT_EQ(out[kFirstDip + 48000], 0.0) << "full depth silences the middle of the dip";
  EXPECT_GT(out[kFirstDip + 95999], 0.999);
  EXPECT_EQ(out[kFirstDip + 96000], 1.0) << "a 0.5 Duration dip lasts 96000 samples";
}

TEST(TidewellDipTiming, DipsStartAtTheBlockWhoseCountPassesTheThreshold)
{
  // 1371 blocks of 700 count 959700; the next block passes 960000, so the dip starts at its first sample.
  TidewellHarness harness(1, 48000.0, 700);
  const auto out = harness.Run(kFirstDip + 50000);
  EXPECT_EQ(out[959699], 1.0);
  EXPECT_GT(FirstDucked(out), 959700);
  EXPECT_LT(FirstDucked(out), 959710);
  EXPECT_EQ(out[959700 + 48000], 0.0);
}

TEST(TidewellDipTiming, CountEqualToTheThresholdDoesNotStartADip)
{
  TidewellHarness harness(1, 48000.0, 1000);
  harness.Run(kFirstDip);
  const auto next = harness.RunBlock(1000);
  EXPECT_LT(next[999], 1.0) << "the block after the exact threshold starts the dip";
  EXPECT_EQ(next[0], 1.0);
}

TEST(TidewellDipTiming, LaterPeriodsAddARandomExtensionWithinRange)
{
  // Random 0.5 gives up to 10 s extra; dips are 20 to 30 s apart (block-aligned).
  TidewellHarness harness(1, 48000.0, 480);
  const auto out = harness.Run(48000 * 130);
  // The first ducked sample lies a fixed few samples after each dip's start, so gaps are exact.
  std::vector<long> starts;
  for (long i = FirstDucked(out); i >= 0; i = FirstDucked(out, i + 96000))
    starts.push_back(i);
  ASSERT_GE(starts.size(), 4u);
  EXPECT_GT(starts[0], kFirstDip);
  EXPECT_LT(starts[0], kFirstDip + 10);
  for (std::size_t k = 1; k < starts.size(); ++k)
  {
    const long gap = starts[k] - starts[k - 1];
    EXPECT_GT(gap, 20 * 48000);
    EXPECT_LE(gap, 30 * 48000 + 480);
  }
}

TEST(TidewellDipTiming, ResetRestartsThePeriodCount)
{
  TidewellHarness harness(2);
  harness.Run(900000);
  harness.Plug().OnReset();
  const auto out = harness.Run(900000);
  EXPECT_EQ(FirstDucked(out), -1);
}

TEST(TidewellDipTiming, ActivatingResetsButDeactivatingDoesNot)
{
  TidewellHarness harness(2);
  harness.Run(900000);
  harness.Plug().OnActivate(false);
  EXPECT_NE(FirstDucked(harness.Run(100000)), -1);

  TidewellHarness activated(2);
  activated.Run(900000);
  activated.Plug().OnActivate(true);
  EXPECT_EQ(FirstDucked(activated.Run(100000)), -1);
}

TEST(TidewellDipTiming, ZeroFrameBlockStillRunsThePeriodTest)
{
  TidewellHarness harness(1, 48000.0, 500);
  harness.Run(500000);
  harness.SetParam(kPeriod, 0.0); // 10 s: the count of 500000 is already past 480000
  harness.RunBlock(0);
  EXPECT_TRUE(harness.Plug().GetMeterPending());
  // Had the dip not started in the empty block, it would start at full length in the next one.
  harness.SetParam(kDuration, 1.0);
  const auto next = harness.RunBlock(10);
  EXPECT_LT(next[0], 1.0) << "the dip began with the shorter length during the empty block";
}

TEST(TidewellDipTiming, SampleRateComesFromTheProcessorAtReset)
{
  TidewellHarness harness(1, 22050.0, 441);
  const auto out = harness.Run(22050 * 22);
  EXPECT_EQ(out[22050 * 20 - 1], 1.0);
  EXPECT_EQ(out[22050 * 20 + 22050], 0.0) << "a 2 s dip at 22050 Hz bottoms out 1 s in";
}
