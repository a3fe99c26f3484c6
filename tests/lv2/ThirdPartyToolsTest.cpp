// Debian's LV2 tools on the built bundle: lv2_validate checks the Turtle files against the LV2 schemas,
// lv2info reads the ports as every lilv host does, and lv2apply renders through the plug-in one frame per
// run; its renders must equal the Audio Unit's (tidewell_host, 512-frame blocks) sample for sample.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "LV2TestHost.h"
#include "ToolRun.h"
#include "host/HostProgram.h"
#include "support/TextFile.h"

namespace
{
  constexpr int kRate = 48000;

  // The text of port block "Port N:" of lv2info's output, up to the next port.
  std::string PortBlock(const std::string& info, const std::string& symbol)
  {
    const size_t at = info.find("Symbol:      " + symbol + "\n");
    if (at == std::string::npos)
      return "";
    const size_t start = info.rfind("Port ", at);
    const size_t end = info.find("\tPort ", at);
    return info.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }

  // One parameter setting, as lv2apply and tidewell_host each take it.
  struct Setting
  {
    std::string symbol;   // LV2 port symbol
    std::string value;    // LV2 port value
    std::string hostSet;  // tidewell_host --set argument
  };

  class Lv2Apply : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      if (!TIDEWELL_TOOLS_LOAD_PLUGIN)
        GTEST_SKIP() << "third-party hosts cannot load a plug-in built for ThreadSanitizer or fuzzing";
      mLV2Path = MakeLV2Path(mScratch.Path(""));
      // 24 s: past the end of the first dip for every setting below.
      WriteAudio(mScratch.Path("in.wav"), MakeSignal(2, kRate, 24.0));
    }

    // Renders the input through lv2apply (URI) and through the Audio Unit with the same setting.
    void Render(const std::vector<Setting>& settings, Audio& lv2, Audio& au, const std::string& uri = StereoURI())
    {
      std::vector<std::string> apply{"lv2apply", "-i", mScratch.Path("in.wav"), "-o", mScratch.Path("lv2.wav")};
      std::vector<std::string> host{"render", mScratch.Path("in.wav"), mScratch.Path("au.wav"), "--block", "512"};
      for (const Setting& setting : settings)
      {
        apply.insert(apply.end(), {"-c", setting.symbol, setting.value});
        host.insert(host.end(), {"--set", setting.hostSet});
      }
      apply.push_back(uri);
      const ToolRun applied = RunTool(apply, PluginHostEnvironment(mLV2Path), mScratch.Path(""));
      ASSERT_EQ(applied.exitCode, 0) << applied.err;
      const HostRun hosted = RunHost(host, mScratch);
      ASSERT_EQ(hosted.exitCode, 0) << hosted.err;
      lv2 = ReadAudio(mScratch.Path("lv2.wav"));
      au = ReadAudio(mScratch.Path("au.wav"));
    }

    // Renders with the settings and expects both renders equal over the first frames, which must include a
    // dip (unless Duck is bypassed): the comparison must see the effect work.
    void ExpectSameRender(const std::vector<Setting>& settings, size_t frames, bool expectDip = true)
    {
      Audio lv2, au;
      Render(settings, lv2, au);
      if (HasFatalFailure())
        return;
      const Audio input = ReadAudio(mScratch.Path("in.wav"));
      ASSERT_EQ(lv2.channels, 2);
      ASSERT_EQ(au.channels, 2);
      ASSERT_EQ(lv2.samples.size(), input.samples.size());
      ASSERT_EQ(au.samples.size(), input.samples.size());
      const size_t count = std::min(frames * 2, input.samples.size());
      size_t firstDifference = count;
      bool ducked = false;
      for (size_t i = 0; i < count; ++i)
      {
        if (lv2.samples[i] != au.samples[i] && firstDifference == count)
          firstDifference = i;
        ducked = ducked || std::fabs(lv2.samples[i]) < std::fabs(input.samples[i]) * 0.9f;
      }
      EXPECT_EQ(firstDifference, count) << "first different frame " << firstDifference / 2;
      EXPECT_EQ(ducked, expectDip);
    }

    ScratchFolder mScratch;
    std::string mLV2Path;
  };
}

TEST(Lv2Validate, BundleTurtleFilesPassTheSchemas)
{
  ScratchFolder scratch;
  const std::string bundle = TIDEWELL_LV2_BUNDLE_PATH;
  const ToolRun run = RunTool({"lv2_validate", bundle + "/manifest.ttl", bundle + "/Tidewell.ttl"}, {}, scratch.Path(""));
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE((run.out + run.err).find("Found 0 errors"), std::string::npos) << run.out << run.err;
  EXPECT_EQ((run.out + run.err).find("warning"), std::string::npos) << run.out << run.err;
}

TEST(Lv2Info, ShowsTheDynamicsClassInAnyLanguageAndTheVersion)
{
  ScratchFolder scratch;
  // With the installed schemas, where lilv finds the classes' labels.
  const std::string lv2Path = "LV2_PATH=" + MakeLV2Path(scratch.Path("")) + ":/usr/lib/lv2";
  for (const char* language : {"LANG=C.UTF-8", "LANG=de_DE.UTF-8"})
  {
    const ToolRun run = RunTool({"lv2info", StereoURI()}, {lv2Path, language}, scratch.Path(""));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\tClass:             Dynamics Plugin\n"), std::string::npos) << language << run.out;
    EXPECT_NE(run.out.find("\tAuthor:            Kelvane\n"), std::string::npos) << language << run.out;
  }
  // Version 1.1.2: LV2 minor 2 x (1 x 500 + 1), micro 2 x 2, in the description lv2info writes of the plug-in.
  ASSERT_EQ(RunTool({"lv2info", "-p", scratch.Path("described.ttl"), StereoURI()}, {lv2Path}, scratch.Path("")).exitCode, 0);
  const std::string described = ReadText(scratch.Path("described.ttl"));
  EXPECT_NE(described.find("lv2:minorVersion 1002 ;"), std::string::npos) << described;
  EXPECT_NE(described.find("lv2:microVersion 4 ;"), std::string::npos) << described;
}

TEST(Lv2Info, ListsTheParameterPortsWithTheirRangesAndDefaults)
{
  ScratchFolder scratch;
  const ToolRun run = RunTool({"lv2info", StereoURI()}, {"LV2_PATH=" + MakeLV2Path(scratch.Path(""))}, scratch.Path(""));
  ASSERT_EQ(run.exitCode, 0) << run.err;

  const std::string duck = PortBlock(run.out, "duck");
  EXPECT_NE(duck.find("Name:        Duck"), std::string::npos) << duck;
  EXPECT_NE(duck.find("Default:     1.000000"), std::string::npos) << duck;
  EXPECT_NE(duck.find("0.0 = \"Bypassed\""), std::string::npos) << duck;
  EXPECT_NE(duck.find("1.0 = \"Ducking\""), std::string::npos) << duck;
  EXPECT_NE(duck.find("lv2core#enumeration"), std::string::npos) << duck;

  const std::map<std::string, std::string> defaults{
    {"period", "0.500000"}, {"random", "0.500000"}, {"duration", "0.500000"}, {"depth", "1.000000"}};
  for (const auto& [symbol, value] : defaults)
  {
    const std::string port = PortBlock(run.out, symbol);
    EXPECT_NE(port.find("Minimum:     0.000000"), std::string::npos) << port;
    EXPECT_NE(port.find("Maximum:     1.000000"), std::string::npos) << port;
    EXPECT_NE(port.find("Default:     " + value), std::string::npos) << port;
    EXPECT_NE(port.find("port-props#notAutomatic"), std::string::npos) << port;
  }

  const std::string meter = PortBlock(run.out, "meter");
  EXPECT_NE(meter.find("lv2core#OutputPort"), std::string::npos) << meter;
  for (const char* audio : {"in_l", "in_r", "out_l", "out_r"})
    EXPECT_NE(PortBlock(run.out, audio).find("lv2core#AudioPort"), std::string::npos) << audio;
}

TEST_F(Lv2Apply, MatchesTheAudioUnitAtDefaultsUpToTheEndOfTheFirstDip)
{
  // The first dip starts at 960000 (20 s) and lasts 96000 frames whatever the block size.
  ExpectSameRender({}, 960000 + 96000);
}

TEST_F(Lv2Apply, MatchesTheAudioUnitWithDuckBypassedOverTheWholeFile)
{
  ExpectSameRender({{"duck", "0", "Duck=Bypassed"}}, 24 * kRate, false);
}

TEST_F(Lv2Apply, MatchesTheAudioUnitWithPeriodSet)
{
  // 16 s: 768000 frames, a whole number of 512-frame blocks, so both hosts start the dip on the same frame.
  ExpectSameRender({{"period", "0.3", "Period=0.3"}}, 768000 + 96000);
}

TEST_F(Lv2Apply, MatchesTheAudioUnitWithRandomSet)
{
  ExpectSameRender({{"random", "1", "Random=1"}}, 960000 + 96000);
}

TEST_F(Lv2Apply, MatchesTheAudioUnitWithDurationSet)
{
  ExpectSameRender({{"duration", "0.25", "Duration=0.25"}}, 960000 + 72000);
}

TEST_F(Lv2Apply, MatchesTheAudioUnitWithDepthSet)
{
  ExpectSameRender({{"depth", "0.3", "Depth=0.3"}}, 960000 + 96000);
}

TEST_F(Lv2Apply, NeedsTheStereoPluginForAStereoFile)
{
  const ToolRun run = RunTool({"lv2apply", "-i", mScratch.Path("in.wav"), "-o", mScratch.Path("mono.wav"), MonoURI()},
                              PluginHostEnvironment(mLV2Path), mScratch.Path(""));
  EXPECT_NE(run.exitCode, 0);
}

TEST(InstallLv2, TheInstalledCopyRendersFromItsOwnFolder)
{
  if (!TIDEWELL_TOOLS_LOAD_PLUGIN)
    GTEST_SKIP() << "third-party hosts cannot load a plug-in built for ThreadSanitizer or fuzzing";
  ScratchFolder scratch;
  const std::string dest = scratch.Path("home-lv2");
  const ToolRun install = RunTool({TIDEWELL_SOURCE_DIR "/scripts/install-lv2", dest},
                                  {std::string("TIDEWELL_LV2_BUNDLE=") + TIDEWELL_LV2_BUNDLE_PATH}, scratch.Path(""));
  ASSERT_EQ(install.exitCode, 0) << install.err;
  EXPECT_EQ(install.out, "installed " + dest + "/Tidewell.lv2\n");

  // Installing again replaces the copy, and the copy works on its own: lv2apply loads it from there.
  ASSERT_EQ(RunTool({TIDEWELL_SOURCE_DIR "/scripts/install-lv2", dest},
                    {std::string("TIDEWELL_LV2_BUNDLE=") + TIDEWELL_LV2_BUNDLE_PATH}, scratch.Path("")).exitCode, 0);
  WriteAudio(scratch.Path("in.wav"), MakeSignal(2, kRate, 1.0));
  const ToolRun applied = RunTool({"lv2apply", "-i", scratch.Path("in.wav"), "-o", scratch.Path("out.wav"), StereoURI()},
                                  PluginHostEnvironment(dest), scratch.Path(""));
  ASSERT_EQ(applied.exitCode, 0) << applied.err;
  EXPECT_EQ(ReadAudio(scratch.Path("out.wav")).samples, ReadAudio(scratch.Path("in.wav")).samples);
}
