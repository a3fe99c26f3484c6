#include <gtest/gtest.h>

#include "IPlugProcessor.h"
#include "TestProcessor.h"

namespace iplug
{
namespace
{
struct Parsed
{
  WDL_PtrList_DeleteOnDestroy<IOConfig> layouts;
  int count = 0;
  int nIn = -1, nOut = -1, nInBuses = -1, nOutBuses = -1;

  explicit Parsed(const char* text)
  {
    count = IPlugProcessor::ParseChannelIOStr(text, layouts, nIn, nOut, nInBuses, nOutBuses);
  }
};

TEST(ChannelIOParse, TwoMonoAndStereoLayoutsGiveStereoMaxima)
{
  Parsed p("1-1 2-2");
  EXPECT_EQ(p.count, 2);
  EXPECT_EQ(p.layouts.GetSize(), 2);
  EXPECT_EQ(p.nIn, 2);
  EXPECT_EQ(p.nOut, 2);
  EXPECT_EQ(p.nInBuses, 1);
  EXPECT_EQ(p.nOutBuses, 1);
  EXPECT_EQ(p.layouts.Get(0)->NChansOnBusSAFE(kInput, 0), 1);
  EXPECT_EQ(p.layouts.Get(1)->NChansOnBusSAFE(kOutput, 0), 2);
}

TEST(ChannelIOParse, DotSeparatesBusesOfOneSide)
{
  Parsed p("2.2-2");
  ASSERT_EQ(p.count, 1);
  const IOConfig* layout = p.layouts.Get(0);
  EXPECT_EQ(layout->NBuses(kInput), 2);
  EXPECT_EQ(layout->NBuses(kOutput), 1);
  EXPECT_EQ(layout->GetTotalNChannels(kInput), 4);
  EXPECT_EQ(p.nIn, 4);
  EXPECT_EQ(p.nInBuses, 2);
  EXPECT_EQ(layout->GetBusInfo(kInput, 1)->mRoute, kInput);
  EXPECT_EQ(layout->GetBusInfo(kOutput, 0)->mRoute, kOutput);
}

TEST(ChannelIOParse, StarIsAWildcardBus)
{
  Parsed p("*-*");
  ASSERT_EQ(p.count, 1);
  const IOConfig* layout = p.layouts.Get(0);
  EXPECT_EQ(layout->NChansOnBusSAFE(kInput, 0), IBusInfo::kWildcard);
  EXPECT_EQ(layout->NChansOnBusSAFE(kOutput, 0), -64);
  EXPECT_TRUE(layout->ContainsWildcard(kInput));
  EXPECT_TRUE(layout->ContainsWildcard(kOutput));
  EXPECT_EQ(p.nIn, 0) << "a wildcard total is negative and never raises the maximum";
  EXPECT_EQ(p.nInBuses, 1);
}

TEST(ChannelIOParse, ZeroChannelAndEmptyBusesCountNoBus)
{
  Parsed p("  0-2   2.0.1-1 -2 ");
  ASSERT_EQ(p.count, 3);
  EXPECT_EQ(p.layouts.Get(0)->NBuses(kInput), 0);
  EXPECT_EQ(p.layouts.Get(2)->NBuses(kInput), 0);
  EXPECT_EQ(p.layouts.Get(2)->NBuses(kOutput), 1);
  EXPECT_EQ(p.layouts.Get(1)->NBuses(kInput), 2);
  EXPECT_EQ(p.layouts.Get(1)->NChansOnBusSAFE(kInput, 1), 1);
  EXPECT_EQ(p.nIn, 3);
  EXPECT_EQ(p.nInBuses, 2);
}

TEST(ChannelIOParse, TokensThatAreNotNumbersReadAsZero)
{
  Parsed p("x-2 2a-1.b 1--3");
  ASSERT_EQ(p.count, 3);
  EXPECT_EQ(p.layouts.Get(0)->NBuses(kInput), 0);
  EXPECT_EQ(p.layouts.Get(1)->NBuses(kInput), 0);
  EXPECT_EQ(p.layouts.Get(1)->NBuses(kOutput), 1);
  EXPECT_EQ(p.layouts.Get(2)->NBuses(kOutput), 0) << "a negative count is not a channel count";
  EXPECT_EQ(p.nIn, 1);
}

TEST(ChannelIOParse, HugeCountsAreClamped)
{
  Parsed p("99999999999-2000");
  ASSERT_EQ(p.count, 1);
  EXPECT_EQ(p.nIn, IPlugProcessor::kMaxBusChannels);
  EXPECT_EQ(p.nOut, IPlugProcessor::kMaxBusChannels);
}

TEST(ChannelIOParse, NullOrEmptyTextHasNoLayouts)
{
  Parsed empty("");
  EXPECT_EQ(empty.count, 0);
  EXPECT_EQ(empty.nIn, 0);
  EXPECT_EQ(empty.nOutBuses, 0);
  Parsed null(nullptr);
  EXPECT_EQ(null.count, 0);
  EXPECT_EQ(null.layouts.GetSize(), 0);
}

TEST(ChannelIOParse, AppendsToLayoutsAlreadyInTheList)
{
  Parsed p("1-1");
  int nIn = 0, nOut = 0, nInBuses = 0, nOutBuses = 0;
  EXPECT_EQ(IPlugProcessor::ParseChannelIOStr("2-2", p.layouts, nIn, nOut, nInBuses, nOutBuses), 1);
  EXPECT_EQ(p.layouts.GetSize(), 2);
  EXPECT_EQ(nIn, 2) << "maxima cover only the text just parsed";
}

TEST(ChannelIOParse, ProcessorCreatesOneRecordPerChannelOfTheLargestLayout)
{
  test::TestProcessor stereo("1-1 2-2");
  EXPECT_EQ(stereo.NIOConfigs(), 2);
  EXPECT_EQ(stereo.MaxNChannels(kInput), 2);
  EXPECT_EQ(stereo.MaxNChannels(kOutput), 2);

  test::TestProcessor wide("1-2 4-1");
  EXPECT_EQ(wide.MaxNChannels(kInput), 4);
  EXPECT_EQ(wide.MaxNChannels(kOutput), 2);

  test::TestProcessor wildcard("*-*");
  EXPECT_EQ(wildcard.MaxNChannels(kInput), 0);
  EXPECT_EQ(wildcard.GetIOConfig(1), nullptr);
}
} // namespace
} // namespace iplug
