// Every way a render can be refused: one line on stderr, a non-zero exit, no output file, and the input
// file exactly as it was.

#include <gtest/gtest.h>

#include <fstream>

#include "HostProgram.h"

namespace
{
  class RenderErrors : public testing::Test
  {
  protected:
    void SetUp() override { WriteAudio(mScratch.Path("in.wav"), MakeSignal(2, 44100, 0.25)); }

    // Runs a render that must fail; checks the common promises and returns the one error line.
    std::string RenderFails(const std::string& input, const std::vector<std::string>& extra, const std::string& component = BundlePath())
    {
      const std::vector<char> before = FileBytes(input);
      std::vector<std::string> arguments{"render", input, mScratch.Path("out.wav"), "--component", component};
      arguments.insert(arguments.end(), extra.begin(), extra.end());

      const HostRun run = RunHost(arguments, mScratch);

      EXPECT_NE(run.exitCode, 0);
      EXPECT_TRUE(run.out.empty()) << run.out;
      const std::vector<std::string> lines = run.ErrorLines();
      EXPECT_EQ(lines.size(), 1u) << run.err;
      EXPECT_FALSE(std::filesystem::exists(mScratch.Path("out.wav")));
      EXPECT_EQ(FileBytes(input), before) << "the input file changed";
      return lines.empty() ? std::string() : lines.front();
    }

    ScratchFolder mScratch;
  };
}

TEST_F(RenderErrors, MissingInputFileIsNamed)
{
  const std::string line = RenderFails(mScratch.Path("absent.wav"), {});
  EXPECT_NE(line.find("absent.wav: no such file"), std::string::npos) << line;
}

TEST_F(RenderErrors, FileThatIsNotAudioIsRefused)
{
  std::ofstream(mScratch.Path("notes.wav")) << "these are not samples\n";
  const std::string line = RenderFails(mScratch.Path("notes.wav"), {});
  EXPECT_NE(line.find("not an audio file"), std::string::npos) << line;
}

TEST_F(RenderErrors, MoreThanTwoChannelsAreRefusedWithTheSupportedConfigurations)
{
  WriteAudio(mScratch.Path("quad.wav"), MakeSignal(4, 44100, 0.1));
  const std::string line = RenderFails(mScratch.Path("quad.wav"), {});
  EXPECT_NE(line.find("has 4 channels"), std::string::npos) << line;
  EXPECT_NE(line.find("1-1 2-2"), std::string::npos) << line;
}

TEST_F(RenderErrors, UnknownParameterNameListsTheParameters)
{
  const std::string line = RenderFails(mScratch.Path("in.wav"), {"--set", "Speed=0.5"});
  EXPECT_NE(line.find("unknown parameter \"Speed\""), std::string::npos) << line;
  EXPECT_NE(line.find("Duck, Period, Random, Duration, Depth"), std::string::npos) << line;
}

TEST_F(RenderErrors, OutOfRangeValueGivesTheRange)
{
  const std::string line = RenderFails(mScratch.Path("in.wav"), {"--set", "Depth=1.5"});
  EXPECT_NE(line.find("Depth=1.5: out of range (0 to 1)"), std::string::npos) << line;
}

TEST_F(RenderErrors, UnknownDisplayTextListsTheTexts)
{
  const std::string line = RenderFails(mScratch.Path("in.wav"), {"--set", "Duck=Sometimes"});
  EXPECT_NE(line.find("Bypassed, Ducking"), std::string::npos) << line;
}

TEST_F(RenderErrors, AssignmentWithoutEqualsSignIsRefused)
{
  const std::string line = RenderFails(mScratch.Path("in.wav"), {"--set", "Depth"});
  EXPECT_NE(line.find("NAME=VALUE"), std::string::npos) << line;
}

TEST_F(RenderErrors, MissingComponentBundleIsReported)
{
  const std::string line = RenderFails(mScratch.Path("in.wav"), {}, mScratch.Path("Nowhere.component"));
  EXPECT_NE(line.find("cannot load the component bundle"), std::string::npos) << line;
}

TEST_F(RenderErrors, ComponentWhoseCodeCannotLoadIsReported)
{
  const std::filesystem::path bundle = mScratch.Path("Broken.component");
  std::filesystem::create_directories(bundle / "Contents" / "MacOS");
  std::filesystem::copy_file(BundlePath() + "/Contents/Info.plist", bundle / "Contents" / "Info.plist");
  std::ofstream(bundle / "Contents" / "MacOS" / "Tidewell") << "not a shared object";

  const std::string line = RenderFails(mScratch.Path("in.wav"), {}, bundle.string());
  EXPECT_NE(line.find("cannot open the Tidewell component"), std::string::npos) << line;
}

TEST_F(RenderErrors, OutputNamingTheInputIsRefused)
{
  const std::vector<char> before = FileBytes(mScratch.Path("in.wav"));
  const HostRun run = RunHost({"render", mScratch.Path("in.wav"), mScratch.Path("in.wav"), "--component", BundlePath()}, mScratch);
  EXPECT_NE(run.exitCode, 0);
  ASSERT_EQ(run.ErrorLines().size(), 1u) << run.err;
  EXPECT_NE(run.err.find("is the input file"), std::string::npos) << run.err;
  EXPECT_EQ(FileBytes(mScratch.Path("in.wav")), before);
}

TEST_F(RenderErrors, BadBlockSizeIsRefused)
{
  const std::string line = RenderFails(mScratch.Path("in.wav"), {"--block", "0"});
  EXPECT_NE(line.find("--block 0"), std::string::npos) << line;
}

TEST_F(RenderErrors, UnreadableStateFileIsReported)
{
  std::ofstream(mScratch.Path("state.plist")) << "<plist><dict><key>broken";
  const std::string line = RenderFails(mScratch.Path("in.wav"), {"--state", mScratch.Path("state.plist")});
  EXPECT_NE(line.find("not a saved state"), std::string::npos) << line;
}

TEST_F(RenderErrors, StateThatIsAFolderIsReportedNotThrown)
{
  std::filesystem::create_directory(mScratch.Path("state"));
  const std::string line = RenderFails(mScratch.Path("in.wav"), {"--state", mScratch.Path("state")});
  EXPECT_NE(line.find("Is a directory"), std::string::npos) << line;
}
