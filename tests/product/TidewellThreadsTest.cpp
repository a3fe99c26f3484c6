#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "support/TidewellHarness.h"

TEST(TidewellThreads, ParameterChangesDuringProcessingAreRaceFreeAndKeepOutputFinite)
{
  TidewellHarness harness(2, 48000.0, 256);
  harness.SetParam(kPeriod, 0.0);
  std::atomic<bool> done{false};

  std::thread host([&] {
    for (int i = 0; !done.load(); ++i)
    {
      harness.SetParam(kDuration, (i % 100) / 100.0);
      harness.SetParam(kDepth, (i % 37) / 37.0);
      harness.SetParam(kDuck, i % 2);
      (void)harness.Plug().GetMeter();
    }
  });

  bool finite = true;
  bool inRange = true;
  for (int block = 0; block < 4000; ++block)
    for (double v : harness.RunBlock(256, 0.5))
    {
      finite = finite && std::isfinite(v);
      inRange = inRange && v >= 0.0 && v <= 0.5;
    }
  done = true;
  host.join();

  EXPECT_TRUE(finite);
  EXPECT_TRUE(inRange) << "the gain stays within 0..1 whatever the settings do mid-dip";
}
