#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "FakeProcessRunner.h"
#include "LinuxDialogs.h"

using namespace iplug::igraphics;

namespace
{

constexpr int kAccepted = 0;
constexpr int kCancelled = 1;

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
struct TempFolder
{
  std::filesystem::path path;

  TempFolder()
  {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    path = std::filesystem::temp_directory_path() /
           (std::string("tidewell-") + info->name() + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
};

} // namespace

TEST(LinuxFileChooser, OpenSeedsThePanelAndReturnsPathAndFolder)
{
  FakeProcessRunner runner;
  runner.Answer(kAccepted, "/music/new take.wav\n");
  LinuxDialogs dialogs(runner);
  WDL_String fileName("old.wav");
  WDL_String path("/music");

  dialogs.PromptForFile(fileName, path, kFileOpen, "wav aif");

  EXPECT_STREQ(fileName.Get(), "/music/new take.wav");
  EXPECT_STREQ(path.Get(), "/music/");
  EXPECT_EQ(runner.Last()[0], "zenity");
  EXPECT_TRUE(runner.LastHas("--file-selection"));
  EXPECT_FALSE(runner.LastHas("--save"));
  EXPECT_TRUE(runner.LastHas("--filename=/music/old.wav"));
  EXPECT_TRUE(runner.LastHas("--file-filter=wav aif | *.wav *.WAV *.aif *.AIF"));
}

TEST(LinuxFileChooser, CancelledOrMissingLeavesAnEmptyFileNameAndThePathAsItWas)
{
  for (const bool missing : {false, true})
  {
    FakeProcessRunner runner;
    if (missing)
      runner.Missing();
    else
      runner.Answer(kCancelled);
    LinuxDialogs dialogs(runner);
    WDL_String fileName("old.wav");
    WDL_String path("/music/");

    dialogs.PromptForFile(fileName, path, kFileOpen, "");

    EXPECT_STREQ(fileName.Get(), "") << (missing ? "missing" : "cancelled");
    EXPECT_STREQ(path.Get(), "/music/") << (missing ? "missing" : "cancelled");
  }
}

TEST(LinuxFileChooser, AcceptedWithoutAnyPathIsCancelled)
{
  FakeProcessRunner runner;
  runner.Answer(kAccepted, "\n");
  LinuxDialogs dialogs(runner);
  WDL_String fileName("x");
  WDL_String path("/a/");
  dialogs.PromptForFile(fileName, path, kFileOpen, "");
  EXPECT_STREQ(fileName.Get(), "");
  EXPECT_STREQ(path.Get(), "/a/");
}

TEST(LinuxFileChooser, NoExtensionsMeansNoFilter)
{
  FakeProcessRunner runner;
  runner.Answer(kCancelled);
  LinuxDialogs dialogs(runner);
  WDL_String fileName;
  WDL_String path;
  dialogs.PromptForFile(fileName, path, kFileOpen, nullptr);
  dialogs.PromptForFile(fileName, path, kFileOpen, "   ");
  for (const auto& argv : runner.runs)
  {
    for (const std::string& arg : argv)
    {
      EXPECT_EQ(arg.rfind("--file-filter", 0), std::string::npos) << arg;
      EXPECT_EQ(arg.rfind("--filename", 0), std::string::npos) << "nothing to seed: " << arg;
    }
  }
}

TEST(LinuxFileChooser, ExtensionsLoseLeadingDotsAndTokensThatWouldBreakTheFilter)
{
  FakeProcessRunner runner;
  runner.Answer(kCancelled);
  LinuxDialogs dialogs(runner);
  WDL_String fileName;
  WDL_String path;
  dialogs.PromptForFile(fileName, path, kFileOpen, ".fxp  a|b *.x fxb");
  EXPECT_TRUE(runner.LastHas("--file-filter=fxp fxb | *.fxp *.FXP *.fxb *.FXB"));
}

TEST(LinuxFileChooser, SaveAppendsTheFirstExtensionWhenTheNameHasNoneOfThem)
{
  const struct
  {
    const char* chosen;
    const char* expected;
  } cases[] = {{"/p/preset\n", "/p/preset.fxp"},
               {"/p/preset.txt\n", "/p/preset.txt.fxp"},
               {"/p/preset.fxb\n", "/p/preset.fxb"},
               {"/p/PRESET.FXP\n", "/p/PRESET.FXP"}};
  for (const auto& c : cases)
  {
    FakeProcessRunner runner;
    runner.Answer(kAccepted, c.chosen);
    LinuxDialogs dialogs(runner);
    WDL_String fileName("preset");
    WDL_String path("/p");
    dialogs.PromptForFile(fileName, path, kFileSave, "fxp fxb");
    EXPECT_TRUE(runner.LastHas("--save"));
    EXPECT_STREQ(fileName.Get(), c.expected) << c.chosen;
    EXPECT_STREQ(path.Get(), "/p/") << c.chosen;
  }
}

TEST(LinuxFileChooser, SaveWithoutExtensionsKeepsTheName)
{
  FakeProcessRunner runner;
  runner.Answer(kAccepted, "/p/notes\n");
  LinuxDialogs dialogs(runner);
  WDL_String fileName;
  WDL_String path;
  dialogs.PromptForFile(fileName, path, kFileSave, "");
  EXPECT_STREQ(fileName.Get(), "/p/notes");
}

TEST(LinuxFileChooser, OpenResolvesSymbolicLinks)
{
  TempFolder folder;
  const std::filesystem::path target = folder.path / "real.wav";
  std::ofstream(target) << "x";
  std::filesystem::create_directory(folder.path / "sub");
  std::filesystem::create_symlink(target, folder.path / "sub" / "link.wav");

  FakeProcessRunner runner;
  runner.Answer(kAccepted, (folder.path / "sub" / "link.wav").string() + "\n");
  LinuxDialogs dialogs(runner);
  WDL_String fileName;
  WDL_String path;
  dialogs.PromptForFile(fileName, path, kFileOpen, "wav");

  const std::string canonical = std::filesystem::canonical(target).string();
  EXPECT_EQ(std::string(fileName.Get()), canonical);
  EXPECT_EQ(std::string(path.Get()), std::filesystem::canonical(folder.path).string() + "/");
}

TEST(LinuxFolderChooser, AcceptedFolderEndsInSlash)
{
  FakeProcessRunner runner;
  runner.Answer(kAccepted, "/home/user/My \"Stuff\"\n");
  LinuxDialogs dialogs(runner);
  WDL_String dir("/home/user");

  dialogs.PromptForDirectory(dir);

  EXPECT_STREQ(dir.Get(), "/home/user/My \"Stuff\"/");
  EXPECT_TRUE(runner.LastHas("--file-selection"));
  EXPECT_TRUE(runner.LastHas("--directory"));
  EXPECT_TRUE(runner.LastHas("--title=Choose a Directory"));
  EXPECT_TRUE(runner.LastHas("--filename=/home/user/"));
}

TEST(LinuxFolderChooser, RootStaysASingleSlash)
{
  FakeProcessRunner runner;
  runner.Answer(kAccepted, "/\n");
  LinuxDialogs dialogs(runner);
  WDL_String dir;
  dialogs.PromptForDirectory(dir);
  EXPECT_STREQ(dir.Get(), "/");
  EXPECT_FALSE(runner.LastHas("--filename=")) << "an empty start is not seeded";
}

TEST(LinuxFolderChooser, CancelledOrMissingEmptiesTheFolder)
{
  for (const bool missing : {false, true})
  {
    FakeProcessRunner runner;
    if (missing)
      runner.Missing();
    else
      runner.Answer(kCancelled);
    LinuxDialogs dialogs(runner);
    WDL_String dir("/home/user/");
    dialogs.PromptForDirectory(dir);
    EXPECT_STREQ(dir.Get(), "") << (missing ? "missing" : "cancelled");
  }
}

TEST(LinuxFolderChooser, AnswerWithANulByteIsNoPath)
{
  FakeProcessRunner runner;
  runner.Answer(kAccepted, std::string("/home/a\0/b\n", 11));
  LinuxDialogs dialogs(runner);
  WDL_String dir("/home/");
  dialogs.PromptForDirectory(dir);
  EXPECT_STREQ(dir.Get(), "");

  WDL_String fileName("x");
  WDL_String path("/p/");
  dialogs.PromptForFile(fileName, path, kFileOpen, "");
  EXPECT_STREQ(fileName.Get(), "");
  EXPECT_STREQ(path.Get(), "/p/");
}
