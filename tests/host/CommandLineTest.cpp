// Splitting the command line into the command, its arguments and its options.

#include <gtest/gtest.h>

#include "CommandLine.h"

namespace
{
  bool Parse(std::vector<const char*> words, CommandLine& commandLine, std::string& error)
  {
    words.insert(words.begin(), "tidewell_host");
    return commandLine.Parse(static_cast<int>(words.size()), words.data(), error);
  }
}

TEST(CommandLine, OptionsMayStandAnywhereAndSetRepeatsInOrder)
{
  CommandLine commandLine;
  std::string error;
  ASSERT_TRUE(Parse({"--set", "Duck=0", "render", "in.wav", "--block", "64", "out.wav", "--set", "Depth=1"}, commandLine, error)) << error;
  EXPECT_EQ(commandLine.Command(), "render");
  EXPECT_EQ(commandLine.Positional(), (std::vector<std::string>{"in.wav", "out.wav"}));
  EXPECT_EQ(commandLine.Values("--set"), (std::vector<std::string>{"Duck=0", "Depth=1"}));
  long block = 0;
  ASSERT_TRUE(commandLine.Number("--block", 1, 65536, block, error)) << error;
  EXPECT_EQ(block, 64);
}

TEST(CommandLine, OptionWithoutValueIsRefused)
{
  CommandLine commandLine;
  std::string error;
  EXPECT_FALSE(Parse({"render", "in.wav", "out.wav", "--state"}, commandLine, error));
  EXPECT_EQ(error, "--state needs a value");
}

TEST(CommandLine, SingleOptionsMayNotRepeat)
{
  CommandLine commandLine;
  std::string error;
  EXPECT_FALSE(Parse({"render", "--block", "64", "--block", "128"}, commandLine, error));
  EXPECT_EQ(error, "--block is given twice");
}

TEST(CommandLine, OptionForeignToTheCommandIsRefused)
{
  CommandLine commandLine;
  std::string error;
  ASSERT_TRUE(Parse({"info", "--block", "64"}, commandLine, error));
  EXPECT_FALSE(commandLine.Only({"--component"}, error));
  EXPECT_EQ(error, "--block does not apply to info");
}

TEST(CommandLine, NumberOutsideItsRangeOrNotWholeIsRefused)
{
  for (const char* text : {"0", "65537", "12.5", "64k", ""})
  {
    CommandLine commandLine;
    std::string error;
    ASSERT_TRUE(Parse({"render", "--block", text}, commandLine, error));
    long block = 0;
    EXPECT_FALSE(commandLine.Number("--block", 1, 65536, block, error)) << text;
  }
}
