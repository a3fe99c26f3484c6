#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "IRECTList.h"
#include "RectCoverage.h"

using iplug::igraphics::IRECT;
using iplug::igraphics::IRECTList;

namespace {

constexpr int kGridSize = 12;
constexpr int kCases = 20000;
constexpr int kMaxRects = 12;

// Mostly proper rectangles, with a few all-zero entries and zero-width or zero-height slivers, since those
// reach the odd branches (empty overlaps, touching edges).
IRECT RandomRect(std::mt19937& rng)
{
  std::uniform_int_distribution<int> kind(0, 19);
  std::uniform_int_distribution<int> coord(0, kGridSize - 1);
  const int k = kind(rng);
  if (k == 0)
    return IRECT();

  const int l = coord(rng);
  const int t = coord(rng);
  const int r = k == 1 ? l : std::uniform_int_distribution<int>(l + 1, kGridSize)(rng);
  const int b = k == 2 ? t : std::uniform_int_distribution<int>(t + 1, kGridSize)(rng);
  return IRECT(static_cast<float>(l), static_cast<float>(t), static_cast<float>(r), static_cast<float>(b));
}

std::string Describe(const IRECTList& list)
{
  std::ostringstream text;
  for (int i = 0; i < list.Size(); ++i)
  {
    const IRECT r = list.Get(i);
    text << "(" << r.L << "," << r.T << "," << r.R << "," << r.B << ") ";
  }
  return text.str();
}

} // namespace

TEST(IRECTListOptimizeProperty, RandomGridListsKeepTheirCellsAndEndWithoutOverlap)
{
  std::mt19937 rng(20240611u);
  std::uniform_int_distribution<int> count(1, kMaxRects);
  int failures = 0;

  for (int c = 0; c < kCases && failures < 5; ++c)
  {
    IRECTList list;
    const int n = count(rng);
    for (int i = 0; i < n; ++i)
      list.Add(RandomRect(rng));

    const std::string input = Describe(list);
    const std::vector<bool> before = rect_coverage::CoveredCells(list, kGridSize);
    list.Optimize();

    const bool sameCells = rect_coverage::CoveredCells(list, kGridSize) == before;
    const bool disjoint = !rect_coverage::AnyOverlap(list);
    EXPECT_TRUE(sameCells) << "case " << c << " covers other cells\n in:  " << input << "\n out: " << Describe(list);
    EXPECT_TRUE(disjoint) << "case " << c << " overlaps\n in:  " << input << "\n out: " << Describe(list);
    EXPECT_LE(list.Size(), kGridSize * kGridSize) << "case " << c << " in: " << input;
    failures += (sameCells && disjoint) ? 0 : 1;
  }
}
