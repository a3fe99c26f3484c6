// Tidewell's LV2 editor in a third-party host: jalv.gtk3 (Debian's jalv) on JACK's dummy driver, both run as
// processes of their own on the test's X server. jalv embeds the editor in its window, and a synthetic click
// on the Duck switch works there. This jalv prints the values of output ports only, so what the click writes
// to the Duck port is checked by our own lilv-based host (LV2EditorWindowTest), which records the writes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "window/XTestDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace
{
  bool OnPath(const char* program)
  {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    std::size_t start = 0;
    while (start <= dirs.size())
    {
      const std::size_t end = std::min(dirs.find(':', start), dirs.size());
      if (std::filesystem::exists(dirs.substr(start, end - start) + "/" + program))
        return true;
      start = end + 1;
    }
    return false;
  }

  // A child process with its output sent to a file; ended with SIGTERM when the object goes.
  class Child
  {
  public:
    Child(std::vector<std::string> argv, const std::string& outPath)
    {
      std::vector<char*> args;
      for (std::string& word : argv)
        args.push_back(word.data());
      args.push_back(nullptr);
      posix_spawn_file_actions_t actions;
      posix_spawn_file_actions_init(&actions);
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
      if (posix_spawnp(&mPid, args[0], &actions, nullptr, args.data(), environ) != 0)
        mPid = -1;
      posix_spawn_file_actions_destroy(&actions);
    }
    ~Child()
    {
      if (mPid > 0 && Running())
      {
        kill(mPid, SIGTERM);
        waitpid(mPid, nullptr, 0);
      }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool Running()
    {
      return mPid > 0 && waitpid(mPid, nullptr, WNOHANG) == 0;
    }

  private:
    pid_t mPid = -1;
  };

  // The first window below window (depth first) whose class is windowClass, or 0.
  Window FindByClass(Display* display, Window window, const std::string& windowClass)
  {
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint))
    {
      const bool match = hint.res_class && windowClass == hint.res_class;
      XFree(hint.res_name);
      XFree(hint.res_class);
      if (match)
        return window;
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count))
    {
      for (unsigned i = 0; i < count && !found; ++i)
        found = FindByClass(display, children[i], windowClass);
      if (children)
        XFree(children);
    }
    return found;
  }
}

TEST(JalvEditor, JalvEmbedsTheEditorAndAClickOnDuckReachesIt)
{
  XTestDriver x;
  if (!x.IsConnected())
    GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
  if (!OnPath("jalv.gtk3") || !OnPath("jackd"))
    GTEST_SKIP() << "jalv.gtk3 or jackd not installed";
  if (TIDEWELL_SANITIZED_BUILD)
    GTEST_SKIP() << "jalv is not built with our sanitizers and cannot load a sanitized plug-in";

  // jalv finds plug-ins through LV2_PATH: a folder holding only our bundle. JACK runs under a server name of
  // this test's own, so no other JACK server is touched.
  const std::filesystem::path scratch = std::filesystem::temp_directory_path() / ("tidewell-jalv-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch / "lv2");
  std::filesystem::create_directory_symlink(TIDEWELL_LV2_BUNDLE_PATH, scratch / "lv2" / "Tidewell.lv2");
  const std::string server = "tidewell-test-" + std::to_string(getpid());
  setenv("JACK_DEFAULT_SERVER", server.c_str(), 1);
  setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
  setenv("LV2_PATH", (scratch / "lv2").c_str(), 1);
  {
    Child jack({"jackd", "--no-realtime", "-n", server, "-d", "dummy", "-r", "48000", "-p", "512"}, (scratch / "jack.log").string());
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_TRUE(jack.Running()) << "jackd did not start";
    Child jalv({"jalv.gtk3", "--dump", "https://kelvane.com/plugins/Tidewell/stereo"}, (scratch / "jalv.log").string());
    Window editor = 0;
    // Inside jalv's own window (titled with its JACK client name), not any other editor on the screen.
    ASSERT_TRUE(WaitFor([&] {
      const Window jalvWindow = x.FindWindow("Tidewell Stereo");
      return jalvWindow && (editor = FindByClass(x.Get(), jalvWindow, "com.kelvane.audiounit.Tidewell")) != 0;
    }, 20.0)) << "jalv showed no Tidewell editor";
    int w = 0, h = 0;
    ASSERT_TRUE(x.Size(editor, w, h));
    EXPECT_EQ(w, 495);
    EXPECT_EQ(h, 220);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    // The switch region before and after a click inside jalv's window.
    auto pixels = [&] {
      std::vector<unsigned long> out;
      if (XImage* image = XGetImage(x.Get(), editor, 402, 121, 70, 40, AllPlanes, ZPixmap))
      {
        for (int yy = 0; yy < 40; ++yy)
          for (int xx = 0; xx < 70; ++xx)
            out.push_back(XGetPixel(image, xx, yy));
        XDestroyImage(image);
      }
      return out;
    };
    const std::vector<unsigned long> before = pixels();
    x.Click(editor, 437, 141);
    EXPECT_TRUE(WaitFor([&] { return pixels() != before; }, 5.0));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(jalv.Running());
  }
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
}
