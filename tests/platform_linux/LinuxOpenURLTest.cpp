#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <unistd.h>

#include "FakeProcessRunner.h"
#include "FakePrograms.h"
#include "LinuxDialogs.h"

using namespace iplug::igraphics;

TEST(LinuxOpenURL, WebMailAndFileURLsGoToXdgOpenAsGiven)
{
  for (const char* url : {"http://example.com/a?b=c&d=e", "https://example.com/#top", "HTTPS://EXAMPLE.COM",
                          "file:///usr/share/doc/x.pdf", "mailto:someone@example.com?subject=Hi"})
  {
    FakeProcessRunner runner;
    LinuxDialogs dialogs(runner);
    EXPECT_TRUE(dialogs.OpenURL(url)) << url;
    ASSERT_EQ(runner.runs.size(), 1u) << url;
    EXPECT_EQ(runner.Last(), (std::vector<std::string>{"xdg-open", url}));
    EXPECT_TRUE(runner.launched.back()) << url << ": started detached, not waited for";
  }
}

TEST(LinuxOpenURL, AbsolutePathBecomesAnEncodedFileURL)
{
  FakeProcessRunner runner;
  LinuxDialogs dialogs(runner);
  EXPECT_TRUE(dialogs.OpenURL("/home/me/My Manual #2 (100%).pdf"));
  EXPECT_EQ(runner.Last()[1], "file:///home/me/My%20Manual%20%232%20%28100%25%29.pdf");
  EXPECT_EQ(LinuxDialogs::CheckedURL("/t\xC3\xA9l\xC3\xA9"), "file:///t%C3%A9l%C3%A9");
}

TEST(LinuxOpenURL, AnythingElseIsRefusedWithoutRunningAnything)
{
  for (const char* url : {"", "-", "--help", "-x http://example.com", "javascript:alert(1)", "ftp://example.com",
                          "www.example.com", "relative/path.pdf", "http//example.com", ":http://x", "1http://x",
                          "ht tp://x", "http://a b", "http://a\nb", "http://a\tb", "file:///a\x7F"})
  {
    FakeProcessRunner runner;
    LinuxDialogs dialogs(runner);
    EXPECT_FALSE(dialogs.OpenURL(url)) << url;
    EXPECT_TRUE(runner.runs.empty()) << url;
    EXPECT_EQ(LinuxDialogs::CheckedURL(url), "") << url;
  }
  FakeProcessRunner runner;
  LinuxDialogs dialogs(runner);
  EXPECT_FALSE(dialogs.OpenURL(nullptr));
  EXPECT_TRUE(runner.runs.empty());
}

TEST(LinuxOpenURL, MissingXdgOpenIsFailure)
{
  FakeProcessRunner runner;
  LinuxDialogs dialogs(runner);
  runner.Missing();
  EXPECT_FALSE(dialogs.OpenURL("https://example.com"));

  const FakePrograms none(true);
  LinuxSpawnRunner spawner;
  LinuxDialogs real(spawner);
  EXPECT_FALSE(real.OpenURL("https://example.com"));
  EXPECT_FALSE(real.RevealPathInExplorerOrFinder(WDL_String("/"), false));
}

// xdg-open may run as long as the browser it starts: the call returns once it is started, the handler keeps no
// pipe of ours and runs in a session of its own, and the runner reaps it once it has ended.
TEST(LinuxOpenURL, AHandlerThatKeepsRunningDoesNotHoldTheCallerUp)
{
  const FakePrograms programs;
  const std::filesystem::path trace = programs.File("trace");
  programs.Add("xdg-open", "echo \"$$ $1\" > '" + trace.string() + ".tmp' && mv '" + trace.string() + ".tmp' '" +
                             trace.string() + "'\nexec sleep 30");
  LinuxSpawnRunner runner;
  LinuxDialogs dialogs(runner);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(dialogs.OpenURL("https://example.com/manual"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(trace) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  pid_t pid = 0;
  std::string url;
  std::ifstream(trace) >> pid >> url;
  ASSERT_GT(pid, 0) << "the handler never ran";
  EXPECT_EQ(url, "https://example.com/manual");
  EXPECT_EQ(getsid(pid), pid);

  ASSERT_EQ(kill(pid, SIGTERM), 0);
  const std::filesystem::path entry = "/proc/" + std::to_string(pid);
  while (std::filesystem::exists(entry) && std::chrono::steady_clock::now() < deadline + std::chrono::seconds(5))
  {
    runner.Run({"true"}, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(std::filesystem::exists(entry)) << "the ended handler was never reaped";
}

TEST(LinuxRevealPath, OpensTheFolderWhenSelectingAndThePathOtherwise)
{
  const std::filesystem::path folder =
    std::filesystem::temp_directory_path() / ("tidewell-reveal-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "a preset.fxp";
  std::ofstream(file) << "x";

  FakeProcessRunner runner;
  LinuxDialogs dialogs(runner);
  EXPECT_TRUE(dialogs.RevealPathInExplorerOrFinder(WDL_String(file.c_str()), true));
  EXPECT_EQ(runner.Last(), (std::vector<std::string>{"xdg-open", folder.string()}));
  EXPECT_TRUE(runner.launched.back());
  EXPECT_TRUE(dialogs.RevealPathInExplorerOrFinder(WDL_String(file.c_str()), false));
  EXPECT_EQ(runner.Last(), (std::vector<std::string>{"xdg-open", file.string()}));

  runner.Missing();
  EXPECT_FALSE(dialogs.RevealPathInExplorerOrFinder(WDL_String(file.c_str()), true));

  std::filesystem::remove_all(folder);
}

TEST(LinuxRevealPath, EmptyOrMissingPathIsFalseWithoutRunningAnything)
{
  FakeProcessRunner runner;
  LinuxDialogs dialogs(runner);
  EXPECT_FALSE(dialogs.RevealPathInExplorerOrFinder(WDL_String(""), true));
  EXPECT_FALSE(dialogs.RevealPathInExplorerOrFinder(WDL_String("/no/such/tidewell/path"), false));
  EXPECT_FALSE(dialogs.RevealPathInExplorerOrFinder(WDL_String("--help"), false));
  EXPECT_TRUE(runner.runs.empty());
}

TEST(LinuxRevealPath, RelativePathIsHandedOverAbsoluteSoItCannotReadAsAnOption)
{
  const std::filesystem::path folder =
    std::filesystem::temp_directory_path() / ("tidewell-reveal-rel-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "-v") << "x";
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);

  FakeProcessRunner runner;
  LinuxDialogs dialogs(runner);
  const bool revealed = dialogs.RevealPathInExplorerOrFinder(WDL_String("-v"), false);

  std::filesystem::current_path(before);
  std::filesystem::remove_all(folder);
  EXPECT_TRUE(revealed);
  ASSERT_EQ(runner.runs.size(), 1u);
  EXPECT_EQ(runner.Last()[1], (folder / "-v").string());
}
