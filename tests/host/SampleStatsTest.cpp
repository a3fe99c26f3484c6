// The validator's tally of samples no host should receive.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "SampleStats.h"

TEST(SampleStats, CountsNaNInfiniteAndSubnormalSamplesApart)
{
  const float samples[] = {0.5f, -0.75f, std::nanf(""), std::numeric_limits<float>::infinity(), std::numeric_limits<float>::denorm_min(),
                           -std::numeric_limits<float>::min() / 2.f, 0.f};
  SampleStats stats;
  stats.Add(samples, 7);

  EXPECT_FALSE(stats.Clean());
  EXPECT_EQ(stats.Samples(), 7u);
  EXPECT_EQ(stats.Peak(), 0.75f) << "faulty samples do not count towards the peak";
  EXPECT_NE(stats.Describe().find("1 NaN, 1 infinite, 2 subnormal"), std::string::npos) << stats.Describe();
}

TEST(SampleStats, SmallestNormalAndZeroAreClean)
{
  const float samples[] = {std::numeric_limits<float>::min(), -std::numeric_limits<float>::min(), 0.f, -0.f, 1.f};
  SampleStats first;
  first.Add(samples, 5);
  SampleStats merged;
  merged.Merge(first);
  merged.Merge(first);

  EXPECT_TRUE(merged.Clean()) << merged.Describe();
  EXPECT_EQ(merged.Samples(), 10u);
  EXPECT_EQ(merged.Peak(), 1.f);
}
