// The host's bundle version becomes the packed host version the plug-in is told at Initialize.

#include "IPlugAU.h"

#include <gtest/gtest.h>

using iplug::ParseHostBundleVersion;

TEST(HostBundleVersion, PacksMajorMinorAndRevision)
{
  EXPECT_EQ(ParseHostBundleVersion("10.2"), 0x000A0200);
  EXPECT_EQ(ParseHostBundleVersion("1.2.3"), 0x00010203);
  EXPECT_EQ(ParseHostBundleVersion("7"), 0x00070000);
  EXPECT_EQ(ParseHostBundleVersion("4-5b6"), 0x00040506);
}

TEST(HostBundleVersion, MissingVersionIsZero)
{
  EXPECT_EQ(ParseHostBundleVersion(nullptr), 0);
  EXPECT_EQ(ParseHostBundleVersion(""), 0);
}

TEST(HostBundleVersion, MinorAndRevisionKeepEightBits)
{
  EXPECT_EQ(ParseHostBundleVersion("1.300.258"), 0x00012C02);
}
