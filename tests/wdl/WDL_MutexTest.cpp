#include <gtest/gtest.h>

#include <thread>

#include "WDL_Mutex.h"

TEST(WDL_MutexThreads, OwnerMayEnterAgainAndReleasesAfterMatchingLeaves)
{
  WDL_Mutex mutex;
  int depth = 0;
  {
    WDL_MutexLock outer(&mutex);
    WDL_MutexLock inner(&mutex);
    depth = 2;
  }
  bool otherThreadEntered = false;
  std::thread other([&] {
    WDL_MutexLock lock(&mutex);
    otherThreadEntered = true;
  });
  other.join();
  EXPECT_EQ(depth, 2);
  EXPECT_TRUE(otherThreadEntered);
}

TEST(WDL_MutexThreads, SerialisesThreads)
{
  WDL_Mutex mutex;
  long counter = 0;
  auto work = [&] {
    for (int i = 0; i < 100000; ++i)
    {
      WDL_MutexLock lock(&mutex);
      ++counter;
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 200000);
}
