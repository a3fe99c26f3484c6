#pragma once

// The host program's editor running as its own process on the test's X server, with its standard output
// read line by line as it arrives.

#include <string>
#include <vector>

class HostEditorProcess
{
public:
  // Where the program's standard error goes.
  enum class Errors
  {
    kInherit, // to the test's own standard error
    kCapture  // read into ErrorLines()
  };

  // Starts tidewell_host editor on the component of bundle (default: Tidewell's) with the extra arguments,
  // standard output captured. [main-thread]
  explicit HostEditorProcess(const std::vector<std::string>& extra, const std::string& bundle = TIDEWELL_BUNDLE_PATH,
                             Errors errors = Errors::kInherit);
  // Ends the process if it still runs.
  ~HostEditorProcess();
  HostEditorProcess(const HostEditorProcess&) = delete;
  HostEditorProcess& operator=(const HostEditorProcess&) = delete;

  bool Started() const { return mPid > 0; }
  // Reads what the program has written so far into Lines() (and ErrorLines() when captured).
  void ReadOutput();
  const std::vector<std::string>& Lines() const { return mLines; }
  const std::vector<std::string>& ErrorLines() const { return mErrorLines; }
  // Whether some line equals text (reading new output first).
  bool HasLine(const std::string& text);
  // Whether the program has not ended yet (collecting its status when it has).
  bool Running();
  // Waits up to seconds for the program to end; its exit status, or -1 when it still runs.
  int WaitExit(double seconds);

private:
  // Moves what fd holds now into partial, and each whole line of partial into lines.
  static void ReadLines(int fd, std::string& partial, std::vector<std::string>& lines);

  int mPid = -1;
  int mOut = -1;
  int mErr = -1;
  std::string mPartial;
  std::string mErrorPartial;
  std::vector<std::string> mLines;
  std::vector<std::string> mErrorLines;
  bool mExited = false;
  int mStatus = -1;
};
