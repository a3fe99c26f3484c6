#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeProcessRunner.h"
#include "LinuxDialogs.h"

using namespace iplug::igraphics;

namespace
{

constexpr int kAccepted = 0; // zenity: first button
constexpr int kDeclined = 1; // zenity: cancel button, extra button or window closed
constexpr int kTimedOut = 5; // zenity: --timeout ran out
constexpr int kFailed = 255; // zenity: error

struct Outcome
{
  int status;             // zenity's exit status
  const char* output;     // what it printed
  EMsgBoxResult expected; // the result the box reports
};

EMsgBoxResult Show(FakeProcessRunner& runner, EMsgBoxType type)
{
  LinuxDialogs dialogs(runner);
  return dialogs.ShowMessageBox("Save changes?", "Tidewell", type);
}

void ExpectOutcomes(EMsgBoxType type, const std::vector<Outcome>& outcomes)
{
  for (const Outcome& o : outcomes)
  {
    FakeProcessRunner runner;
    runner.Answer(o.status, o.output);
    EXPECT_EQ(Show(runner, type), o.expected) << "kind " << type << ", exit " << o.status << ", output " << o.output;
  }
}

} // namespace

TEST(LinuxMessageBox, OkBoxIsAcknowledgedOrDismissed)
{
  ExpectOutcomes(kMsgBoxOK, {{kAccepted, "", kMsgResultOK}, {kDeclined, "", kMsgResultCancel}});
  FakeProcessRunner runner;
  Show(runner, kMsgBoxOK);
  EXPECT_TRUE(runner.LastHas("--info"));
  EXPECT_TRUE(runner.LastHas("--ok-label=OK"));
}

TEST(LinuxMessageBox, OkCancelBoxReportsItsButtons)
{
  ExpectOutcomes(kMsgBoxOKCancel, {{kAccepted, "", kMsgResultOK}, {kDeclined, "", kMsgResultCancel}});
  FakeProcessRunner runner;
  Show(runner, kMsgBoxOKCancel);
  EXPECT_TRUE(runner.LastHas("--ok-label=OK"));
  EXPECT_TRUE(runner.LastHas("--cancel-label=Cancel"));
}

TEST(LinuxMessageBox, YesNoCancelBoxReportsNoForTheThirdButton)
{
  ExpectOutcomes(kMsgBoxYesNoCancel, {{kAccepted, "", kMsgResultYes},
                                      {kDeclined, "No\n", kMsgResultNo},
                                      {kDeclined, "", kMsgResultCancel}});
  FakeProcessRunner runner;
  Show(runner, kMsgBoxYesNoCancel);
  EXPECT_TRUE(runner.LastHas("--ok-label=Yes"));
  EXPECT_TRUE(runner.LastHas("--cancel-label=Cancel"));
  EXPECT_TRUE(runner.LastHas("--extra-button=No"));
}

TEST(LinuxMessageBox, YesNoBoxReportsItsButtons)
{
  ExpectOutcomes(kMsgBoxYesNo, {{kAccepted, "", kMsgResultYes}, {kDeclined, "", kMsgResultNo}});
  FakeProcessRunner runner;
  Show(runner, kMsgBoxYesNo);
  EXPECT_TRUE(runner.LastHas("--ok-label=Yes"));
  EXPECT_TRUE(runner.LastHas("--cancel-label=No"));
}

TEST(LinuxMessageBox, RetryCancelBoxReportsItsButtons)
{
  ExpectOutcomes(kMsgBoxRetryCancel, {{kAccepted, "", kMsgResultRetry}, {kDeclined, "", kMsgResultCancel}});
  FakeProcessRunner runner;
  Show(runner, kMsgBoxRetryCancel);
  EXPECT_TRUE(runner.LastHas("--ok-label=Retry"));
  EXPECT_TRUE(runner.LastHas("--cancel-label=Cancel"));
}

TEST(LinuxMessageBox, TimeoutOrErrorOfZenityIsCancelForEveryKind)
{
  for (const EMsgBoxType type : {kMsgBoxOK, kMsgBoxOKCancel, kMsgBoxYesNoCancel, kMsgBoxYesNo, kMsgBoxRetryCancel})
    ExpectOutcomes(type, {{kTimedOut, "", kMsgResultCancel}, {kFailed, "No\n", kMsgResultCancel}});
}

TEST(LinuxMessageBox, MissingZenityIsCancelNeverASuccess)
{
  for (const EMsgBoxType type : {kMsgBoxOK, kMsgBoxOKCancel, kMsgBoxYesNoCancel, kMsgBoxYesNo, kMsgBoxRetryCancel})
  {
    FakeProcessRunner runner;
    runner.Missing();
    EXPECT_EQ(Show(runner, type), kMsgResultCancel) << "kind " << type;
  }
}

TEST(LinuxMessageBox, AbortRetryIgnoreAndUnknownKindsShowNothingAndCancel)
{
  for (const int type : {2, 6, -1, 1000})
  {
    FakeProcessRunner runner;
    EMsgBoxResult completed = kNoResult;
    LinuxDialogs dialogs(runner);
    const auto complete = [&](EMsgBoxResult r) { completed = r; };
    const EMsgBoxResult result = dialogs.ShowMessageBox("text", "caption", static_cast<EMsgBoxType>(type), complete);
    EXPECT_EQ(result, kMsgResultCancel) << type;
    EXPECT_EQ(completed, kMsgResultCancel) << type;
    EXPECT_TRUE(runner.runs.empty()) << type;
  }
}

TEST(LinuxMessageBox, CompletionReceivesTheResult)
{
  FakeProcessRunner runner;
  runner.Answer(kDeclined, "No\n");
  LinuxDialogs dialogs(runner);
  EMsgBoxResult completed = kNoResult;
  const auto complete = [&](EMsgBoxResult r) { completed = r; };
  EXPECT_EQ(dialogs.ShowMessageBox("a", "b", kMsgBoxYesNoCancel, complete), kMsgResultNo);
  EXPECT_EQ(completed, kMsgResultNo);
}

TEST(LinuxMessageBox, TextsArriveAsSingleArgumentsWithoutMarkup)
{
  FakeProcessRunner runner;
  LinuxDialogs dialogs(runner);
  dialogs.ShowMessageBox("<b>\"Loud\" & 'clear'</b>; rm -rf ~", "--title=x", kMsgBoxOKCancel);
  const std::vector<std::string>& argv = runner.Last();
  ASSERT_FALSE(argv.empty());
  EXPECT_EQ(argv[0], "zenity");
  EXPECT_TRUE(runner.LastHas("--no-markup"));
  EXPECT_TRUE(runner.LastHas("--text=<b>\"Loud\" & 'clear'</b>; rm -rf ~"));
  EXPECT_TRUE(runner.LastHas("--title=--title=x"));
}

TEST(LinuxMessageBox, NullTextsAreEmpty)
{
  FakeProcessRunner runner;
  LinuxDialogs dialogs(runner);
  EXPECT_EQ(dialogs.ShowMessageBox(nullptr, nullptr, kMsgBoxOK), kMsgResultOK);
  EXPECT_TRUE(runner.LastHas("--text="));
  EXPECT_TRUE(runner.LastHas("--title="));
}
