#include "HostEditorProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

extern char** environ;

namespace
{
  void SetNonBlocking(int fd)
  {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
}

HostEditorProcess::HostEditorProcess(const std::vector<std::string>& extra, const std::string& bundle, Errors errors)
{
  int fds[2];
  if (pipe(fds) != 0)
    return;
  int errFds[2] = {-1, -1};
  if (errors == Errors::kCapture && pipe(errFds) != 0)
  {
    close(fds[0]);
    close(fds[1]);
    return;
  }
  std::vector<std::string> words = {TIDEWELL_HOST_PATH, "editor", "--component", bundle};
  words.insert(words.end(), extra.begin(), extra.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  if (errFds[1] >= 0)
  {
    posix_spawn_file_actions_adddup2(&actions, errFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, errFds[0]);
  }
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
    mPid = pid;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  mOut = fds[0];
  SetNonBlocking(mOut);
  if (errFds[1] >= 0)
  {
    close(errFds[1]);
    mErr = errFds[0];
    SetNonBlocking(mErr);
  }
}

HostEditorProcess::~HostEditorProcess()
{
  if (mPid > 0 && !mExited)
  {
    kill(mPid, SIGTERM);
    waitpid(mPid, nullptr, 0);
  }
  if (mOut >= 0)
    close(mOut);
  if (mErr >= 0)
    close(mErr);
}

void HostEditorProcess::ReadLines(int fd, std::string& partial, std::vector<std::string>& lines)
{
  char buffer[4096];
  for (;;)
  {
    const ssize_t n = read(fd, buffer, sizeof(buffer));
    if (n <= 0)
      break;
    partial.append(buffer, static_cast<std::size_t>(n));
  }
  std::size_t end = 0;
  while ((end = partial.find('\n')) != std::string::npos)
  {
    lines.push_back(partial.substr(0, end));
    partial.erase(0, end + 1);
  }
}

void HostEditorProcess::ReadOutput()
{
  ReadLines(mOut, mPartial, mLines);
  if (mErr >= 0)
    ReadLines(mErr, mErrorPartial, mErrorLines);
}

bool HostEditorProcess::HasLine(const std::string& text)
{
  ReadOutput();
  return std::find(mLines.begin(), mLines.end(), text) != mLines.end();
}

bool HostEditorProcess::Running()
{
  int status = 0;
  if (!mExited && mPid > 0 && waitpid(mPid, &status, WNOHANG) == mPid)
  {
    mExited = true;
    mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  return mPid > 0 && !mExited;
}

int HostEditorProcess::WaitExit(double seconds)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (Running() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ReadOutput();
  return mExited ? mStatus : -1;
}
