#include <gtest/gtest.h>

#include <string>

#include "LinuxDialogs.h"

using namespace iplug::igraphics;

TEST(LinuxSpawnRunner, ArgumentsWithSpacesQuotesAndShellCharactersArriveUnchanged)
{
  LinuxSpawnRunner runner;
  const std::string tricky = "it's a \"file\" name; $(rm -rf ~) `x` *";
  const LinuxProcessResult result = runner.Run({"printf", "%s|%s", tricky, "-n"});
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.output, tricky + "|-n");
}

TEST(LinuxSpawnRunner, ReportsTheExitStatus)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"false"});
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output, "");
}

TEST(LinuxSpawnRunner, MissingProgramDoesNotStart)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"tidewell-no-such-program", "--version"});
  EXPECT_FALSE(result.started);
  EXPECT_EQ(result.exitStatus, -1);
}

TEST(LinuxSpawnRunner, EmptyCommandDoesNotStart)
{
  LinuxSpawnRunner runner;
  EXPECT_FALSE(runner.Run({}).started);
}

TEST(LinuxSpawnRunner, StandardInputIsEmptySoReadersDoNotWait)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"cat"});
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.output, "");
}

TEST(LinuxSpawnRunner, StandardErrorIsNotCaptured)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"ls", "/tidewell/no/such/folder"});
  EXPECT_TRUE(result.started);
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_EQ(result.output, "");
}

TEST(LinuxSpawnRunner, LongOutputIsCutButTheProgramRunsToItsEnd)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"head", "-c", "300000", "/dev/zero"});
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, 0) << "the pipe kept being drained";
  EXPECT_EQ(result.output.size(), LinuxSpawnRunner::kMaxOutput);
}

TEST(LinuxSpawnRunner, KilledProgramHasNoExitStatus)
{
  LinuxSpawnRunner runner;
  const LinuxProcessResult result = runner.Run({"sh", "-c", "kill -9 $$"});
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exitStatus, -1);
}
