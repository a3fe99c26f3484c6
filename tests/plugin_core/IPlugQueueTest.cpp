#include <gtest/gtest.h>

#include <thread>

#include "IPlugQueue.h"

using iplug::IPlugQueue;

TEST(IPlugQueue, PopsInPushOrder)
{
  IPlugQueue<int> queue(8);
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
  EXPECT_EQ(item, 99) << "an empty pop leaves the target alone";
}

TEST(IPlugQueue, OneSlotStaysEmptySoCapacityItemsFit)
{
  IPlugQueue<int> queue(4);
  EXPECT_EQ(queue.Capacity(), 4u);
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(queue.Push(i));
  EXPECT_FALSE(queue.Push(4)) << "the newest item is dropped when full";
  int item = -1;
  queue.Pop(item);
  EXPECT_EQ(item, 0);
  EXPECT_TRUE(queue.Push(5));
  EXPECT_EQ(queue.ElementsAvailable(), 4u);
}

TEST(IPlugQueue, WrapsAroundManyTimes)
{
  IPlugQueue<int> queue(3);
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

TEST(IPlugQueueThreads, OneProducerOneConsumerNeverReorderOrDuplicate)
{
  constexpr int kItems = 1000000;
  IPlugQueue<iplug::ParamTuple> queue(512);
  int dropped = 0;

  std::thread producer([&] {
    for (int i = 0; i < kItems; ++i)
      if (!queue.Push({i, i * 0.5}))
        ++dropped;
    while (!queue.Push({-1, 0.0}))
      std::this_thread::yield();
  });

  int last = -1;
  int received = 0;
  bool orderKept = true;
  bool valuesIntact = true;
  for (;;)
  {
    iplug::ParamTuple item;
    if (!queue.Pop(item))
    {
      std::this_thread::yield();
      continue;
    }
    if (item.idx == -1)
      break;
    orderKept = orderKept && item.idx > last;
    valuesIntact = valuesIntact && item.value == item.idx * 0.5;
    last = item.idx;
    ++received;
  }
  producer.join();

  EXPECT_TRUE(orderKept);
  EXPECT_TRUE(valuesIntact);
  EXPECT_EQ(received + dropped, kItems) << "every item is either delivered once or dropped because the ring was full";
}
