#include <gtest/gtest.h>

#include "TestPlugin.h"

using iplug::test::TestPlugin;

TEST(VersionString, PackedVersionAndItsDecimalForm)
{
  TestPlugin plugin;
  EXPECT_EQ(plugin.GetPluginVersion(false), 0x00010102);
  EXPECT_EQ(plugin.GetPluginVersion(true), 1120);
  WDL_String text;
  plugin.GetPluginVersionStr(text);
  EXPECT_STREQ(text.Get(), "v1.1.2");

  plugin.mVersion = (12 << 16) | (9 << 8) | 255;
  EXPECT_EQ(plugin.GetPluginVersion(true), 12000 + 900 + 2550);
  plugin.GetPluginVersionStr(text);
  EXPECT_STREQ(text.Get(), "v12.9.255");
}

TEST(VersionString, HostVersionIsZeroUntilIdentified)
{
  TestPlugin plugin;
  WDL_String text;
  EXPECT_EQ(plugin.GetHostVersion(false), 0);
  plugin.GetHostVersionStr(text);
  EXPECT_STREQ(text.Get(), "v0.0.0");
  EXPECT_EQ(plugin.GetHost(), -1);

  plugin.mHostVersion = (10 << 16) | (4 << 8) | 1;
  EXPECT_EQ(plugin.GetHostVersion(true), 10410);
  plugin.GetHostVersionStr(text);
  EXPECT_STREQ(text.Get(), "v10.4.1");
}

TEST(VersionString, APINamesFollowTheTable)
{
  const char* const expected[] = {"VST2", "VST3", "AU", "AUv3", "AAX", "APP", "WAM", "WEB", "LV2"};
  for (int api = 0; api < 9; ++api)
    EXPECT_STREQ(iplug::GetAPIName(api), expected[api]);
  EXPECT_STREQ(iplug::GetAPIName(9), "");
  EXPECT_STREQ(iplug::GetAPIName(-1), "");

  TestPlugin plugin;
  EXPECT_STREQ(plugin.GetAPIStr(), "AU");
  EXPECT_STREQ(plugin.GetArchStr(), "x86-64");
}

TEST(VersionString, BuildInfoKeepsFiveCharactersOfTheTimeAndATrailingSpace)
{
  TestPlugin plugin;
  WDL_String text;
  plugin.GetBuildInfoStr(text, "Mar  4 2024", "13:37:59");
  EXPECT_STREQ(text.Get(), "v1.1.2 AU (x86-64), built on Mar  4 2024 at 13:37 ");
  plugin.GetBuildInfoStr(text, nullptr, nullptr);
  EXPECT_STREQ(text.Get(), "v1.1.2 AU (x86-64), built on  at  ");
}
