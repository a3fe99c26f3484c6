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

HostEditorProcess::HostEditorProcess(const std::vector<std::string>& extra)
{
  int fds[2];
  if (pipe(fds) != 0)
    return;
  std::vector<std::string> words = {TIDEWELL_HOST_PATH, "editor", "--component", TIDEWELL_BUNDLE_PATH};
  words.insert(words.end(), extra.begin(), extra.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
    mPid = pid;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  mOut = fds[0];
  fcntl(mOut, F_SETFL, fcntl(mOut, F_GETFL) | O_NONBLOCK);
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
}

void HostEditorProcess::ReadOutput()
{
  char buffer[4096];
  for (;;)
  {
    const ssize_t n = read(mOut, buffer, sizeof(buffer));
    if (n <= 0)
      break;
    mPartial.append(buffer, static_cast<std::size_t>(n));
  }
  std::size_t end = 0;
  while ((end = mPartial.find('\n')) != std::string::npos)
  {
    mLines.push_back(mPartial.substr(0, end));
    mPartial.erase(0, end + 1);
  }
}

bool HostEditorProcess::HasLine(const std::string& text)
{
  ReadOutput();
  return std::find(mLines.begin(), mLines.end(), text) != mLines.end();
}

int HostEditorProcess::WaitExit(double seconds)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!mExited && std::chrono::steady_clock::now() < end)
  {
    int status = 0;
    if (waitpid(mPid, &status, WNOHANG) == mPid)
    {
      mExited = true;
      mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ReadOutput();
  return mExited ? mStatus : -1;
}
