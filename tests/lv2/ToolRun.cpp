#include "ToolRun.h"
#include "support/TextFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

ToolRun RunTool(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                const std::string& folder)
{
  ToolRun run;
  const std::string outPath = folder + "/tool.out";
  const std::string errPath = folder + "/tool.err";

  // A variable given here replaces the inherited one: with both, getenv would find the inherited one first.
  const auto givenHere = [&environment](const std::string& entry) {
    const std::string name = entry.substr(0, entry.find('=') + 1);
    return std::any_of(environment.begin(), environment.end(),
                       [&name](const std::string& given) { return given.compare(0, name.size(), name) == 0; });
  };
  std::vector<std::string> envText;
  for (char** entry = environ; *entry; ++entry)
    if (!givenHere(*entry))
      envText.emplace_back(*entry);
  envText.insert(envText.end(), environment.begin(), environment.end());
  std::vector<char*> env;
  for (std::string& entry : envText)
    env.push_back(entry.data());
  env.push_back(nullptr);

  std::vector<std::string> words = arguments;
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
  {
    ADD_FAILURE() << "cannot run " << arguments[0];
    return run;
  }
  int status = 0;
  if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    run.exitCode = WEXITSTATUS(status);
  run.out = ReadText(outPath);
  run.err = ReadText(errPath);
  return run;
}

std::string MakeLV2Path(const std::string& folder)
{
  const std::string path = folder + "/lv2";
  std::filesystem::create_directories(path);
  std::filesystem::create_directory_symlink(TIDEWELL_LV2_BUNDLE_PATH, path + "/Tidewell.lv2");
  return path;
}

std::vector<std::string> PluginHostEnvironment(const std::string& lv2Path)
{
  std::vector<std::string> environment{"LV2_PATH=" + lv2Path};
  if (TIDEWELL_TOOLS_PRELOAD[0])
    environment.insert(environment.end(), {std::string("LD_PRELOAD=") + TIDEWELL_TOOLS_PRELOAD, "ASAN_OPTIONS=detect_leaks=0"});
  return environment;
}
