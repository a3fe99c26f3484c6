// The identity a build reads from a plug-in's configuration: the CMake script must give back every text as the
// configuration has it, whatever characters it holds, and the component type must follow the plug-in's kind.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "FourCC.h"
#include "PluginIdentity.h"

namespace
{
  using iplug::Config;
  using iplug::FourCC;
  using iplug::PluginIdentity;

  Config MakeIdentityConfig()
  {
    return Config{.pluginName = "Probe",
                  .productName = "Probe Suite",
                  .makerName = "Maker \"Quoted\" $HOME; C:\\ & Co",
                  .vendorVersion = 0x00020A03,
                  .uniqueId = static_cast<int>(FourCC("prb1")),
                  .makerId = static_cast<int>(FourCC("MkR2")),
                  .bundleId = "org.example.audiounit.Probe",
                  .makerURL = "https://example.org",
                  .makerEmail = nullptr};
  }
}

TEST(PluginIdentity, ScriptSetsEveryFieldWithTextsEscapedForCMake)
{
  const Config config = MakeIdentityConfig();
  const std::string script = PluginIdentity(config).Script();
  EXPECT_NE(script.find("set(IPLUG_PLUGIN_NAME \"Probe\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_PRODUCT_NAME \"Probe Suite\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_MANUFACTURER \"Maker \\\"Quoted\\\" \\$HOME\\; C:\\\\ & Co\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_MANUFACTURER_CODE \"MkR2\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_PLUGIN_CODE \"prb1\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_COMPONENT_TYPE \"aufx\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_VERSION \"2.10.3\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_VERSION_NUMBER \"133635\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_BUNDLE_ID \"org.example.audiounit.Probe\")\n"), std::string::npos);
  EXPECT_NE(script.find("set(IPLUG_MAKER_URL \"https://example.org\")\n"), std::string::npos);
  // A text the configuration leaves out is empty, not a crash.
  EXPECT_NE(script.find("set(IPLUG_MAKER_EMAIL \"\")\n"), std::string::npos);
}

TEST(PluginIdentity, ComponentTypeFollowsTheKindAndMidiInput)
{
  Config config = MakeIdentityConfig();
  EXPECT_EQ(PluginIdentity(config).ComponentType(), "aufx");
  config.receivesMidi = true;
  EXPECT_EQ(PluginIdentity(config).ComponentType(), "aumf");
  config.pluginKind = 1;
  EXPECT_EQ(PluginIdentity(config).ComponentType(), "aumu");
  config.pluginKind = 2;
  EXPECT_EQ(PluginIdentity(config).ComponentType(), "aumi");
}

TEST(PluginIdentity, WriteReplacesTheFileWholeAndFailsInAMissingFolder)
{
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "plugin_identity_test";
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "identity.cmake").string();
  {
    std::ofstream stale(path);
    stale << "an older, longer identity that must not survive in part\n";
  }
  const Config config = MakeIdentityConfig();
  const PluginIdentity identity(config);
  ASSERT_TRUE(identity.Write(path));
  std::ifstream written(path);
  std::stringstream text;
  text << written.rdbuf();
  EXPECT_EQ(text.str(), identity.Script());
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  EXPECT_FALSE(identity.Write((folder / "missing" / "identity.cmake").string()));
  std::filesystem::remove_all(folder);
}
