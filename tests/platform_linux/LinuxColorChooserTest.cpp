#include <gtest/gtest.h>

#include "FakeProcessRunner.h"
#include "LinuxDialogs.h"

using namespace iplug::igraphics;

namespace
{

constexpr int kAccepted = 0;
constexpr int kCancelled = 1;

// Runs the chooser on color with zenity answering status and output; counts the completions.
struct ColorRun
{
  FakeProcessRunner runner;
  IColor color{128, 255, 128, 0};
  int completions = 0;
  IColor completed;
  bool result = false;

  ColorRun(int status, const char* output, bool missing = false)
  {
    runner.Answer(status, output);
    if (missing)
      runner.Missing();
    LinuxDialogs dialogs(runner);
    result = dialogs.PromptForColor(color, "Meter colour", [this](const IColor& c) {
      ++completions;
      completed = c;
    });
  }
};

} // namespace

TEST(LinuxColorChooser, StartsAtTheColourWithItsOpacityAndTitle)
{
  ColorRun run(kCancelled, "");
  EXPECT_EQ(run.runner.Last()[0], "zenity");
  EXPECT_TRUE(run.runner.LastHas("--color-selection"));
  EXPECT_TRUE(run.runner.LastHas("--color=rgba(255,128,0,0.502)"));
  EXPECT_TRUE(run.runner.LastHas("--title=Meter colour"));
}

TEST(LinuxColorChooser, OutOfRangeStartColourIsClamped)
{
  FakeProcessRunner runner;
  runner.Answer(kCancelled);
  LinuxDialogs dialogs(runner);
  IColor color(400, -5, 300, 7);
  dialogs.PromptForColor(color, "");
  EXPECT_TRUE(runner.LastHas("--color=rgba(0,255,7,1.000)"));
  EXPECT_FALSE(runner.LastHas("--title=")) << "an empty prompt keeps zenity's title";
}

TEST(LinuxColorChooser, ChosenOpaqueColourCompletes)
{
  ColorRun run(kAccepted, "rgb(10,20,30)\n");
  EXPECT_TRUE(run.result);
  EXPECT_EQ(run.color, IColor(255, 10, 20, 30));
  EXPECT_EQ(run.completions, 1);
  EXPECT_EQ(run.completed, IColor(255, 10, 20, 30));
}

TEST(LinuxColorChooser, ChosenTranslucentColourTruncatesAlpha)
{
  ColorRun run(kAccepted, "rgba(10, 20, 30, 0.5)\n");
  EXPECT_TRUE(run.result);
  EXPECT_EQ(run.color, IColor(127, 10, 20, 30));
}

TEST(LinuxColorChooser, CancelledOrMissingLeavesColourAndCompletionAlone)
{
  for (const bool missing : {false, true})
  {
    ColorRun run(kCancelled, "", missing);
    EXPECT_FALSE(run.result);
    EXPECT_EQ(run.color, IColor(128, 255, 128, 0));
    EXPECT_EQ(run.completions, 0);
  }
}

TEST(LinuxColorChooser, UnreadableAnswerIsNoChoice)
{
  for (const char* output : {"", "#ff0000", "rgb(1,2)", "rgb(1,2,3,4)", "rgba(1,2,3)", "rgb(1,2,3", "rgb(a,b,c)",
                             "rgb(1,,3)", "rgb(1,2,3)x", "rgb(nan,2,3)"})
  {
    ColorRun run(kAccepted, output);
    EXPECT_FALSE(run.result) << output;
    EXPECT_EQ(run.completions, 0) << output;
    EXPECT_EQ(run.color, IColor(128, 255, 128, 0)) << output;
  }
}

TEST(LinuxColorChooser, ChannelsBeyondTheirRangeAreClamped)
{
  ColorRun run(kAccepted, "rgba(300,-4,20.9,7)\n");
  EXPECT_TRUE(run.result);
  EXPECT_EQ(run.color, IColor(255, 255, 0, 20));
}
