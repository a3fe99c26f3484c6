#include <gtest/gtest.h>

#include "WDL_PtrList.h"

namespace
{
  // Counts live instances so deletion by the list is observable.
  struct Tracked
  {
    explicit Tracked(int* liveCount) : mLive(liveCount) { ++*mLive; }
    ~Tracked() { --*mLive; }
    int* mLive;
  };
}

TEST(WDL_PtrList, KeepsOrderThroughInsertAndDelete)
{
  int a = 1, b = 2, c = 3;
  WDL_PtrList<int> list;
  list.Add(&a);
  list.Add(&c);
  list.Insert(1, &b);
  ASSERT_EQ(list.GetSize(), 3);
  EXPECT_EQ(list.Get(0), &a);
  EXPECT_EQ(list.Get(1), &b);
  EXPECT_EQ(list.Get(2), &c);
  list.Delete(0);
  EXPECT_EQ(list.Get(0), &b);
  EXPECT_EQ(list.Find(&c), 1);
  EXPECT_EQ(list.Find(&a), -1);
}

TEST(WDL_PtrList, OutOfRangeIndicesAreHarmless)
{
  int a = 1;
  WDL_PtrList<int> list;
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_EQ(list.GetList(), nullptr);
  list.Delete(-1);
  list.Delete(5);
  list.Set(3, &a);
  list.Insert(99, &a);
  list.Insert(-99, &a);
  EXPECT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(WDL_PtrList, DeletesElementsOnlyWhenAsked)
{
  int live = 0;
  WDL_PtrList<Tracked> list;
  Tracked kept(&live);
  list.Add(&kept);
  list.Add(new Tracked(&live));
  list.Add(new Tracked(&live));
  EXPECT_EQ(live, 3);
  list.Delete(0);
  EXPECT_EQ(live, 3);
  list.Delete(0, true);
  EXPECT_EQ(live, 2);
  EXPECT_TRUE(list.DeletePtr(list.Get(0), true));
  EXPECT_EQ(live, 1);
  EXPECT_FALSE(list.DeletePtr(&kept));
}

TEST(WDL_PtrList, EmptyWithDeleteFreesEverything)
{
  int live = 0;
  WDL_PtrList<Tracked> list;
  for (int i = 0; i < 10; ++i)
    list.Add(new Tracked(&live));
  list.Empty(true);
  EXPECT_EQ(live, 0);
  EXPECT_EQ(list.GetSize(), 0);
}

TEST(WDL_PtrList_DeleteOnDestroy, OwnsWhatItStillHolds)
{
  int live = 0;
  {
    WDL_PtrList_DeleteOnDestroy<Tracked> list;
    list.Add(new Tracked(&live));
    list.Add(new Tracked(&live));
    EXPECT_EQ(live, 2);
  }
  EXPECT_EQ(live, 0);
}
