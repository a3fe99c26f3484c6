// End-to-end renders of generated files through the component, as a person runs the program.

#include <gtest/gtest.h>

#include <cstdio>

#include "HostProgram.h"

namespace
{
  // Renders in.wav to out.wav with extra arguments; returns the run.
  HostRun Render(const ScratchFolder& scratch, const std::vector<std::string>& extra)
  {
    std::vector<std::string> arguments{"render", scratch.Path("in.wav"), scratch.Path("out.wav"), "--component", BundlePath()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return RunHost(arguments, scratch);
  }

  void ExpectSameShape(const Audio& input, const Audio& output)
  {
    EXPECT_EQ(output.channels, input.channels);
    EXPECT_EQ(output.sampleRate, input.sampleRate);
    EXPECT_EQ(output.format, input.format);
    EXPECT_EQ(output.samples.size(), input.samples.size());
  }
}

class RenderCommand : public testing::TestWithParam<int>
{
};

TEST_P(RenderCommand, RendersTheFileAtItsOwnRateAndChannelCount)
{
  ScratchFolder scratch;
  const Audio input = MakeSignal(GetParam(), 22050, 2.0);
  WriteAudio(scratch.Path("in.wav"), input);

  const HostRun run = Render(scratch, {});

  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_NE(run.out.find("rendered 2.000 s"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("no dips"), std::string::npos) << run.out;
  const Audio output = ReadAudio(scratch.Path("out.wav"));
  ExpectSameShape(input, output);
  EXPECT_EQ(output.samples, input.samples) << "no dip is due within 2 s, so the signal passes at unit gain";
}

TEST_P(RenderCommand, BypassedFloatOutputEqualsInputBitForBit)
{
  ScratchFolder scratch;
  const Audio input = MakeSignal(GetParam(), 8000, 16.0);
  WriteAudio(scratch.Path("in.wav"), input);

  const HostRun run = Render(scratch, {"--set", "Duck=Bypassed", "--set", "Period=0", "--set", "Random=0"});

  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Audio output = ReadAudio(scratch.Path("out.wav"));
  ExpectSameShape(input, output);
  EXPECT_EQ(output.samples, input.samples);
  EXPECT_NE(run.out.find("no dips"), std::string::npos) << run.out;
}

TEST_P(RenderCommand, ListsTheDipItMadeWithStartDurationAndLowestGain)
{
  ScratchFolder scratch;
  const Audio input = MakeSignal(GetParam(), 8000, 16.0);
  WriteAudio(scratch.Path("in.wav"), input);

  const HostRun run = Render(scratch, {"--set", "Period=0", "--set", "random=0", "--set", "Duration=0", "--set", "Depth=1"});

  ASSERT_EQ(run.exitCode, 0) << run.err;
  double start = 0.0;
  double length = 0.0;
  double gain = 1.0;
  const auto line = run.out.find("dip 1:");
  ASSERT_NE(line, std::string::npos) << run.out;
  ASSERT_EQ(std::sscanf(run.out.c_str() + line, "dip 1: starts at %lf s, lasts %lf s, lowest gain %lf", &start, &length, &gain), 3) << run.out;
  EXPECT_GT(start, 9.9) << "the shortest period is 10 s, give or take a block";
  EXPECT_LT(start, 15.1) << "the random extension at Random 0 is below 5 s";
  EXPECT_NEAR(length, 1.0, 0.01) << "the shortest dip lasts 1 s";
  EXPECT_LT(gain, 0.01) << "a dip at full depth reaches silence";
  EXPECT_EQ(run.out.find("dip 2:"), std::string::npos) << run.out;
  EXPECT_NE(ReadAudio(scratch.Path("out.wav")).samples, input.samples);
}

INSTANTIATE_TEST_SUITE_P(MonoAndStereo, RenderCommand, testing::Values(1, 2), [](const testing::TestParamInfo<int>& info) {
  return info.param == 1 ? std::string("Mono") : std::string("Stereo");
});

TEST(RenderCommandFormats, BypassedSixteenBitOutputKeepsTheInputBits)
{
  ScratchFolder scratch;
  const Audio input = MakeSignal(2, 44100, 1.0, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  WriteAudio(scratch.Path("in.wav"), input);

  const HostRun run = Render(scratch, {"--set", "Duck=Bypassed"});

  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadAudio(scratch.Path("out.wav")).format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  EXPECT_EQ(FileBytes(scratch.Path("out.wav")), FileBytes(scratch.Path("in.wav")));
}

TEST(RenderCommandFormats, FlacInputIsWrittenAsFlac)
{
  ScratchFolder scratch;
  const Audio input = MakeSignal(1, 48000, 0.5, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
  WriteAudio(scratch.Path("in.flac"), input);

  const HostRun run = RunHost({"render", scratch.Path("in.flac"), scratch.Path("out.flac"), "--component", BundlePath()}, scratch);

  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Audio output = ReadAudio(scratch.Path("out.flac"));
  EXPECT_EQ(output.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
  EXPECT_EQ(output.samples, ReadAudio(scratch.Path("in.flac")).samples);
}

TEST(RenderCommandBlocks, OddAndTinyBlockSizesRenderTheWholeFile)
{
  for (const char* block : {"1", "137", "4096"})
  {
    ScratchFolder scratch;
    const Audio input = MakeSignal(2, 11025, 0.5);
    WriteAudio(scratch.Path("in.wav"), input);

    const HostRun run = Render(scratch, {"--block", block});

    ASSERT_EQ(run.exitCode, 0) << "block " << block << ": " << run.err;
    EXPECT_EQ(ReadAudio(scratch.Path("out.wav")).samples, input.samples) << "block " << block;
  }
}
