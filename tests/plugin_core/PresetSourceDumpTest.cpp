#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestPlugin.h"

using iplug::IPluginBase;
using iplug::test::TempFile;
using iplug::test::TestPlugin;

namespace
{
  // One parameter of each rendering kind: bool, int and double.
  class MixedPlugin : public IPluginBase
  {
  public:
    MixedPlugin()
      : IPluginBase(3, 1)
    {
      GetParam(0)->InitBool("On", true);
      GetParam(1)->InitInt("Count", 3, 0, 10);
      GetParam(2)->InitDouble("Gain", 0.25, 0.0, 1.0, 0.01);
      GetParam(0)->Set(0.0);
    }
  };

  // A plug-in whose current preset is "Gentle" and whose values differ from it.
  void MakeGentle(TestPlugin& plugin)
  {
    plugin.MakePreset("Gentle", 0, 0.1, 0.1, 0.1, 0.1);
    plugin.SetValues({1.0, 0.5, 0.25, 0.75, 0.13});
  }
}

TEST(PresetSourceDump, MakePresetLineRendersValuesByParameterKind)
{
  TempFile file(".txt");
  TestPlugin plugin;
  MakeGentle(plugin);
  plugin.DumpMakePresetSrc(file.Path());
  plugin.DumpMakePresetSrc(file.Path());
  const std::string line = "MakePreset(\"Gentle\", 1, 0.500000, 0.250000, 0.750000, 0.130000);\n";
  EXPECT_EQ(file.Read(), line + line) << "lines are appended";

  TempFile mixedFile(".txt");
  MixedPlugin mixed;
  mixed.DumpMakePresetSrc(mixedFile.Path());
  EXPECT_EQ(mixedFile.Read(), "MakePreset(\"empty\", false, 3, 0.250000);\n");
}

TEST(PresetSourceDump, NamedParamsListOneIdentifierPerLine)
{
  TempFile file(".txt");
  TestPlugin plugin;
  MakeGentle(plugin);
  const char* const ids[] = {"kDuck", "kPeriod", "kRandom", "kDuration", "kDepth"};
  plugin.DumpMakePresetFromNamedParamsSrc(file.Path(), ids);
  EXPECT_EQ(file.Read(), "  MakePresetFromNamedParams(\"Gentle\", 5,\n"
                         "    kDuck, 1,\n"
                         "    kPeriod, 0.500000,\n"
                         "    kRandom, 0.250000,\n"
                         "    kDuration, 0.750000,\n"
                         "    kDepth, 0.130000);\n");
}

TEST(PresetSourceDump, BlobLineDecodesBackToTheSameChunk)
{
  TempFile file(".txt");
  TestPlugin plugin;
  plugin.MakePresetFromBlob("Blob", "AQID", 3);
  plugin.DumpPresetBlob(file.Path());
  EXPECT_EQ(file.Read(), "MakePresetFromBlob(\"Blob\", \"AQID\", 3);\n");

  TempFile stateFile(".txt");
  TestPlugin source;
  MakeGentle(source);
  source.ModifyCurrentPreset();
  source.DumpPresetBlob(stateFile.Path());
  const std::string text = stateFile.Read();
  const std::string prefix = "MakePresetFromBlob(\"Gentle\", \"";
  ASSERT_EQ(text.compare(0, prefix.size(), prefix), 0) << text;
  const std::string blob = text.substr(prefix.size(), text.find('"', prefix.size()) - prefix.size());
  EXPECT_EQ(text.substr(prefix.size() + blob.size()), "\", 40);\n");

  TestPlugin target;
  target.MakePresetFromBlob("Copy", blob.c_str(), 40);
  EXPECT_TRUE(target.GetPreset(0)->mChunk.IsEqual(source.GetPreset(0)->mChunk));
}

TEST(PresetSourceDump, UnopenableFilesAndMissingPresetsWriteNothing)
{
  TestPlugin plugin;
  plugin.DumpMakePresetSrc("/nonexistent-directory/dump.txt");
  plugin.DumpMakePresetFromNamedParamsSrc("/nonexistent-directory/dump.txt", nullptr);
  plugin.DumpPresetBlob(nullptr);
  EXPECT_FALSE(std::filesystem::exists("/nonexistent-directory/dump.txt"));

  TempFile file(".txt");
  TestPlugin noPresets(0);
  noPresets.DumpPresetBlob(file.Path());
  EXPECT_FALSE(std::filesystem::exists(file.Path()));
}
