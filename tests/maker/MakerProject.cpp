#include "MakerProject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

std::string FreshMakerFolder(const std::string& name)
{
  const std::filesystem::path folder = std::filesystem::path(TIDEWELL_BUILD_DIR) / "maker" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

void InstallComponents(const std::string& prefix, const std::vector<std::string>& components)
{
  for (const std::string& component : components)
  {
    const ToolRun installed = RunTool({TIDEWELL_CMAKE, "--install", TIDEWELL_BUILD_DIR, "--prefix", prefix,
                                       "--component", component}, {}, prefix);
    ASSERT_EQ(installed.exitCode, 0) << installed.err;
  }
}

ToolRun RunNewPlugin(const std::vector<std::string>& arguments, const std::string& folder)
{
  std::vector<std::string> words{std::string(TIDEWELL_SOURCE_DIR) + "/tools/new-plugin"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return RunTool(words, {}, folder);
}

std::string FreshCode()
{
  std::random_device device;
  std::uniform_int_distribution<int> letter('a', 'z');
  std::string code;
  for (int i = 0; i < 4; ++i)
    code += static_cast<char>(letter(device));
  return code;
}

std::vector<std::string> ListTree(const std::string& folder)
{
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    paths.push_back(std::filesystem::relative(entry.path(), folder).string());
  std::sort(paths.begin(), paths.end());
  return paths;
}
