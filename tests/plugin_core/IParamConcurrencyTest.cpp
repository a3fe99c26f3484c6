#include "IParam.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using iplug::IParam;

TEST(IParamThreads, ReadersOnlyEverSeeAStoredValue)
{
  IParam p;
  p.InitDouble("x", 0.0, -1000.0, 1000.0, 0.0);
  constexpr double kA = 123.456;
  constexpr double kB = -987.654;
  constexpr int kStores = 100000;
  std::atomic<bool> go{false};

  auto writer = [&](double value) {
    while (!go.load()) {}
    for (int i = 0; i < kStores; ++i)
      p.Set(value);
  };
  std::thread a(writer, kA);
  std::thread b(writer, kB);

  int torn = 0;
  go.store(true);
  for (int i = 0; i < kStores; ++i)
  {
    const double v = p.Value();
    if (v != 0.0 && v != kA && v != kB)
      ++torn;
  }
  a.join();
  b.join();

  EXPECT_EQ(torn, 0);
  EXPECT_TRUE(p.Value() == kA || p.Value() == kB);
}
