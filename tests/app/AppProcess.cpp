#include "app/AppProcess.h"
#include "support/TextFile.h"

#include <gtest/gtest.h>
#include <jack/jack.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

AppProcess::AppProcess(const std::string& program, const std::vector<std::string>& arguments,
                       const std::vector<std::pair<std::string, std::string>>& environment, std::string outPath,
                       std::string errPath)
  : mOutPath(std::move(outPath))
  , mErrPath(std::move(errPath))
{
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  mPid = fork();
  if (mPid != 0)
    return;
  for (const auto& [name, value] : environment)
  {
    if (value.empty())
      unsetenv(name.c_str());
    else
      setenv(name.c_str(), value.c_str(), 1);
  }
  const int out = open(mOutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = open(mErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  dup2(out, STDOUT_FILENO);
  dup2(err, STDERR_FILENO);
  execv(argv[0], argv.data());
  _exit(127);
}

AppProcess::~AppProcess()
{
  if (mPid > 0 && !Ended())
  {
    kill(mPid, SIGKILL);
    Wait(10.0);
  }
}

void AppProcess::Signal(int signal)
{
  if (mPid > 0 && !mEnded)
    kill(mPid, signal);
}

bool AppProcess::Ended()
{
  if (mEnded || mPid <= 0)
    return true;
  int status = 0;
  if (waitpid(mPid, &status, WNOHANG) != mPid)
    return false;
  mEnded = true;
  mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return true;
}

int AppProcess::Wait(double seconds)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!Ended() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return mEnded ? mStatus : -1;
}

std::string AppProcess::Out() const
{
  return ReadText(mOutPath);
}

std::string AppProcess::Err() const
{
  return ReadText(mErrPath);
}

std::vector<std::string> AppProcess::ErrLines() const
{
  std::vector<std::string> lines;
  std::istringstream stream(Err());
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

int RunAppToEnd(const std::string& program, const std::vector<std::string>& arguments,
                const std::vector<std::pair<std::string, std::string>>& environment, const std::string& folder,
                std::string& out, std::string& err, double seconds)
{
  AppProcess process(program, arguments, environment, folder + "/run.out", folder + "/run.err");
  const int status = process.Wait(seconds);
  out = process.Out();
  err = process.Err();
  return status;
}

bool JackPortExists(const std::string& server, const std::string& name)
{
  jack_status_t status{};
  jack_client_t* client = jack_client_open("port-probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName),
                                           &status, server.c_str());
  if (!client)
    return false;
  const bool exists = jack_port_by_name(client, name.c_str()) != nullptr;
  jack_client_close(client);
  return exists;
}

bool WaitForJackPort(const std::string& server, const std::string& name, double seconds)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end)
  {
    if (JackPortExists(server, name))
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}
