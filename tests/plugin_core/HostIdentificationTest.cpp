#include <gtest/gtest.h>

#include <string>

#include "IPlugAPIBase.h"

using iplug::LookUpHost;

TEST(HostIdentification, NamesMatchCaseInsensitivelyBySubstring)
{
  EXPECT_EQ(LookUpHost("Logic Pro X"), iplug::kHostLogic);
  EXPECT_EQ(LookUpHost("com.apple.logic10"), iplug::kHostLogic);
  EXPECT_EQ(LookUpHost("REAPER"), iplug::kHostReaper);
  EXPECT_EQ(LookUpHost("Bitwig Studio"), iplug::kHostBitwig);
}

TEST(HostIdentification, LongerNamesWinWhereOneContainsAnother)
{
  EXPECT_EQ(LookUpHost("WaveLab Elements 9"), iplug::kHostWaveLabElements);
  EXPECT_EQ(LookUpHost("WaveLab 11"), iplug::kHostWaveLab);
  EXPECT_EQ(LookUpHost("Mixbus32C"), iplug::kHostMixbus32C);
  EXPECT_EQ(LookUpHost("Mixbus"), iplug::kHostMixbus);
}

TEST(HostIdentification, EarlierTextsWinOverLaterOnes)
{
  EXPECT_EQ(LookUpHost("Ableton Live 11"), iplug::kHostAbletonLive);
  EXPECT_EQ(LookUpHost("Live Standalone"), iplug::kHostAbletonLive) << "live comes before standalone";
}

TEST(HostIdentification, EmptyNullAndUnknownNamesGiveUnknown)
{
  EXPECT_EQ(LookUpHost(""), iplug::kHostUnknown);
  EXPECT_EQ(LookUpHost(nullptr), iplug::kHostUnknown);
  EXPECT_EQ(LookUpHost("Some Host"), iplug::kHostUnknown);
}

TEST(HostIdentification, OnlyTheFirst255CharactersAreSearched)
{
  std::string name(255, 'x');
  EXPECT_EQ(LookUpHost((name + "reaper").c_str()), iplug::kHostUnknown);
  name.resize(249);
  EXPECT_EQ(LookUpHost((name + "reaper").c_str()), iplug::kHostReaper);
}
