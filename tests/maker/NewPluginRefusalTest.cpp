// tools/new-plugin refuses what would not make a working plug-in, and never writes over a folder: each refusal
// is one line on stderr and a non-zero exit, with nothing written.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "MakerProject.h"

namespace
{
  class NewPluginRefusal : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      mFolder = FreshMakerFolder("refusals");
      std::filesystem::create_directories(mFolder + "/Taken");
      std::ofstream(mFolder + "/Taken/keep.txt") << "kept\n";
      mBefore = ListTree(mFolder);
      mLog = FreshMakerFolder("refusals-log");
    }

    // Runs new-plugin into the folder and expects a one-line refusal that leaves the folder as it was.
    void ExpectRefused(std::vector<std::string> arguments, const std::string& reason)
    {
      arguments.insert(arguments.end(), {"--dir", mFolder});
      const ToolRun run = RunNewPlugin(arguments, mLog);
      EXPECT_NE(run.exitCode, 0) << reason;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << reason << ": " << run.err;
      EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
      EXPECT_TRUE(run.out.empty()) << run.out;
      EXPECT_EQ(ListTree(mFolder), mBefore) << reason;
    }

    std::string mFolder;
    std::string mLog;
    std::vector<std::string> mBefore;
  };
}

TEST_F(NewPluginRefusal, NamesThatAreNoIdentifiers)
{
  ExpectRefused({"2Gain"}, "is not a valid name");
  ExpectRefused({"My-Gain"}, "is not a valid name");
  ExpectRefused({"namespace"}, "is not a valid name");
}

TEST_F(NewPluginRefusal, CodesThatAreNotFourCharacters)
{
  ExpectRefused({"Gain", "--subtype", "abc"}, "'abc' is not a valid code");
  ExpectRefused({"Gain", "--mfr-code", "Maker"}, "'Maker' is not a valid code");
  ExpectRefused({"Gain", "--mfr-code", "Mk\"r"}, "is not a valid code");
}

TEST_F(NewPluginRefusal, AnExistingFolderIsNeverWrittenOver)
{
  ExpectRefused({"Taken"}, "already exists");
  EXPECT_EQ(std::filesystem::file_size(mFolder + "/Taken/keep.txt"), 5u);
}

TEST_F(NewPluginRefusal, AcceptedArgumentsMakeTheProjectWithNothingElseBeside)
{
  const ToolRun run = RunNewPlugin({"FreshGain", "--subtype", "frsh", "--dir", mFolder}, mLog);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> expected = mBefore;
  for (const char* path : {"FreshGain", "FreshGain/CMakeLists.txt", "FreshGain/FreshGain.cpp", "FreshGain/FreshGain.h"})
    expected.push_back(path);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(mFolder), expected);
}
