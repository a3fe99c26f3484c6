// The info command describes the component from what it publishes.

#include <gtest/gtest.h>

#include "HostProgram.h"

TEST(InfoCommand, DescribesIdentityParametersChannelsLatencyAndTail)
{
  ScratchFolder scratch;
  const HostRun run = RunHost({"info", "--component", BundlePath()}, scratch);

  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char* expected : {"type aufx, subtype xhm2, manufacturer Klvn, version 1.1.2", "Duck", "Period", "Random", "Duration", "Depth",
                               "0 = Bypassed, 1 = Ducking", "(inputs-outputs): 1-1 2-2", "latency: 0 s", "tail: 0 s"})
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << " missing from\n" << run.out;
}

TEST(InfoCommand, RefusesArguments)
{
  ScratchFolder scratch;
  const HostRun run = RunHost({"info", "extra", "--component", BundlePath()}, scratch);
  EXPECT_NE(run.exitCode, 0);
  EXPECT_EQ(run.ErrorLines().size(), 1u) << run.err;
}
