// The audio path allocates nothing: runs with changing control values and through a dip, with and without
// the host's block length, count no allocation inside the plug-in.

#include <gtest/gtest.h>

#include <vector>

#include "LV2TestHost.h"
#include "realtime/AllocationCounter.h"

TEST(LV2RunAllocation, RunningAllocatesNothing)
{
  LV2TestWorld world;
  LV2InstanceOptions options;
  options.maxBlockLength = 256;
  LV2TestInstance instance(world, StereoURI(), options);
  ASSERT_TRUE(instance.Valid());
  instance.Control("period") = 0.f;
  instance.Control("duration") = 0.f;
  instance.Run(256);

  ScopedAllocationCounter counter;
  // Past the first dip's start at 480000, with a control change on every run and runs longer than 256 frames.
  for (int run = 0; run < 600; ++run)
  {
    instance.Control("depth") = static_cast<float>(run % 10) / 10.f;
    instance.Control("duck") = static_cast<float>(run % 2);
    instance.Run(1000);
  }
  EXPECT_EQ(counter.Count(), 0);
}
