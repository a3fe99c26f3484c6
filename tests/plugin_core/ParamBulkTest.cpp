#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TestPlugin.h"

using iplug::IParam;
using iplug::IPluginBase;
using iplug::test::TestPlugin;

namespace
{
  // Six doubles 0..10 in steps of 1: three in group "A", three in group "B".
  class GroupedPlugin : public IPluginBase
  {
  public:
    GroupedPlugin()
      : IPluginBase(6, 0)
    {
      for (int i = 0; i < 6; ++i)
      {
        const char name[3] = {'P', static_cast<char>('0' + i), '\0'};
        GetParam(i)->InitDouble(name, i, 0.0, 10.0, 1.0, "", 0, i < 3 ? "A" : "B");
      }
    }

    std::vector<double> Values() const
    {
      std::vector<double> values;
      for (int i = 0; i < NParams(); ++i)
        values.push_back(GetParam(i)->Value());
      return values;
    }
  };
}

TEST(ParamBulk, DefaultsByRangeAndGroup)
{
  GroupedPlugin plugin;
  plugin.ForParamInRange(0, 5, [](int, IParam& param) { param.Set(9.0); });
  plugin.DefaultParamValues(1, 2);
  EXPECT_EQ(plugin.Values(), (std::vector<double>{9, 1, 2, 9, 9, 9}));
  plugin.DefaultParamValues("B");
  EXPECT_EQ(plugin.Values(), (std::vector<double>{9, 1, 2, 3, 4, 5}));
  plugin.DefaultParamValues(-10, 100);
  EXPECT_EQ(plugin.Values(), (std::vector<double>{0, 1, 2, 3, 4, 5}));
}

TEST(ParamBulk, RangesAndGroupsVisitInIndexOrder)
{
  GroupedPlugin plugin;
  std::vector<int> visited;
  plugin.ForParamInRange(4, 99, [&](int idx, IParam&) { visited.push_back(idx); });
  plugin.ForParamInGroup("A", [&](int idx, IParam&) { visited.push_back(idx); });
  plugin.ForParamInGroup("a", [&](int idx, IParam&) { visited.push_back(idx); });
  plugin.ForParamInGroup(nullptr, [&](int idx, IParam&) { visited.push_back(idx); });
  EXPECT_EQ(visited, (std::vector<int>{4, 5, 0, 1, 2}));
}

TEST(ParamBulk, RandomisationUsesTheCLibraryGeneratorInSinglePrecision)
{
  TestPlugin plugin;
  std::srand(1234);
  std::vector<double> expected;
  for (int i = 0; i < plugin.NParams(); ++i)
  {
    const float position = static_cast<float>(std::rand()) / 2147483648.0f;
    expected.push_back(plugin.GetParam(i)->FromNormalisedValue(position));
  }
  std::srand(1234);
  plugin.RandomiseParamValues();
  EXPECT_EQ(plugin.Values(), expected);

  GroupedPlugin grouped;
  grouped.RandomiseParamValues("A");
  grouped.RandomiseParamValues(5, 5);
  EXPECT_EQ(grouped.GetParam(3)->Value(), 3.0);
  EXPECT_EQ(grouped.GetParam(4)->Value(), 4.0);
}

TEST(ParamBulk, InitParamRangeNamesByCounter)
{
  GroupedPlugin plugin;
  plugin.InitParamRange(0, 2, 7, "Band %d gain with a very long name", 0.5, 0.0, 1.0, 0.01, "dB");
  EXPECT_STREQ(plugin.GetParam(0)->GetName(), "Band 7 gain with a very long na");
  EXPECT_STREQ(plugin.GetParam(2)->GetName(), "Band 9 gain with a very long na");
  EXPECT_EQ(plugin.GetParam(1)->GetDefault(), 0.5);
}

TEST(ParamBulk, CloneParamRangeCopiesDeclarationsAndValues)
{
  GroupedPlugin plugin;
  plugin.GetParam(1)->Set(7.0);
  plugin.CloneParamRange(0, 1, 4, "P", "Copy of P", "C");
  EXPECT_STREQ(plugin.GetParam(4)->GetName(), "Copy of P0");
  EXPECT_STREQ(plugin.GetParam(5)->GetName(), "Copy of P1");
  EXPECT_STREQ(plugin.GetParam(5)->GetGroup(), "C");
  EXPECT_EQ(plugin.GetParam(5)->Value(), 7.0);
  plugin.CloneParamRange(0, 3, 4);
  EXPECT_STREQ(plugin.GetParam(5)->GetName(), "P1") << "destinations past the last parameter are skipped";
}

TEST(ParamBulk, CopyParamValuesHandlesOverlapLikeMemmove)
{
  GroupedPlugin forward;
  forward.CopyParamValues(1, 0, 4);
  EXPECT_EQ(forward.Values(), (std::vector<double>{1, 2, 3, 4, 4, 5}));

  GroupedPlugin backward;
  backward.CopyParamValues(0, 1, 4);
  EXPECT_EQ(backward.Values(), (std::vector<double>{0, 0, 1, 2, 3, 5}));

  GroupedPlugin clipped;
  clipped.CopyParamValues(3, 4, 100);
  EXPECT_EQ(clipped.Values(), (std::vector<double>{0, 1, 2, 3, 3, 4}));
}

TEST(ParamBulk, CopyParamValuesBetweenGroupsPairsByIndexOrder)
{
  GroupedPlugin plugin;
  plugin.CopyParamValues("A", "B");
  EXPECT_EQ(plugin.Values(), (std::vector<double>{0, 1, 2, 0, 1, 2}));
  plugin.CopyParamValues("A", "Missing");
  EXPECT_EQ(plugin.Values(), (std::vector<double>{0, 1, 2, 0, 1, 2}));
}
