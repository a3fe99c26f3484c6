#include <gtest/gtest.h>

#include <cstring>

#include "WDL_HeapBuf.h"

TEST(WDL_HeapBuf, CapacityGrowsInWholeGranules)
{
  WDL_HeapBuf buf(100);
  ASSERT_NE(buf.Resize(1), nullptr);
  EXPECT_EQ(buf.GetSize(), 1);
  EXPECT_EQ(buf.GetCapacity(), 100);
  buf.Resize(101);
  EXPECT_EQ(buf.GetCapacity(), 200);
}

TEST(WDL_HeapBuf, ResizingWithinCapacityKeepsTheBlock)
{
  WDL_HeapBuf buf(64);
  void* first = buf.Resize(10);
  EXPECT_EQ(buf.Resize(64), first);
  EXPECT_EQ(buf.Resize(5, false), first);
  EXPECT_EQ(buf.GetCapacity(), 64);
}

TEST(WDL_HeapBuf, GrowingKeepsContent)
{
  WDL_HeapBuf buf(8);
  std::memcpy(buf.Resize(8), "abcdefg", 8);
  buf.Resize(4096);
  EXPECT_STREQ(static_cast<const char*>(buf.Get()), "abcdefg");
}

TEST(WDL_HeapBuf, ShrinkingReleasesOnlyWhenAsked)
{
  WDL_HeapBuf buf(16);
  buf.Resize(100);
  buf.Resize(10, false);
  EXPECT_EQ(buf.GetCapacity(), 112);
  buf.Resize(10, true);
  EXPECT_EQ(buf.GetCapacity(), 16);
  buf.Resize(0);
  EXPECT_EQ(buf.Get(), nullptr);
  EXPECT_EQ(buf.GetCapacity(), 0);
}

TEST(WDL_HeapBuf, NegativeSizeIsEmptyAndCopiesAreDeep)
{
  WDL_HeapBuf buf(4);
  buf.Resize(-3);
  EXPECT_EQ(buf.GetSize(), 0);
  std::memcpy(buf.Resize(3), "hi", 3);
  WDL_HeapBuf copy(buf);
  static_cast<char*>(buf.Get())[0] = 'X';
  EXPECT_STREQ(static_cast<const char*>(copy.Get()), "hi");
}

TEST(WDL_TypedBuf, SizesCountElements)
{
  WDL_TypedBuf<double> buf(4096);
  double* data = buf.Resize(1000);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(buf.GetSize(), 1000);
  data[999] = 1.5;
  buf.Resize(2000);
  EXPECT_EQ(buf.Get()[999], 1.5);
}

TEST(WDL_TypedBuf, AddAppendsInOrder)
{
  WDL_TypedBuf<int> buf(8);
  for (int i = 0; i < 100; ++i)
    ASSERT_NE(buf.Add(i * 3), nullptr);
  ASSERT_EQ(buf.GetSize(), 100);
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(buf.Get()[i], i * 3);
}

TEST(WDL_TypedBuf, ImpossibleSizeFailsAndKeepsContent)
{
  WDL_TypedBuf<double> buf;
  buf.Resize(4)[3] = 7.0;
  EXPECT_EQ(buf.Resize(0x7fffffff), nullptr);
  EXPECT_EQ(buf.GetSize(), 4);
  EXPECT_EQ(buf.Get()[3], 7.0);
}
