// Ecasound, a third-party host from Debian, renders through Tidewell.lv2 with the shortest, deepest dip settings
// (Period 0, Random 0, Duration 0, Depth 1) at blocks of 64, 512 and 4096 frames, ducking and bypassed, stereo and
// mono; each render must equal tidewell_host's render through the Audio Unit at the same block size sample for
// sample up to the end of the first dip.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "LV2TestHost.h"
#include "ToolRun.h"
#include "host/HostProgram.h"

namespace
{
  constexpr int kRate = 48000;
  // Period 0 puts the first dip at 10 s, Duration 0 makes it 1 s long.
  constexpr size_t kFirstDipEnd = 11 * kRate;

  struct Case
  {
    int channels;
    int block;
    bool ducking;
  };

  class Ecasound : public ::testing::TestWithParam<Case>
  {
  protected:
    void SetUp() override
    {
      if (!TIDEWELL_TOOLS_LOAD_PLUGIN)
        GTEST_SKIP() << "third-party hosts cannot load a plug-in built for ThreadSanitizer or fuzzing";
      mLV2Path = MakeLV2Path(mScratch.Path(""));
    }

    ScratchFolder mScratch;
    std::string mLV2Path;
  };
}

TEST_P(Ecasound, RendersLikeTheAudioUnitUpToTheEndOfTheFirstDip)
{
  const Case c = GetParam();
  const std::string in = mScratch.Path("in.wav");
  WriteAudio(in, MakeSignal(c.channels, kRate, 12.0));
  const std::string block = std::to_string(c.block);
  const std::string format = "-f:f32_le," + std::to_string(c.channels) + "," + std::to_string(kRate);
  // Ecasound takes the control ports' values in port order: duck, period, random, duration, depth.
  const std::string plugin = "-elv2:" + (c.channels == 1 ? MonoURI() : StereoURI()) + (c.ducking ? ",1" : ",0") +
                             ",0,0,0,1";
  const ToolRun ecasound = RunTool({"ecasound", "-q", "-b:" + block, format, "-i", in, format, "-o",
                                    mScratch.Path("lv2.wav"), plugin},
                                   PluginHostEnvironment(mLV2Path), mScratch.Path(""));
  ASSERT_EQ(ecasound.exitCode, 0) << ecasound.out << ecasound.err;
  const HostRun host = RunHost({"render", in, mScratch.Path("au.wav"), "--block", block, "--set",
                                c.ducking ? "Duck=Ducking" : "Duck=Bypassed", "--set", "Period=0", "--set", "Random=0",
                                "--set", "Duration=0", "--set", "Depth=1"},
                               mScratch);
  ASSERT_EQ(host.exitCode, 0) << host.err;

  const Audio input = ReadAudio(in);
  const Audio lv2 = ReadAudio(mScratch.Path("lv2.wav"));
  const Audio au = ReadAudio(mScratch.Path("au.wav"));
  ASSERT_EQ(lv2.channels, c.channels);
  ASSERT_EQ(au.channels, c.channels);
  const size_t count = kFirstDipEnd * static_cast<size_t>(c.channels);
  ASSERT_GE(lv2.samples.size(), count);
  ASSERT_GE(au.samples.size(), count);
  size_t firstDifference = count;
  bool silenced = false;
  for (size_t i = 0; i < count; ++i)
  {
    if (lv2.samples[i] != au.samples[i] && firstDifference == count)
      firstDifference = i;
    silenced = silenced || (lv2.samples[i] == 0.f && std::fabs(input.samples[i]) > 0.1f);
  }
  EXPECT_EQ(firstDifference, count) << "first different frame " << firstDifference / static_cast<size_t>(c.channels);
  // Depth 1 takes the signal to silence at the bottom of the dip; bypassed, nothing is ever silenced.
  EXPECT_EQ(silenced, c.ducking);
}

INSTANTIATE_TEST_SUITE_P(
  BlocksAndLayouts, Ecasound,
  ::testing::Values(Case{2, 64, true}, Case{2, 512, true}, Case{2, 4096, true}, Case{2, 64, false},
                    Case{2, 512, false}, Case{2, 4096, false}, Case{1, 64, true}, Case{1, 512, true},
                    Case{1, 4096, true}, Case{1, 64, false}, Case{1, 512, false}, Case{1, 4096, false}),
  [](const ::testing::TestParamInfo<Case>& info) {
    return std::string(info.param.channels == 1 ? "Mono" : "Stereo") + "Block" + std::to_string(info.param.block) +
           (info.param.ducking ? "Ducking" : "Bypassed");
  });
