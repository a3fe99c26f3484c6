#include <gtest/gtest.h>

#include <initializer_list>

#include "IRECTList.h"
#include "RectCoverage.h"

using iplug::igraphics::IRECT;
using iplug::igraphics::IRECTList;

namespace {

IRECTList MakeList(std::initializer_list<IRECT> rects)
{
  IRECTList list;
  for (const IRECT& r : rects)
    list.Add(r);
  return list;
}

void ExpectEntries(const IRECTList& list, std::initializer_list<IRECT> expected)
{
  ASSERT_EQ(list.Size(), static_cast<int>(expected.size()));
  int i = 0;
  for (const IRECT& r : expected)
  {
    EXPECT_EQ(list.Get(i), r) << "entry " << i;
    ++i;
  }
}

} // namespace

TEST(IRECTListAccess, OutOfRangeIndicesAreRefused)
{
  IRECTList list = MakeList({IRECT(1.f, 2.f, 3.f, 4.f)});
  EXPECT_TRUE(list.Get(1).Empty());
  EXPECT_TRUE(list.Get(-1).Empty());
  EXPECT_FALSE(list.Set(1, IRECT(5.f, 5.f, 6.f, 6.f)));
  EXPECT_FALSE(list.Set(-1, IRECT(5.f, 5.f, 6.f, 6.f)));
  EXPECT_TRUE(list.Set(0, IRECT(5.f, 5.f, 6.f, 6.f)));
  ExpectEntries(list, {IRECT(5.f, 5.f, 6.f, 6.f)});
}

TEST(IRECTListClear, KeepsTheBufferForTheNextFrame)
{
  IRECTList list;
  for (int i = 0; i < 40; ++i)
    list.Add(IRECT(0.f, 0.f, 1.f, 1.f));
  const int capacity = list.Capacity();
  EXPECT_GE(capacity * static_cast<int>(sizeof(IRECT)), 4096);

  list.Clear();
  EXPECT_EQ(list.Size(), 0);
  EXPECT_EQ(list.Capacity(), capacity);
}

TEST(IRECTListBounds, FoldsUnionInOrderSkippingEmptyEntries)
{
  EXPECT_TRUE(IRECTList().Bounds().Empty());
  const IRECTList list = MakeList({IRECT(), IRECT(5.f, 5.f, 10.f, 10.f), IRECT(), IRECT(0.f, 20.f, 3.f, 25.f)});
  EXPECT_EQ(list.Bounds(), IRECT(0.f, 5.f, 10.f, 25.f));
}

TEST(IRECTListPixelAlign, AlignsEveryEntryAtTheScale)
{
  IRECTList list = MakeList({IRECT(0.3f, 0.3f, 10.2f, 10.2f), IRECT(1.1f, 1.9f, 2.6f, 3.4f)});
  list.PixelAlign(2.f);
  ExpectEntries(list, {IRECT(0.f, 0.f, 10.5f, 10.5f), IRECT(1.f, 1.5f, 3.f, 3.5f)});
}

TEST(IRECTListSplit, EachCornerLeavesTheRestOfTheRectangleInTwoParts)
{
  const IRECT r(0.f, 0.f, 10.f, 10.f);
  struct Case
  {
    const char* corner;
    IRECT overlap, appended, kept;
  };
  const Case cases[] = {
    {"top-left", IRECT(0.f, 0.f, 4.f, 4.f), IRECT(4.f, 0.f, 10.f, 4.f), IRECT(0.f, 4.f, 10.f, 10.f)},
    {"bottom-left", IRECT(0.f, 6.f, 4.f, 10.f), IRECT(0.f, 0.f, 10.f, 6.f), IRECT(4.f, 6.f, 10.f, 10.f)},
    {"top-right", IRECT(6.f, 0.f, 10.f, 4.f), IRECT(0.f, 0.f, 6.f, 4.f), IRECT(0.f, 4.f, 10.f, 10.f)},
    {"bottom-right", IRECT(6.f, 6.f, 10.f, 10.f), IRECT(0.f, 0.f, 10.f, 6.f), IRECT(0.f, 6.f, 6.f, 10.f)},
  };
  for (const Case& c : cases)
  {
    IRECTList list = MakeList({IRECT(50.f, 50.f, 60.f, 60.f)});
    EXPECT_EQ(list.Split(r, c.overlap), c.kept) << c.corner;
    ASSERT_EQ(list.Size(), 2) << c.corner;
    EXPECT_EQ(list.Get(1), c.appended) << c.corner;
    EXPECT_FLOAT_EQ(c.kept.Area() + c.appended.Area(), r.Area() - c.overlap.Area()) << c.corner;
  }
}

TEST(IRECTListOptimize, EmptyListStaysEmpty)
{
  IRECTList list;
  list.Optimize();
  EXPECT_EQ(list.Size(), 0);
}

TEST(IRECTListOptimize, SingleRectangleIsUnchanged)
{
  IRECTList list = MakeList({IRECT(1.5f, 2.5f, 30.f, 40.f)});
  list.Optimize();
  ExpectEntries(list, {IRECT(1.5f, 2.5f, 30.f, 40.f)});
}

TEST(IRECTListOptimize, IdenticalRectanglesReduceToOne)
{
  IRECTList list = MakeList({IRECT(1.f, 2.f, 3.f, 4.f), IRECT(1.f, 2.f, 3.f, 4.f)});
  list.Optimize();
  ExpectEntries(list, {IRECT(1.f, 2.f, 3.f, 4.f)});
}

TEST(IRECTListOptimize, ContainedRectangleIsRemovedWhereverItStands)
{
  const IRECT big(0.f, 0.f, 50.f, 50.f);
  const IRECT small(10.f, 10.f, 20.f, 20.f);
  const IRECT far1(100.f, 100.f, 110.f, 110.f);
  const IRECT far2(200.f, 0.f, 210.f, 5.f);

  IRECTList before = MakeList({far1, small, big, far2});
  before.Optimize();
  ExpectEntries(before, {far1, big, far2});

  IRECTList after = MakeList({far1, big, far2, small});
  after.Optimize();
  ExpectEntries(after, {far1, big, far2});
}

TEST(IRECTListOptimize, SameColumnRectanglesTouchingEndToEndMerge)
{
  IRECTList list = MakeList({IRECT(0.f, 0.f, 10.f, 10.f), IRECT(0.f, 10.f, 10.f, 20.f)});
  list.Optimize();
  ExpectEntries(list, {IRECT(0.f, 0.f, 10.f, 20.f)});
}

TEST(IRECTListOptimize, AnyGapPreventsMerging)
{
  IRECTList list = MakeList({IRECT(0.f, 0.f, 10.f, 10.f), IRECT(0.f, 10.5f, 10.f, 20.f)});
  list.Optimize();
  ExpectEntries(list, {IRECT(0.f, 0.f, 10.f, 10.f), IRECT(0.f, 10.5f, 10.f, 20.f)});
}

TEST(IRECTListOptimize, EmptyEntryIsAbsorbed)
{
  const IRECT r(5.f, 5.f, 10.f, 10.f);
  IRECTList first = MakeList({IRECT(), r});
  first.Optimize();
  ExpectEntries(first, {r});

  IRECTList last = MakeList({r, IRECT()});
  last.Optimize();
  ExpectEntries(last, {r});
}

// An overlap that crosses the middle of a rectangle leaves a part on each side; both must stay covered.
TEST(IRECTListOptimize, VerticalBandThroughTheMiddleKeepsBothSides)
{
  IRECTList list = MakeList({IRECT(0.f, 0.f, 30.f, 10.f), IRECT(10.f, -5.f, 20.f, 15.f)});
  list.Optimize();
  ExpectEntries(list, {IRECT(0.f, 0.f, 10.f, 10.f), IRECT(10.f, -5.f, 20.f, 15.f), IRECT(20.f, 0.f, 30.f, 10.f)});
}

TEST(IRECTListOptimize, HorizontalBandThroughTheMiddleKeepsBothSides)
{
  IRECTList list = MakeList({IRECT(0.f, 0.f, 10.f, 30.f), IRECT(-5.f, 10.f, 15.f, 20.f)});
  list.Optimize();
  ExpectEntries(list, {IRECT(0.f, 0.f, 10.f, 10.f), IRECT(-5.f, 10.f, 15.f, 20.f), IRECT(0.f, 20.f, 10.f, 30.f)});
}

TEST(IRECTListOptimize, CornerOverlapSplitsTheSmallerRectangle)
{
  const IRECT small(0.f, 0.f, 10.f, 10.f);
  const IRECT large(5.f, 5.f, 20.f, 20.f);
  IRECTList list = MakeList({small, large});
  list.Optimize();
  ExpectEntries(list, {IRECT(0.f, 5.f, 5.f, 10.f), large, IRECT(0.f, 0.f, 10.f, 5.f)});
}

TEST(IRECTListOptimize, EqualAreasSplitTheLaterRectangle)
{
  const IRECT first(0.f, 0.f, 10.f, 10.f);
  IRECTList list = MakeList({first, IRECT(5.f, 5.f, 15.f, 15.f)});
  list.Optimize();
  ExpectEntries(list, {first, IRECT(5.f, 10.f, 15.f, 15.f), IRECT(10.f, 5.f, 15.f, 10.f)});
}

TEST(IRECTListOptimize, OverlappingNeighboursOfARowBecomeOneRectangle)
{
  IRECTList list = MakeList({IRECT(0.f, 0.f, 10.f, 10.f), IRECT(8.f, 0.f, 20.f, 10.f), IRECT(18.f, 0.f, 30.f, 10.f)});
  list.Optimize();
  ExpectEntries(list, {IRECT(0.f, 0.f, 30.f, 10.f)});
}

TEST(IRECTListOptimize, RefillingAClearedListDoesNotGrowItsBuffer)
{
  IRECTList list;
  const auto fill = [&list] {
    list.Clear();
    for (int i = 0; i < 50; ++i)
      list.Add(IRECT(i * 7.f, (i % 5) * 9.f, i * 7.f + 12.f, (i % 5) * 9.f + 12.f));
  };
  fill();
  list.Optimize();
  const int capacity = list.Capacity();
  for (int frame = 0; frame < 10; ++frame)
  {
    fill();
    list.Optimize();
    EXPECT_EQ(list.Capacity(), capacity);
    EXPECT_FALSE(rect_coverage::AnyOverlap(list));
  }
}
