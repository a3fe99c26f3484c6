#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "IPlugMPSCQueue.h"
#include "IPlugQueue.h"

using iplug::IPlugMPSCQueue;

TEST(IPlugMPSCQueue, PopsInPushOrderAndLeavesTheTargetAloneWhenEmpty)
{
  IPlugMPSCQueue<int> queue(8);
  for (int i = 0; i < 5; ++i)
    ASSERT_TRUE(queue.Push(i));
  EXPECT_EQ(queue.ElementsAvailable(), 5u);
  for (int i = 0; i < 5; ++i)
  {
    int item = -1;
    ASSERT_TRUE(queue.Pop(item));
    EXPECT_EQ(item, i);
  }
  int item = 99;
  EXPECT_FALSE(queue.Pop(item));
  EXPECT_EQ(item, 99);
}

TEST(IPlugMPSCQueue, HoldsExactlyItsCapacityAndDropsTheNewestWhenFull)
{
  IPlugMPSCQueue<int> queue(512);
  EXPECT_EQ(queue.Capacity(), 512u);
  for (int i = 0; i < 512; ++i)
    ASSERT_TRUE(queue.Push(i));
  EXPECT_FALSE(queue.Push(512));
  int item = -1;
  ASSERT_TRUE(queue.Pop(item));
  EXPECT_EQ(item, 0);
  EXPECT_TRUE(queue.Push(513)) << "a popped slot is free again";
  EXPECT_EQ(queue.ElementsAvailable(), 512u);
}

TEST(IPlugMPSCQueue, WrapsAroundManyTimes)
{
  IPlugMPSCQueue<int> queue(3);
  EXPECT_EQ(queue.Capacity(), 4u) << "capacities round up to a power of two";
  int expected = 0;
  for (int round = 0; round < 1000; ++round)
  {
    queue.Push(round * 2);
    queue.Push(round * 2 + 1);
    int item = -1;
    while (queue.Pop(item))
      ASSERT_EQ(item, expected++);
  }
  EXPECT_EQ(expected, 2000);
}

TEST(IPlugMPSCQueueThreads, TwoProducersLoseNothingAndKeepEachProducersOrder)
{
  constexpr int kItemsPerProducer = 200000;
  IPlugMPSCQueue<iplug::ParamTuple> queue(512);
  const auto produce = [&](int producer) {
    for (int i = 0; i < kItemsPerProducer; ++i)
      while (!queue.Push({producer, static_cast<double>(i)}))
        std::this_thread::yield();
  };
  std::thread first(produce, 0);
  std::thread second(produce, 1);

  std::vector<double> next(2, 0.0);
  bool inOrder = true;
  for (int received = 0; received < 2 * kItemsPerProducer;)
  {
    iplug::ParamTuple item;
    if (!queue.Pop(item))
    {
      std::this_thread::yield();
      continue;
    }
    ++received;
    inOrder = inOrder && item.value == next[static_cast<std::size_t>(item.idx)];
    next[static_cast<std::size_t>(item.idx)] = item.value + 1.0;
  }
  first.join();
  second.join();

  EXPECT_TRUE(inOrder);
  EXPECT_EQ(next[0], kItemsPerProducer);
  EXPECT_EQ(next[1], kItemsPerProducer);
}
