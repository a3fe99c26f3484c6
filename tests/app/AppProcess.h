#pragma once

// A standalone program of the build running as a child process of the test, as a user starts it: with the
// environment the test gives (the JACK server, the configuration folder, the display), its output in files.

#include <string>
#include <utility>
#include <vector>

class AppProcess
{
public:
  // Starts program with arguments, environment entries (NAME, VALUE) set or, with an empty value, removed; its
  // standard output and error go to outPath and errPath.
  AppProcess(const std::string& program, const std::vector<std::string>& arguments,
             const std::vector<std::pair<std::string, std::string>>& environment, std::string outPath,
             std::string errPath);
  // Kills the program if it still runs.
  ~AppProcess();
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  // Sends signal (SIGTERM by default).
  void Signal(int signal);
  // Waits up to seconds for the program to end; its exit status, or -1 when it still runs (or died of a signal).
  int Wait(double seconds);
  // Whether the program has ended.
  bool Ended();
  // What it wrote so far.
  std::string Out() const;
  std::string Err() const;
  // The lines of Err().
  std::vector<std::string> ErrLines() const;

private:
  int mPid = -1;
  int mStatus = -1;
  bool mEnded = false;
  std::string mOutPath;
  std::string mErrPath;
};

// Runs program to its end (at most seconds) and returns its exit status, with its output in out and err.
int RunAppToEnd(const std::string& program, const std::vector<std::string>& arguments,
                const std::vector<std::pair<std::string, std::string>>& environment, const std::string& folder,
                std::string& out, std::string& err, double seconds = 30.0);

// Whether a JACK port called name exists on server.
bool JackPortExists(const std::string& server, const std::string& name);
// Waits up to seconds until port name exists on server.
bool WaitForJackPort(const std::string& server, const std::string& name, double seconds);
