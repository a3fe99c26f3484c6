#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "LinuxDialogs.h"

// A process runner that records every argv it is asked to run or launch and answers with a scripted result, so
// the dialogs can be checked without zenity, xdg-open or a display.
struct FakeProcessRunner final : iplug::igraphics::LinuxProcessRunner
{
  iplug::igraphics::LinuxProcessResult answer{true, 0, ""}; // what every run returns; launches report its started
  std::vector<std::vector<std::string>> runs;                // argv of every run and launch, in order
  std::vector<bool> launched;                                // for each of runs: launched rather than run
  int framesPerRun = 0;                                      // frame hook calls a run makes while "waiting"

  iplug::igraphics::LinuxProcessResult Run(const std::vector<std::string>& argv,
                                           const iplug::igraphics::LinuxModalFrame& frame) override
  {
    runs.push_back(argv);
    launched.push_back(false);
    for (int i = 0; i < framesPerRun && frame; ++i)
      frame();
    return answer;
  }

  bool Launch(const std::vector<std::string>& argv) override
  {
    runs.push_back(argv);
    launched.push_back(true);
    return answer.started;
  }

  // Answers with exit status status and output text.
  void Answer(int status, std::string text = "") { answer = {true, status, std::move(text)}; }
  // Answers as when the program is not installed.
  void Missing() { answer = {false, -1, ""}; }

  // The last run's argv.
  const std::vector<std::string>& Last() const { return runs.back(); }
  // Whether the last run had the argument arg.
  bool LastHas(const std::string& arg) const
  {
    return std::find(runs.back().begin(), runs.back().end(), arg) != runs.back().end();
  }
};
