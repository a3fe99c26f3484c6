#include <gtest/gtest.h>

#include <vector>

#include "TestProcessor.h"

namespace iplug
{
namespace
{
using test::TestProcessor;

TEST(LayoutQuery, LegalIOMatchesWholeLayouts)
{
  TestProcessor p("1-1 2-2");
  EXPECT_TRUE(p.LegalIO(1, 1));
  EXPECT_TRUE(p.LegalIO(2, 2));
  EXPECT_FALSE(p.LegalIO(1, 2));
  EXPECT_FALSE(p.LegalIO(0, 0));

  TestProcessor q("1-1 1-2");
  EXPECT_TRUE(q.LegalIO(1, 2)) << "a later layout with the same input count may match";
}

TEST(LayoutQuery, LegalIONegativeCountMeansAny)
{
  TestProcessor p("1-1 2-2");
  EXPECT_TRUE(p.LegalIO(-1, 2));
  EXPECT_FALSE(p.LegalIO(-1, 3));
  EXPECT_TRUE(p.LegalIO(2, -1));
  EXPECT_FALSE(p.LegalIO(3, -1));
  EXPECT_TRUE(p.LegalIO(-1, -1));
}

TEST(LayoutQuery, MaxNBusesReportsTheLaterLayoutOnTies)
{
  TestProcessor p("1-1 2-2");
  int idx = -2;
  EXPECT_EQ(p.MaxNBuses(kInput, &idx), 1);
  EXPECT_EQ(idx, 1);

  TestProcessor q("1.1-1 2.2-2 1-1");
  EXPECT_EQ(q.MaxNBuses(kInput, &idx), 2);
  EXPECT_EQ(idx, 1);
  EXPECT_EQ(q.MaxNBuses(kOutput), 1);
}

TEST(LayoutQuery, MaxNChannelsForBusTakesTheLargestOverLayouts)
{
  TestProcessor p("2.1-2 1.4-2 1-1");
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, 0), 2);
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, 1), 4);
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, 2), 0);
  EXPECT_EQ(p.MaxNChannelsForBus(kOutput, 0), 2);
}

TEST(LayoutQuery, MaxNChannelsForBusIsMinusOneForAWildcardInTheFirstLayout)
{
  TestProcessor wildcard("*-*");
  EXPECT_EQ(wildcard.MaxNChannelsForBus(kInput, 0), -1);
  EXPECT_EQ(wildcard.MaxNChannelsForBus(kOutput, 0), -1);

  TestProcessor later("2-2 *-*");
  EXPECT_EQ(later.MaxNChannelsForBus(kInput, 0), 2);
}

TEST(LayoutQuery, GetIOConfigWithChanCountsFindsTheFirstExactLayout)
{
  TestProcessor p("1-1 2-2 2.2-2 2-2");
  std::vector<int> ins{2}, outs{2};
  EXPECT_EQ(p.GetIOConfigWithChanCounts(ins, outs), 1);

  std::vector<int> twoBuses{2, 2};
  EXPECT_EQ(p.GetIOConfigWithChanCounts(twoBuses, outs), 2);

  std::vector<int> mono{1}, stereo{2};
  EXPECT_EQ(p.GetIOConfigWithChanCounts(mono, stereo), -1);

  std::vector<int> none;
  EXPECT_EQ(p.GetIOConfigWithChanCounts(mono, none), 0) << "an empty output list matches any outputs";

  std::vector<int> three{3};
  EXPECT_EQ(p.GetIOConfigWithChanCounts(three, none), -1);
}

TEST(LayoutQuery, ConnectionCountsFollowSetChannelConnections)
{
  TestProcessor p("4-4");
  EXPECT_EQ(p.NChannelsConnected(kInput), 0);
  p.SetChannelConnections(kInput, 1, 2, true);
  EXPECT_EQ(p.NChannelsConnected(kInput), 2);
  EXPECT_FALSE(p.IsChannelConnected(kInput, 0));
  EXPECT_TRUE(p.IsChannelConnected(kInput, 2));
  EXPECT_FALSE(p.IsChannelConnected(kInput, 4));
  EXPECT_FALSE(p.IsChannelConnected(kInput, -1));
  EXPECT_EQ(p.NChannelsConnected(kOutput), 0);
}

TEST(LayoutQuery, ConnectionRangesAreClippedToTheRecords)
{
  TestProcessor p("4-4");
  p.SetChannelConnections(kOutput, -2, 4, true);
  EXPECT_EQ(p.NChannelsConnected(kOutput), 2);
  EXPECT_TRUE(p.IsChannelConnected(kOutput, 1));
  p.SetChannelConnections(kOutput, 3, 100, true);
  EXPECT_EQ(p.NChannelsConnected(kOutput), 3);
  p.SetChannelConnections(kOutput, 0, -3, false);
  p.SetChannelConnections(kOutput, 9, 1, false);
  EXPECT_EQ(p.NChannelsConnected(kOutput), 3);
}

TEST(LayoutQuery, LimitToStereoIODisconnectsExtraInputsAndConnectsExtraOutputs)
{
  TestProcessor p("4-4");
  p.SetChannelConnections(kInput, 0, 4, true);
  p.LimitToStereoIO();
  EXPECT_TRUE(p.IsChannelConnected(kInput, 1));
  EXPECT_FALSE(p.IsChannelConnected(kInput, 2));
  EXPECT_FALSE(p.IsChannelConnected(kInput, 3));
  EXPECT_FALSE(p.IsChannelConnected(kOutput, 1));
  EXPECT_TRUE(p.IsChannelConnected(kOutput, 2));
  EXPECT_TRUE(p.IsChannelConnected(kOutput, 3));
}

} // namespace
} // namespace iplug
