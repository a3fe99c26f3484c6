#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "LinuxDialogs.h"

// A process runner that records every argv it is asked to run and answers with a scripted result, so the
// dialogs can be checked without zenity, xdg-open or a display.
struct FakeProcessRunner final : iplug::igraphics::LinuxProcessRunner
{
  iplug::igraphics::LinuxProcessResult answer{true, 0, ""}; // what every run returns
  std::vector<std::vector<std::string>> runs;                // argv of every run, in order

  iplug::igraphics::LinuxProcessResult Run(const std::vector<std::string>& argv) override
  {
    runs.push_back(argv);
    return answer;
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
