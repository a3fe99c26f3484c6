#include <gtest/gtest.h>

#include <string>

#include "TestProcessor.h"

namespace iplug
{
namespace
{
using test::TestProcessor;

std::string BusName(const IPlugProcessor& p, ERoute route, int busIdx, int nBuses)
{
  WDL_String name("stale");
  p.GetBusName(route, busIdx, nBuses, name);
  return name.Get();
}

TEST(BusName, SingleBusesAreInputAndOutput)
{
  TestProcessor p("1-1 2-2");
  EXPECT_EQ(BusName(p, kInput, 0, 1), "Input");
  EXPECT_EQ(BusName(p, kOutput, 0, 1), "Output");
}

TEST(BusName, TwoInputBusesAreMainAndAux)
{
  TestProcessor p("2.2-2");
  EXPECT_EQ(BusName(p, kInput, 0, 2), "Main");
  EXPECT_EQ(BusName(p, kInput, 1, 2), "Aux");
  EXPECT_EQ(BusName(p, kOutput, 1, 2), "Output 1");
}

TEST(BusName, OtherCountsAreNumberedFromZero)
{
  TestProcessor p("1.1.1-1.1.1");
  EXPECT_EQ(BusName(p, kInput, 0, 3), "Input 0");
  EXPECT_EQ(BusName(p, kInput, 2, 3), "Input 2");
  EXPECT_EQ(BusName(p, kOutput, 2, 3), "Output 2");
}

TEST(ChannelLabel, FormatIsFilledWithTheChannelNumber)
{
  TestProcessor p("2-2");
  p.SetChannelLabel(kInput, 1, "In %i");
  EXPECT_STREQ(p.GetChannelLabel(kInput, 1), "In 2");
  p.SetChannelLabel(kOutput, 1, "Out %02d", true);
  EXPECT_STREQ(p.GetChannelLabel(kOutput, 1), "Out 01");
  EXPECT_STREQ(p.GetChannelLabel(kOutput, 0), "");
}

TEST(ChannelLabel, LabelsAreCutTo32Characters)
{
  TestProcessor p("1-1");
  p.SetChannelLabel(kInput, 0, "A very long channel label that goes on %i");
  EXPECT_EQ(std::string(p.GetChannelLabel(kInput, 0)), std::string("A very long channel label that g"));
}

TEST(ChannelLabel, FormatsThatDoNotTakeOneIntAreKeptAsText)
{
  TestProcessor p("1-1");
  p.SetChannelLabel(kInput, 0, "In %s");
  EXPECT_STREQ(p.GetChannelLabel(kInput, 0), "In %s");
  p.SetChannelLabel(kInput, 0, "%i and %i");
  EXPECT_STREQ(p.GetChannelLabel(kInput, 0), "%i and %i");
  p.SetChannelLabel(kInput, 0, "%999999d");
  EXPECT_STREQ(p.GetChannelLabel(kInput, 0), "%999999d");
  p.SetChannelLabel(kInput, 0, "100%% %i");
  EXPECT_STREQ(p.GetChannelLabel(kInput, 0), "100% 1");
  p.SetChannelLabel(kInput, 0, nullptr);
  EXPECT_STREQ(p.GetChannelLabel(kInput, 0), "");
}
} // namespace
} // namespace iplug
