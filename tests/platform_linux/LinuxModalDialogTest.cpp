#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeProcessRunner.h"
#include "FakePrograms.h"
#include "LinuxDialogs.h"

using namespace iplug::igraphics;

// Through the real runner and a zenity that takes its time: the window's frame hook keeps being called while
// the dialog is open, and the call still returns the answer, as a modal panel's does.
TEST(LinuxModalDialog, TheFrameHookRunsWhileZenityIsOpenAndTheAnswerArrives)
{
  const FakePrograms programs;
  programs.Add("zenity", "sleep 1\necho 'rgb(255,128,0)'");
  LinuxSpawnRunner runner;
  int frames = 0;
  LinuxDialogs dialogs(runner, [&] { ++frames; });

  IColor color(255, 0, 0, 255);
  IColor handed;
  EXPECT_TRUE(dialogs.PromptForColor(color, "Choose a color", [&](const IColor& c) { handed = c; }));
  EXPECT_EQ(color, IColor(255, 255, 128, 0));
  EXPECT_EQ(handed, color);
  EXPECT_GT(frames, 10);
}

// A dialog asked for while one is open (here from the frame hook, as a drawing control might) is refused with the
// cancelled result of its kind and runs nothing; completions still hear of it. Once the first has closed, the
// next one opens, also from the first one's completion.
TEST(LinuxModalDialog, ASecondDialogWhileOneIsOpenIsRefused)
{
  FakeProcessRunner runner;
  runner.framesPerRun = 1;
  runner.Answer(0, "/home/me/take.wav");
  std::vector<EMsgBoxResult> nested;
  WDL_String file("old.wav");
  WDL_String folder("/home/me/");
  WDL_String dir("/home/me/");
  IColor color(255, 1, 2, 3);
  bool colorRefused = false;
  bool colorHandled = false;
  bool hookRan = false;
  LinuxDialogs other(runner);
  LinuxDialogs dialogs(runner, [&] {
    hookRan = true;
    nested.push_back(dialogs.ShowMessageBox("again?", "", kMsgBoxOKCancel,
                                            [&](EMsgBoxResult r) { nested.push_back(r); }));
    nested.push_back(other.ShowMessageBox("another editor's", "", kMsgBoxOK));
    dialogs.PromptForFile(file, folder, kFileOpen, "wav");
    other.PromptForDirectory(dir);
    colorRefused = !dialogs.PromptForColor(color, "", [&](const IColor&) { colorHandled = true; });
  });

  EXPECT_EQ(dialogs.ShowMessageBox("first", "", kMsgBoxOK), kMsgResultOK);
  ASSERT_TRUE(hookRan);
  EXPECT_EQ(runner.runs.size(), 1u) << "only the first dialog ran";
  EXPECT_EQ(nested, (std::vector<EMsgBoxResult>{kMsgResultCancel, kMsgResultCancel, kMsgResultCancel}));
  EXPECT_STREQ(file.Get(), "");
  EXPECT_STREQ(folder.Get(), "/home/me/");
  EXPECT_STREQ(dir.Get(), "");
  EXPECT_TRUE(colorRefused);
  EXPECT_FALSE(colorHandled);
  EXPECT_EQ(color, IColor(255, 1, 2, 3));

  runner.framesPerRun = 0;
  EMsgBoxResult chained = kMsgResultCancel;
  EXPECT_EQ(other.ShowMessageBox("first", "", kMsgBoxOK,
                                 [&](EMsgBoxResult) { chained = other.ShowMessageBox("then", "", kMsgBoxOK); }),
            kMsgResultOK);
  EXPECT_EQ(chained, kMsgResultOK);
  EXPECT_EQ(runner.runs.size(), 3u);
}
