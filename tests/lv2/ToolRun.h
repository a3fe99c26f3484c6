#pragma once

// Runs a third-party program as a person would, with its output captured.

#include <string>
#include <vector>

// What one run of a program left behind.
struct ToolRun
{
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the program found on PATH with the arguments (no shell); environment entries NAME=VALUE are added to
// the test's own environment. The output is captured through files in folder.
ToolRun RunTool(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                const std::string& folder);

// A folder holding only a link to the bundle under test, to hand third-party tools as LV2_PATH.
std::string MakeLV2Path(const std::string& folder);

// The environment for a third-party tool that loads the plug-in from lv2Path: LV2_PATH, and in the
// AddressSanitizer build the sanitizer's runtime preloaded (the tool's own leaks not reported).
std::vector<std::string> PluginHostEnvironment(const std::string& lv2Path);
