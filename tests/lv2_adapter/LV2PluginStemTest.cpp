// Where a product's LV2 URIs come from: the configuration's URI base when it gives one, else the maker's domain
// read back from the bundle identifier, else a URN of maker and name.

#include <gtest/gtest.h>

#include "LV2PluginVariant.h"

TEST(LV2PluginStem, TheURIBaseWinsOverTheBundleIdentifier)
{
  const iplug::Config config{.channelIO = "2-2",
                             .pluginName = "Probe",
                             .makerName = "Maker",
                             .bundleId = "com.kelvane.audiounit.Probe",
                             .uriBase = "https://audio.example.org/lv2"};
  EXPECT_EQ(iplug::LV2PluginStem(config), "https://audio.example.org/lv2/Probe");
  EXPECT_EQ(iplug::LV2UIURI(config), "https://audio.example.org/lv2/Probe#ui");
  const auto variants = iplug::LV2PluginVariants(config, false);
  ASSERT_EQ(variants.size(), 1u);
  EXPECT_EQ(variants[0].mURI, "https://audio.example.org/lv2/Probe/stereo");
}

TEST(LV2PluginStem, WithoutURIBaseTheDomainComesFromTheBundleIdentifierOrAURN)
{
  iplug::Config config{.pluginName = "Probe", .makerName = "Maker", .bundleId = "com.kelvane.audiounit.Probe"};
  EXPECT_EQ(iplug::LV2PluginStem(config), "https://kelvane.com/plugins/Probe");
  config.bundleId = "Probe";
  EXPECT_EQ(iplug::LV2PluginStem(config), "urn:Maker:Probe");
}
