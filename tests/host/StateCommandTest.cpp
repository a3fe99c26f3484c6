// Saving the component's state as a host does, and rendering with it restored.

#include <gtest/gtest.h>

#include "HostProgram.h"

TEST(StateCommand, SavesTheClassInfoPropertyList)
{
  ScratchFolder scratch;
  const HostRun run = RunHost({"state", "save", scratch.Path("state.plist"), "--set", "Depth=0.25", "--component", BundlePath()}, scratch);

  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<char> bytes = FileBytes(scratch.Path("state.plist"));
  const std::string text(bytes.begin(), bytes.end());
  for (const char* key : {"<key>version</key>", "<key>type</key>", "<key>subtype</key>", "<key>manufacturer</key>", "<key>name</key>", "<key>data</key>"})
    EXPECT_NE(text.find(key), std::string::npos) << key << " missing from\n" << text;
}

TEST(StateCommand, RenderWithAStateThatBypassesPassesTheInputThrough)
{
  ScratchFolder scratch;
  const Audio input = MakeSignal(2, 8000, 16.0);
  WriteAudio(scratch.Path("in.wav"), input);
  ASSERT_EQ(RunHost({"state", "save", scratch.Path("bypassed.plist"), "--set", "Duck=bypassed", "--set", "Period=0", "--set", "Random=0", "--component",
                     BundlePath()},
                    scratch)
              .exitCode,
            0);

  const HostRun run = RunHost({"render", scratch.Path("in.wav"), scratch.Path("out.wav"), "--state", scratch.Path("bypassed.plist"), "--component", BundlePath()},
                              scratch);

  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadAudio(scratch.Path("out.wav")).samples, input.samples);
}

TEST(StateCommand, SetValuesApplyOnTopOfTheRestoredState)
{
  ScratchFolder scratch;
  const Audio input = MakeSignal(1, 8000, 16.0);
  WriteAudio(scratch.Path("in.wav"), input);
  ASSERT_EQ(RunHost({"state", "save", scratch.Path("fast.plist"), "--set", "Period=0", "--set", "Random=0", "--component", BundlePath()}, scratch).exitCode, 0);

  const HostRun ducked = RunHost({"render", scratch.Path("in.wav"), scratch.Path("out.wav"), "--state", scratch.Path("fast.plist"), "--component", BundlePath()},
                                 scratch);
  ASSERT_EQ(ducked.exitCode, 0) << ducked.err;
  EXPECT_NE(ducked.out.find("dip 1"), std::string::npos) << "the restored period makes a dip within 16 s\n" << ducked.out;

  const HostRun bypassed = RunHost({"render", scratch.Path("in.wav"), scratch.Path("out.wav"), "--state", scratch.Path("fast.plist"), "--set", "Duck=0",
                                    "--component", BundlePath()},
                                   scratch);
  ASSERT_EQ(bypassed.exitCode, 0) << bypassed.err;
  EXPECT_EQ(ReadAudio(scratch.Path("out.wav")).samples, input.samples);
}

TEST(StateCommand, MissingStateFileIsOneErrorLine)
{
  ScratchFolder scratch;
  WriteAudio(scratch.Path("in.wav"), MakeSignal(1, 8000, 0.1));
  const HostRun run = RunHost({"render", scratch.Path("in.wav"), scratch.Path("out.wav"), "--state", scratch.Path("absent.plist"), "--component", BundlePath()},
                              scratch);
  EXPECT_NE(run.exitCode, 0);
  ASSERT_EQ(run.ErrorLines().size(), 1u) << run.err;
  EXPECT_NE(run.err.find("cannot read the state file"), std::string::npos) << run.err;
}
