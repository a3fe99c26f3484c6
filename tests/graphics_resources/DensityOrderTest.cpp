#include <gtest/gtest.h>

#include <vector>

#include "DensityOrder.h"

using iplug::igraphics::DensityOrder;

namespace
{
std::vector<int> Order(int target)
{
  const DensityOrder order(target);
  return std::vector<int>(order.begin(), order.end());
}
} // namespace

TEST(DensityOrder, PlainDisplayPrefersThePlainImageThenTheDensestOne)
{
  EXPECT_EQ(Order(1), (std::vector<int>{1, 3, 2}));
}

TEST(DensityOrder, DoubleDensityTriesTwoThenThreeThenOne)
{
  EXPECT_EQ(Order(2), (std::vector<int>{2, 3, 1}));
}

TEST(DensityOrder, TripleDensityGoesStraightDown)
{
  EXPECT_EQ(Order(3), (std::vector<int>{3, 2, 1}));
}

TEST(DensityOrder, DensityFourTriesEveryDensityDownwards)
{
  EXPECT_EQ(Order(4), (std::vector<int>{4, 3, 2, 1}));
}

TEST(DensityOrder, DensitiesAboveFourFallBackToThreeAndBelow)
{
  EXPECT_EQ(Order(6), (std::vector<int>{6, 3, 2, 1}));
}

TEST(DensityOrder, TargetBelowOneIsTreatedAsOne)
{
  EXPECT_EQ(Order(0), Order(1));
  EXPECT_EQ(Order(-2), Order(1));
}
