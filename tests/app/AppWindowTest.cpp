// Tidewell's standalone program with its window on the test's X server and its audio on a JACK server of the
// test's own: the editor in the program's window shows what tidewell_host's screenshot shows for the same values,
// a click on the Duck switch is what the next run restores, and the corner button opens the settings page, whose
// rows (reported with --stats) list the JACK driver and the test server's clients.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AppSettingsButton.h"
#include "AppSettingsPage.h"
#include "DecodedImage.h"
#include "app/AppProcess.h"
#include "app/JackServer.h"
#include "host/HostProgram.h"
#include "window/XTestDriver.h"

// Xlib's macros clash with the test framework's names: it comes last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
  constexpr const char* kTitle = "Tidewell";
  constexpr const char* kSettingsTitle = "Tidewell settings";
  // The editor at screen scale 1 (Xvfb sets no Xft.dpi), in pixels.
  constexpr int kWidth = 495;
  constexpr int kHeight = 220;
  // Largest difference of one colour channel between the window and the screenshot: both are drawn by the same
  // software GL driver, the margin covers rounding in the server's conversion of the window's picture.
  constexpr int kTolerance = 3;
  // Long enough for a sanitizer build on a loaded machine to start the program and draw its first frame.
  constexpr double kStartSeconds = 30.0;

  // Pixels as 0xRRGGBB, top row first.
  struct Picture
  {
    int width = 0;
    int height = 0;
    std::vector<unsigned long> rgb;
  };

  // Where two pictures of the same size differ by more than kTolerance in some channel.
  struct Difference
  {
    long count = 0;
    int worst = 0;
  };

  // Compares the pixels of a and b inside region (inside) or outside it (!inside).
  Difference Compare(const Picture& a, const Picture& b, const iplug::igraphics::IRECT& region, bool inside)
  {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size())
      return Difference{static_cast<long>(std::max(a.rgb.size(), b.rgb.size())) + 1, 255};
    Difference d;
    for (int y = 0; y < a.height; ++y)
      for (int x = 0; x < a.width; ++x)
      {
        if (region.Contains(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f) != inside)
          continue;
        const size_t i = static_cast<size_t>(y) * static_cast<size_t>(a.width) + static_cast<size_t>(x);
        int worst = 0;
        for (int shift : {0, 8, 16})
          worst = std::max(worst, std::abs(static_cast<int>((a.rgb[i] >> shift) & 0xff) -
                                           static_cast<int>((b.rgb[i] >> shift) & 0xff)));
        d.worst = std::max(d.worst, worst);
        d.count += worst > kTolerance;
      }
    return d;
  }

  // The corner button the program adds to the editor: the host's screenshot has none.
  iplug::igraphics::IRECT SettingsButton()
  {
    return iplug::igraphics::AppSettingsButton::Bounds(static_cast<float>(kWidth));
  }

  class AppWindow : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
      ASSERT_TRUE(server.Running());
      // The pointer waits far from the corner where the windows open, so no control starts out hovered.
      Display* display = x.Get();
      const int screen = DefaultScreen(display);
      x.MoveTo(DefaultRootWindow(display), DisplayWidth(display, screen) - 1, DisplayHeight(display, screen) - 1);
    }

    // tidewell_host's screenshot of the editor with the parameters set, drawn off-screen.
    Picture Screenshot(const std::vector<std::string>& sets)
    {
      const std::string path = scratch.Path("shot.png");
      std::vector<std::string> arguments{"editor", "--screenshot", path, "--component", BundlePath()};
      for (const std::string& set : sets)
      {
        arguments.push_back("--set");
        arguments.push_back(set);
      }
      std::string out, err;
      EXPECT_EQ(RunAppToEnd(TIDEWELL_HOST_PATH, arguments, {{"DISPLAY", ""}}, scratch.Path(""), out, err), 0) << err;
      const iplug::igraphics::DecodedImage image = iplug::igraphics::DecodedImage::FromFile(path.c_str());
      Picture picture{image.Width(), image.Height(), {}};
      for (int i = 0; image.Pixels() && i < image.Width() * image.Height(); ++i)
      {
        const unsigned char* p = image.Pixels() + 4 * i;
        picture.rgb.push_back((static_cast<unsigned long>(p[0]) << 16) | (static_cast<unsigned long>(p[1]) << 8) | p[2]);
      }
      return picture;
    }

    // Starts Tidewell on the test's server with its window on the test's display, and waits for the window.
    void Start(const std::vector<std::string>& extra)
    {
      std::vector<std::string> arguments{"--driver", "jack"};
      arguments.insert(arguments.end(), extra.begin(), extra.end());
      app = std::make_unique<AppProcess>(
        TIDEWELL_APP_PATH, arguments,
        std::vector<std::pair<std::string, std::string>>{{"JACK_DEFAULT_SERVER", server.Name()},
                                                         {"XDG_CONFIG_HOME", scratch.Path("config")}},
        scratch.Path("app.out"), scratch.Path("app.err"));
      ASSERT_TRUE(WaitFor([&] { return (window = x.FindWindow(kTitle)) != 0 || app->Ended(); }, kStartSeconds));
      ASSERT_NE(window, 0u) << app->Err();
      ASSERT_TRUE(WaitFor([&] { return (editor = EditorView()) != 0; }, kStartSeconds)) << "no editor in the window";
    }

    // The window inside the program's window that the editor draws in, or 0.
    unsigned long EditorView() const
    {
      Window root = 0, parent = 0;
      Window* children = nullptr;
      unsigned count = 0;
      unsigned long found = 0;
      if (!XQueryTree(x.Get(), window, &root, &parent, &children, &count))
        return 0;
      for (unsigned i = 0; i < count && !found; ++i)
      {
        int w = 0, h = 0;
        if (x.Size(children[i], w, h) && w == kWidth && h == kHeight)
          found = children[i];
      }
      if (children)
        XFree(children);
      return found;
    }

    // The editor's pixels as the X server holds them; none while its window is not shown.
    Picture Shown() const
    {
      Picture picture{kWidth, kHeight, {}};
      // The editor maps its window a moment after the program made it: reading it before fails, which Xlib's
      // default handler would answer by ending the test.
      XSync(x.Get(), False);
      XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
      XImage* image = XGetImage(x.Get(), editor, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
      XSync(x.Get(), False);
      XSetErrorHandler(previous);
      if (!image)
        return picture;
      for (int y = 0; y < kHeight; ++y)
        for (int xx = 0; xx < kWidth; ++xx)
          picture.rgb.push_back(XGetPixel(image, xx, y) & 0xffffff);
      XDestroyImage(image);
      return picture;
    }

    // Waits until the editor shows expected (outside the settings button); what it shows then.
    Difference WaitUntilShown(const Picture& expected)
    {
      Difference d;
      WaitFor([&] { return (d = Compare(Shown(), expected, SettingsButton(), false)).count == 0; }, kStartSeconds);
      return d;
    }

    // Asks the program's window to close, as a window manager's close button does; the program's exit status.
    int Close()
    {
      x.RequestClose(window);
      return app->Wait(kStartSeconds);
    }

    // The line of the program's output that starts with prefix, or "".
    std::string OutLine(const std::string& prefix) const
    {
      std::istringstream stream(app->Out());
      for (std::string line; std::getline(stream, line);)
        if (line.rfind(prefix, 0) == 0)
          return line;
      return "";
    }

    XTestDriver x;
    JackServer server;
    ScratchFolder scratch;
    std::unique_ptr<AppProcess> app;
    unsigned long window = 0;
    unsigned long editor = 0;
  };
}

TEST_F(AppWindow, ShowsTheEditorAsTheHostsScreenshotWithTheSettingsButtonInItsCorner)
{
  const Picture expected = Screenshot({"Depth=0.25", "Period=0.75"});
  ASSERT_EQ(expected.width, kWidth);
  ASSERT_EQ(expected.height, kHeight);
  Start({"--set", "Depth=0.25", "--set", "Period=0.75"});
  const Difference d = WaitUntilShown(expected);
  EXPECT_EQ(d.count, 0) << "worst difference " << d.worst;
  // The corner holds the program's own button, drawn over the skin.
  EXPECT_GT(Compare(Shown(), expected, SettingsButton(), true).count, 20);
  EXPECT_EQ(Close(), 0) << app->Err();
  EXPECT_FALSE(WaitFor([&] { return x.FindWindow(kTitle) != 0; }, 0.1));
}

TEST_F(AppWindow, ClickOnDuckIsWhatTheNextRunRestores)
{
  const Picture ducking = Screenshot({});
  const Picture bypassed = Screenshot({"Duck=Bypassed"});
  // The switch's two frames differ enough for the comparison to tell them apart.
  ASSERT_GT(Compare(ducking, bypassed, SettingsButton(), false).count, 500);

  Start({});
  ASSERT_EQ(WaitUntilShown(ducking).count, 0);
  x.Click(editor, 437, 141);
  const Difference clicked = WaitUntilShown(bypassed);
  EXPECT_EQ(clicked.count, 0) << "worst difference " << clicked.worst;
  ASSERT_EQ(Close(), 0) << app->Err();

  Start({});
  const Difference restored = WaitUntilShown(bypassed);
  EXPECT_EQ(restored.count, 0) << "worst difference " << restored.worst;
  EXPECT_EQ(Close(), 0) << app->Err();
}

TEST_F(AppWindow, CornerButtonOpensTheSettingsPageListingTheJackServersClients)
{
  // The test's own clients on the server: "feeder" has outputs (an input device for the program), "recorder"
  // has inputs (an output device).
  JackProbe probe(server, 1.0);
  ASSERT_TRUE(probe.Ready());
  Start({"--stats"});
  ASSERT_EQ(WaitUntilShown(Screenshot({})).count, 0);
  const iplug::igraphics::IRECT button = SettingsButton();
  x.Click(editor, static_cast<int>(button.MW()), static_cast<int>(button.MH()));
  unsigned long page = 0;
  ASSERT_TRUE(WaitFor([&] { return (page = x.FindWindow(kSettingsTitle)) != 0; }, kStartSeconds)) << app->Err();
  int w = 0, h = 0;
  ASSERT_TRUE(x.Size(page, w, h));
  EXPECT_EQ(w, iplug::AppSettingsPage::kWidth);
  EXPECT_EQ(h, iplug::AppSettingsPage::kHeight);

  ASSERT_EQ(Close(), 0) << app->Err();
  EXPECT_FALSE(WaitFor([&] { return x.FindWindow(kSettingsTitle) != 0; }, 0.1));
  EXPECT_EQ(OutLine("settings Driver: ").rfind("settings Driver: jack (", 0), 0u) << app->Out();
  const std::string input = OutLine("settings Input device: ");
  EXPECT_EQ(input.rfind("settings Input device: system (", 0), 0u) << app->Out();
  EXPECT_NE(input.find("feeder"), std::string::npos) << input;
  const std::string output = OutLine("settings Output device: ");
  EXPECT_EQ(output.rfind("settings Output device: system (", 0), 0u) << app->Out();
  EXPECT_NE(output.find("recorder"), std::string::npos) << output;
  EXPECT_EQ(OutLine("settings Sample rate: "), "settings Sample rate: 48000 Hz (48000 Hz)") << app->Out();
  EXPECT_EQ(OutLine("settings Buffer size: "), "settings Buffer size: 256 frames (256 frames)") << app->Out();
  EXPECT_EQ(OutLine("settings MIDI input: "), "settings MIDI input: (the plug-in takes no MIDI) ()") << app->Out();
}
