#pragma once

// The host program's editor running as its own process on the test's X server, with its standard output
// read line by line as it arrives.

#include <string>
#include <vector>

class HostEditorProcess
{
public:
  // Starts tidewell_host editor with the extra arguments (stdout captured, stderr inherited).
  explicit HostEditorProcess(const std::vector<std::string>& extra);
  // Ends the process if it still runs.
  ~HostEditorProcess();
  HostEditorProcess(const HostEditorProcess&) = delete;
  HostEditorProcess& operator=(const HostEditorProcess&) = delete;

  bool Started() const { return mPid > 0; }
  // Reads what the program has written so far into Lines().
  void ReadOutput();
  const std::vector<std::string>& Lines() const { return mLines; }
  // Whether some line equals text (reading new output first).
  bool HasLine(const std::string& text);
  // Waits up to seconds for the program to end; its exit status, or -1 when it still runs.
  int WaitExit(double seconds);

private:
  int mPid = -1;
  int mOut = -1;
  std::string mPartial;
  std::vector<std::string> mLines;
  bool mExited = false;
  int mStatus = -1;
};
