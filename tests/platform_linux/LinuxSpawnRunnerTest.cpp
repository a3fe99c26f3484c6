#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include <signal.h>

#include "LinuxDialogs.h"

using namespace iplug::igraphics;

TEST(LinuxSpawnRunner, ArgumentsWithSpacesQuotesAndShellCharactersArriveUnchanged)
{
  LinuxSpawnRunner runner;
  const std::string tricky = "it's a \"file\" name; $(rm -rf ~) `x` *";
  const LinuxProcessResult result = runner.Run({"printf", "%s|%s", tricky, "-n"}, nullptr);
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.output, tricky + "|-n");
}

TEST(LinuxSpawnRunner, ReportsTheExitStatus)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"false"}, nullptr);
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output, "");
}

TEST(LinuxSpawnRunner, MissingProgramDoesNotStart)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"tidewell-no-such-program", "--version"}, nullptr);
  EXPECT_FALSE(result.started);
  EXPECT_EQ(result.exitStatus, -1);
}

TEST(LinuxSpawnRunner, EmptyCommandDoesNotStart)
{
  LinuxSpawnRunner runner;
  EXPECT_FALSE(runner.Run({}, nullptr).started);
  EXPECT_FALSE(runner.Launch({}));
}

TEST(LinuxSpawnRunner, StandardInputIsEmptySoReadersDoNotWait)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"cat"}, nullptr);
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.output, "");
}

TEST(LinuxSpawnRunner, StandardErrorIsNotCaptured)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"ls", "/tidewell/no/such/folder"}, nullptr);
  EXPECT_TRUE(result.started);
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_EQ(result.output, "");
}

TEST(LinuxSpawnRunner, LongOutputIsCutButTheProgramRunsToItsEnd)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"head", "-c", "300000", "/dev/zero"}, nullptr);
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 0) << "the pipe kept being drained";
  EXPECT_EQ(result.output.size(), LinuxSpawnRunner::kMaxOutput);
}

TEST(LinuxSpawnRunner, KilledProgramHasNoExitStatus)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"sh", "-c", "kill -9 $$"}, nullptr);
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, -1);
}

// The run ends when the program exits, even when a background child of its own still holds the output pipe.
TEST(LinuxSpawnRunner, ABackgroundChildHoldingTheOutputDoesNotHoldTheRunUp)
{
  LinuxSpawnRunner runner;
  const auto start = std::chrono::steady_clock::now();
  const LinuxProcessResult result = runner.Run({"sh", "-c", "sleep 30 & echo $!"}, nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 0);
  const pid_t child = static_cast<pid_t>(std::stol(result.output));
  ASSERT_GT(child, 0);
  EXPECT_EQ(kill(child, SIGTERM), 0);
}

TEST(LinuxSpawnRunner, TheFrameHookIsCalledOncePerFrameWhileTheProgramRuns)
{
  LinuxSpawnRunner runner;
  int frames = 0;
  const auto start = std::chrono::steady_clock::now();
  const LinuxProcessResult result = runner.Run({"sh", "-c", "sleep 1; echo answer"}, [&] { ++frames; });
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.output, "answer\n");
  // About 60 in the second, and never more often than once per frame.
  EXPECT_GT(frames, 10);
  EXPECT_LE(frames, elapsed / LinuxSpawnRunner::kFrameInterval + 1);
}
