// The main job: the built-in music rendered through the component.

#include <gtest/gtest.h>

#include "HostProgram.h"

TEST(DemoCommand, RendersSixtySecondsOfStereoAndListsTheDips)
{
  ScratchFolder scratch;
  const HostRun run = RunHost({"demo", scratch.Path("demo.wav"), "--component", BundlePath()}, scratch);

  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("rendered 60 s of the demo music at 48000 Hz stereo"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("dip 1: starts at"), std::string::npos) << "the default period makes a dip within 60 s\n" << run.out;
  const Audio output = ReadAudio(scratch.Path("demo.wav"));
  EXPECT_EQ(output.channels, 2);
  EXPECT_EQ(output.sampleRate, 48000);
  EXPECT_EQ(output.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
  EXPECT_EQ(output.samples.size(), 60u * 48000u * 2u);
}

TEST(CommandLine, UnknownCommandShowsUsage)
{
  ScratchFolder scratch;
  const HostRun run = RunHost({"dance"}, scratch);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("usage: tidewell_host"), std::string::npos) << run.err;
}

TEST(CommandLine, HelpPrintsTheUsageAndSucceeds)
{
  for (const char* asking : {"--help", "-h"})
  {
    ScratchFolder scratch;
    const HostRun run = RunHost({asking}, scratch);
    EXPECT_EQ(run.exitCode, 0) << asking;
    EXPECT_NE(run.out.find("usage: tidewell_host"), std::string::npos) << asking << ": " << run.out;
    EXPECT_TRUE(run.err.empty()) << run.err;
  }
}
