// A seeded monkey on the host program's editors, Tidewell's and ControlGallery's, with the component playing
// audio all the while: random clicks, double clicks, right clicks into context menus, drags, wheel turns, key
// presses, corner-resizer drags, and the window closed and the program started again, all through XTest.
// After every event the program must still run, have reported nothing on its standard error (no X error, no
// sanitizer report), have sent only finite values within each parameter's range, and have closed every
// gesture it began. TIDEWELL_MONKEY_SEED picks the events (the seed is printed with any failure, so a run
// can be repeated), TIDEWELL_MONKEY_EVENTS how many; scripts/monkey runs long ones.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "HostComponent.h"
#include "ParameterCatalog.h"
#include "platform_linux/FakePrograms.h"
#include "window/HostEditorProcess.h"
#include "window/XTestDriver.h"

// Xlib's macros clash with the names above: it comes last.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace
{
  // The seed when TIDEWELL_MONKEY_SEED gives none: a fixed one, so CI repeats the same run.
  constexpr unsigned long kDefaultSeed = 20240611;
  // Events per editor when TIDEWELL_MONKEY_EVENTS gives no count: a brief run for CI.
  constexpr long kDefaultEvents = 40;
  // The corner resizer's grip, in window pixels from the bottom-right corner.
  constexpr int kResizerGrip = 6;
  // How long the program may take to open its window (under the sanitizers too), and to settle after an event.
  constexpr double kOpenSeconds = 30.0;
  constexpr double kGestureSeconds = 3.0;

  struct EditorUnderTest
  {
    const char* name;   // the test's name for it
    const char* bundle; // the component's bundle
  };

  std::string EditorName(const ::testing::TestParamInfo<EditorUnderTest>& info)
  {
    return info.param.name;
  }

  unsigned long SeedFromEnvironment()
  {
    const char* text = std::getenv("TIDEWELL_MONKEY_SEED");
    return text && *text ? std::strtoul(text, nullptr, 10) : kDefaultSeed;
  }

  long EventsFromEnvironment()
  {
    const char* text = std::getenv("TIDEWELL_MONKEY_EVENTS");
    const long events = text && *text ? std::strtol(text, nullptr, 10) : kDefaultEvents;
    return events > 0 ? events : kDefaultEvents;
  }

  void Pause(double seconds)
  {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  }

  // Keys a person might press on an editor: characters, editing and navigation keys.
  constexpr unsigned long kKeys[] = {XK_a, XK_z, XK_0, XK_5, XK_period, XK_minus, XK_space, XK_Return, XK_KP_Enter,
                                     XK_Escape, XK_Tab, XK_BackSpace, XK_Delete, XK_Left, XK_Right, XK_Up, XK_Down,
                                     XK_Home, XK_End, XK_F1};

  class EditorMonkey : public ::testing::TestWithParam<EditorUnderTest>
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
      std::string error;
      std::unique_ptr<HostComponent> unit = HostComponent::OpenTidewell(GetParam().bundle, error);
      ASSERT_TRUE(unit) << error;
      ASSERT_TRUE(catalog.Read(*unit, error)) << error;
      windowName = unit->Name();
      // A dialog answers Cancel and a link opens nothing, whatever the desktop has installed.
      programs.Add("zenity", "exit 1");
      programs.Add("xdg-open", "exit 0");
    }

    // Starts the program and waits for its window.
    void Start()
    {
      host = std::make_unique<HostEditorProcess>(std::vector<std::string>{"--seconds", "3600"}, GetParam().bundle,
                                                 HostEditorProcess::Errors::kCapture);
      ASSERT_TRUE(host->Started());
      ASSERT_TRUE(WaitFor([&] { return (window = x.FindWindow(windowName)) != 0; }, kOpenSeconds))
        << "no editor window";
      checkedLines = 0;
      checkedErrorLines = 0;
      Pause(0.3);
    }

    // Closes the window as a window manager would; the program must then end cleanly.
    void Close()
    {
      x.RequestClose(window);
      EXPECT_EQ(host->WaitExit(kOpenSeconds), 0) << "the program did not end cleanly on close";
      CheckOutput();
      EXPECT_TRUE(openGestures.empty()) << "gestures left open at close: " << Describe(openGestures);
    }

    // A random point inside the window as it is now.
    void RandomPoint(std::mt19937& random, int& px, int& py)
    {
      int w = 1, h = 1;
      x.Size(window, w, h);
      px = std::uniform_int_distribution<int>(0, std::max(0, w - 1))(random);
      py = std::uniform_int_distribution<int>(0, std::max(0, h - 1))(random);
    }

    // Performs one random event; a text saying what it was.
    std::string RandomEvent(std::mt19937& random)
    {
      int px = 0, py = 0, qx = 0, qy = 0;
      RandomPoint(random, px, py);
      RandomPoint(random, qx, qy);
      std::ostringstream what;
      const int kind = std::uniform_int_distribution<int>(0, 99)(random);
      if (kind < 20)
      {
        x.Click(window, px, py);
        what << "click at " << px << "," << py;
      }
      else if (kind < 30)
      {
        x.Click(window, px, py);
        x.Click(window, px, py);
        what << "double click at " << px << "," << py;
      }
      else if (kind < 40)
      {
        // A right click, then a left click that picks whatever the context menu put there, or dismisses it.
        x.Click(window, px, py, 3);
        Pause(0.1);
        x.Click(window, qx, qy);
        what << "right click at " << px << "," << py << " then click at " << qx << "," << qy;
      }
      else if (kind < 55)
      {
        x.Drag(window, px, py, qx, qy, 6, [] { Pause(0.01); });
        what << "drag from " << px << "," << py << " to " << qx << "," << qy;
      }
      else if (kind < 65)
      {
        const int button = std::uniform_int_distribution<int>(4, 5)(random);
        const int turns = std::uniform_int_distribution<int>(1, 5)(random);
        x.MoveTo(window, px, py);
        for (int i = 0; i < turns; ++i)
        {
          x.Button(button, true);
          x.Button(button, false);
        }
        what << turns << " wheel turns " << (button == 4 ? "up" : "down") << " at " << px << "," << py;
      }
      else if (kind < 82)
      {
        const unsigned long key = kKeys[std::uniform_int_distribution<std::size_t>(0, std::size(kKeys) - 1)(random)];
        const bool shift = std::uniform_int_distribution<int>(0, 3)(random) == 0;
        x.MoveTo(window, px, py);
        x.Key(key, shift);
        what << "key " << XKeysymToString(key) << (shift ? " with Shift" : "") << " at " << px << "," << py;
      }
      else if (kind < 95)
      {
        int w = 0, h = 0;
        x.Size(window, w, h);
        const int toX = std::uniform_int_distribution<int>(-w / 2, w)(random);
        const int toY = std::uniform_int_distribution<int>(-h / 2, h)(random);
        x.Drag(window, w - kResizerGrip, h - kResizerGrip, w + toX, h + toY, 6, [] { Pause(0.02); });
        what << "corner resizer drag from " << w << "x" << h << " by " << toX << "," << toY;
      }
      else
      {
        Close();
        Start();
        what << "close and reopen";
      }
      return what.str();
    }

    // Checks the output the program wrote since the last call.
    void CheckOutput()
    {
      host->ReadOutput();
      const std::vector<std::string>& errors = host->ErrorLines();
      for (; checkedErrorLines < errors.size(); ++checkedErrorLines)
        ADD_FAILURE() << "the program reported on stderr: " << errors[checkedErrorLines];
      const std::vector<std::string>& lines = host->Lines();
      for (; checkedLines < lines.size(); ++checkedLines)
        CheckLine(lines[checkedLines]);
    }

    void CheckLine(const std::string& line)
    {
      std::istringstream words(line);
      std::string kind, name;
      words >> kind >> name;
      if (kind == "begin")
      {
        EXPECT_TRUE(openGestures.insert(name).second) << "a second begin " << name << " before its end";
      }
      else if (kind == "end")
      {
        EXPECT_EQ(openGestures.erase(name), 1u) << "end " << name << " without a begin";
      }
      else if (kind == "param")
      {
        std::string text;
        std::getline(words >> std::ws, text);
        CheckValue(name, text);
      }
    }

    // A value the editor sent: one of the parameter's display texts, or a finite number within its range.
    void CheckValue(const std::string& name, const std::string& text)
    {
      const ParameterDescription* parameter = catalog.Find(name);
      ASSERT_NE(parameter, nullptr) << "a value for an unknown parameter: " << name;
      for (const std::string& valueText : parameter->valueTexts)
        if (text == valueText)
          return;
      char* end = nullptr;
      const double value = std::strtod(text.c_str(), &end);
      ASSERT_NE(end, text.c_str()) << name << " got \"" << text << "\", neither a number nor one of its texts";
      EXPECT_TRUE(std::isfinite(value)) << name << " got " << text;
      EXPECT_GE(value, parameter->minValue) << name << " got " << text;
      EXPECT_LE(value, parameter->maxValue) << name << " got " << text;
    }

    static std::string Describe(const std::set<std::string>& names)
    {
      std::string text;
      for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
      return text;
    }

    // The invariants after an event: alive, silent on stderr, values in range, gestures closed.
    void CheckInvariants()
    {
      const bool closed = WaitFor(
        [&] {
          CheckOutput();
          return openGestures.empty();
        },
        kGestureSeconds, [] { Pause(0.02); });
      EXPECT_TRUE(closed) << "gestures begun without an end: " << Describe(openGestures);
      EXPECT_TRUE(host->Running()) << "the program ended (status " << host->WaitExit(0.0) << ")";
    }

    XTestDriver x;
    FakePrograms programs;
    ParameterCatalog catalog;
    std::string windowName;
    std::unique_ptr<HostEditorProcess> host;
    unsigned long window = 0;
    std::size_t checkedLines = 0;      // Lines() already checked
    std::size_t checkedErrorLines = 0; // ErrorLines() already reported
    std::set<std::string> openGestures;
  };
}

TEST_P(EditorMonkey, RandomInputKeepsTheProgramAliveSilentInRangeAndGesturesClosed)
{
  const unsigned long seed = SeedFromEnvironment();
  const long events = EventsFromEnvironment();
  SCOPED_TRACE(::testing::Message() << "seed " << seed);
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  Start();
  for (long i = 0; i < events && !HasFailure(); ++i)
  {
    const std::string what = RandomEvent(random);
    if (HasFatalFailure())
      break;
    CheckInvariants();
    if (HasFailure())
      ADD_FAILURE() << "after event " << i << " of " << events << ": " << what << " (seed " << seed << ")";
  }
  if (host->Running())
    Close();
}

INSTANTIATE_TEST_SUITE_P(Editors, EditorMonkey,
                         ::testing::Values(EditorUnderTest{"Tidewell", TIDEWELL_BUNDLE_PATH},
                                           EditorUnderTest{"ControlGallery", GALLERY_BUNDLE_PATH}),
                         EditorName);
