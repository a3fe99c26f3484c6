// Editors opened in-process inside a window of the test's own, as a Linux host embeds them (the parent
// window's id handed to OpenWindow), on the test's X server: real key events through the key table, the
// editor's lifetime over many openings, what a host's parameter change redraws, and drawing while a dialog
// is open.
#include <gtest/gtest.h>

#include <CoreFoundation/CoreFoundation.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "EditorView.h"
#include "HostComponent.h"
#include "IGraphicsLinux.h"
#include "IPanelControl.h"
#include "IVirtualKeys.h"
#include "Tidewell.h"
#include "platform_linux/FakePrograms.h"
#include "window/XTestDriver.h"

// Xlib's macros clash with the names above: it comes last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // Turns the main run loop (frame timers, idle timer, listeners) for seconds.
  void Pump(double seconds = 0.02)
  {
    CFRunLoopRunInMode(kCFRunLoopDefaultMode, seconds, false);
  }

  // A window of the test's own that editors are embedded in, as a host's plug-in window.
  class ParentWindow
  {
  public:
    ParentWindow(Display* display, int width, int height)
      : mDisplay(display)
    {
      mWindow = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                                    static_cast<unsigned>(height), 0, 0, 0);
      XStoreName(display, mWindow, "editor test parent");
      XMapRaised(display, mWindow);
      XSync(display, False);
    }
    ~ParentWindow()
    {
      XDestroyWindow(mDisplay, mWindow);
      XSync(mDisplay, False);
    }
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    unsigned long Id() const { return mWindow; }
    void* Handle() const { return reinterpret_cast<void*>(mWindow); }
    // The windows embedded in it.
    int ChildCount() const
    {
      Window root = 0, parent = 0;
      Window* children = nullptr;
      unsigned count = 0;
      XQueryTree(mDisplay, mWindow, &root, &parent, &children, &count);
      if (children)
        XFree(children);
      return static_cast<int>(count);
    }

  private:
    Display* mDisplay;
    Window mWindow;
  };

  // An editor delegate whose editor is one panel that records every key the graphics core receives.
  class KeyRecordingEditor : public IGEditorDelegate
  {
  public:
    KeyRecordingEditor()
      : IGEditorDelegate(0)
    {
      mMakeGraphicsFunc = [this] { return MakeGraphics(*this, 200, 100, 60, 1.f); };
      mLayoutFunc = [this](IGraphics* pGraphics) {
        pGraphics->AttachPanelBackground(COLOR_GRAY);
        pGraphics->SetKeyHandlerFunc([this](const IKeyPress& key, bool isUp) {
          if (!isUp)
            keys.push_back(key);
          return true;
        });
      };
    }
    std::vector<IKeyPress> keys;
  };

  // An editor of 200 x 100 that may be resized (not scaled) between 100 x 50 and 400 x 300.
  class ResizableEditor : public IGEditorDelegate
  {
  public:
    ResizableEditor()
      : IGEditorDelegate(0)
    {
      SetSizeConstraints(100, 400, 50, 300);
      mMakeGraphicsFunc = [this] { return MakeGraphics(*this, 200, 100, 60, 1.f); };
      mLayoutFunc = [](IGraphics* pGraphics) {
        pGraphics->AttachCornerResizer(kResizerSize, false);
        pGraphics->AttachPanelBackground(COLOR_GRAY);
      };
    }
  };

  // An editor of 200 x 100 filled by one panel, with a frame tick the test sets.
  class PanelEditor : public IGEditorDelegate
  {
  public:
    PanelEditor()
      : IGEditorDelegate(0)
    {
      mMakeGraphicsFunc = [this] { return MakeGraphics(*this, 200, 100, 60, 1.f); };
      mLayoutFunc = [this](IGraphics* pGraphics) {
        panel = new IPanelControl(pGraphics->GetBounds(), COLOR_GRAY);
        pGraphics->AttachControl(panel);
        pGraphics->SetDisplayTickFunc([this] {
          if (tick)
            tick();
        });
      };
    }
    IPanelControl* panel = nullptr; // owned by the editor's graphics
    std::function<void()> tick;     // called at the start of every frame
  };

  class EditorWindow : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
    }
    XTestDriver x;
  };

  // Makes the built component bundle known, so Tidewell's editor finds its skin by the bundle's identifier.
  void RegisterComponentBundle()
  {
    static CFBundleRef bundle = nullptr;
    if (bundle)
      return;
    const char* path = TIDEWELL_BUNDLE_PATH;
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(path),
                                                           static_cast<CFIndex>(std::strlen(path)), true);
    bundle = CFBundleCreate(kCFAllocatorDefault, url);
    CFRelease(url);
  }
}

TEST_F(EditorWindow, RealKeyEventsReachTheCoreThroughTheKeyTable)
{
  ParentWindow parent(x.Get(), 200, 100);
  KeyRecordingEditor editor;
  ASSERT_NE(editor.OpenWindow(parent.Handle()), nullptr);
  // A click gives the editor the keyboard, as in a host.
  Pump(0.1);
  x.Click(parent.Id(), 100, 50);
  Pump(0.1);

  x.Key(XK_a);
  x.Key(XK_A, true);
  x.Key(XK_plus, true);
  x.Key(XK_KP_Enter);
  x.Key(XK_Escape);
  ASSERT_TRUE(WaitFor([&] { return editor.keys.size() >= 5; }, 5.0, [] { Pump(); }));

  // A letter is its upper-case code whatever its case, and carries the typed character.
  EXPECT_EQ(editor.keys[0].VK, 'A');
  EXPECT_STREQ(editor.keys[0].utf8, "a");
  EXPECT_FALSE(editor.keys[0].S);
  EXPECT_EQ(editor.keys[1].VK, 'A');
  EXPECT_STREQ(editor.keys[1].utf8, "A");
  EXPECT_TRUE(editor.keys[1].S);
  // "+" typed with Shift is a plain character: no virtual key, Shift cleared.
  EXPECT_EQ(editor.keys[2].VK, 0);
  EXPECT_STREQ(editor.keys[2].utf8, "+");
  EXPECT_FALSE(editor.keys[2].S);
  EXPECT_EQ(editor.keys[3].VK, kVK_KEYPAD_ENTER);
  EXPECT_EQ(editor.keys[4].VK, kVK_ESCAPE);
  editor.CloseWindow();
}

TEST_F(EditorWindow, OpeningAndClosingAHundredTimesLeavesNoWindowBehind)
{
  RegisterComponentBundle();
  ParentWindow parent(x.Get(), 495, 220);
  const int topLevels = x.TopLevelCount();
  Tidewell plug;
  for (int i = 0; i < 100; ++i)
  {
    ASSERT_NE(plug.OpenWindow(parent.Handle()), nullptr) << "opening " << i;
    ASSERT_NE(plug.GetUI(), nullptr);
    if (i % 10 == 0)
      Pump();
    plug.CloseWindow();
    ASSERT_EQ(plug.GetUI(), nullptr);
  }
  Pump();
  // Every editor's window and GL context went with it (the sanitizer build also sees every byte freed).
  EXPECT_EQ(parent.ChildCount(), 0);
  EXPECT_EQ(x.TopLevelCount(), topLevels);
}

// A host may ask its view for any size or backing scale: what no window can be is clamped before it becomes
// a whole number of pixels, and the editor's own limits apply to the rest.
TEST_F(EditorWindow, AHugeOrInfiniteSizeOrScaleFromTheHostIsClamped)
{
  ParentWindow parent(x.Get(), 800, 400);
  ResizableEditor editor;
  auto* view = static_cast<NSView*>(editor.OpenWindow(parent.Handle()));
  ASSERT_NE(view, nullptr);
  const auto isLargest = [view] { return view->frameSize().width == 400.0 && view->frameSize().height == 300.0; };
  for (const CGFloat huge : {CGFloat{1e30}, std::numeric_limits<CGFloat>::infinity()})
  {
    view->setFrameSize(NSSize{200.0, 100.0});
    view->setFrameSize(NSSize{huge, huge});
    EXPECT_TRUE(isLargest()) << huge << ": " << view->frameSize().width << " x " << view->frameSize().height;
  }
  view->setBackingScaleFactor(1e30);
  EXPECT_EQ(editor.GetUI()->GetScreenScale(), 4.f) << "the densest display there is";
  const NSSize backing = view->convertSizeToBacking(view->frameSize());
  EXPECT_EQ(backing.width, 1600.0);
  EXPECT_EQ(backing.height, 1200.0);
  editor.CloseWindow();
}

TEST_F(EditorWindow, ReopeningRestoresTheRememberedSizeAndScale)
{
  RegisterComponentBundle();
  ParentWindow parent(x.Get(), 800, 400);
  Tidewell plug;
  ASSERT_NE(plug.OpenWindow(parent.Handle()), nullptr);
  plug.GetUI()->Resize(495, 220, 1.25f);
  plug.CloseWindow();
  ASSERT_NE(plug.OpenWindow(parent.Handle()), nullptr);
  IGraphics* ui = plug.GetUI();
  EXPECT_EQ(ui->Width(), 495);
  EXPECT_EQ(ui->Height(), 220);
  EXPECT_FLOAT_EQ(ui->GetDrawScale(), 1.25f);
  // The editor's window has the scaled size.
  Pump(0.05);
  int w = 0, h = 0;
  Window root = 0, parentId = 0;
  Window* children = nullptr;
  unsigned count = 0;
  XQueryTree(x.Get(), parent.Id(), &root, &parentId, &children, &count);
  ASSERT_EQ(count, 1u);
  ASSERT_TRUE(x.Size(children[0], w, h));
  XFree(children);
  EXPECT_EQ(w, static_cast<int>(495 * 1.25f));
  EXPECT_EQ(h, static_cast<int>(220 * 1.25f));
  plug.CloseWindow();
}

// Through the component as a host drives it: a host's SetParameter on one knob's parameter redraws that
// knob's region only.
TEST_F(EditorWindow, AHostParameterChangeRedrawsOnlyThatKnob)
{
  std::string error;
  std::unique_ptr<HostComponent> unit = HostComponent::OpenTidewell(TIDEWELL_BUNDLE_PATH, error);
  ASSERT_TRUE(unit) << error;
  std::unique_ptr<EditorView> editor = EditorView::Open(*unit, error);
  ASSERT_TRUE(editor) << error;
  ParentWindow parent(x.Get(), editor->PixelWidth(), editor->PixelHeight());
  ASSERT_TRUE(editor->View().addToWindow(parent.Id()));
  NSViewFrameStatistics before{};
  ASSERT_TRUE(WaitFor([&] { return editor->View().frameStatistics(&before) && before.framesSkipped > 5; }, 5.0, [] { Pump(); }));

  ASSERT_EQ(unit->SetParameter(2, 0.9f), noErr); // Random
  NSViewFrameStatistics after{};
  ASSERT_TRUE(WaitFor([&] { return editor->View().frameStatistics(&after) && after.framesDrawn > before.framesDrawn; }, 5.0, [] { Pump(); }));
  Pump(0.1);
  editor->View().frameStatistics(&after);
  ASSERT_EQ(after.framesDrawn, before.framesDrawn + 1);
  // The one new frame's share of the editor: the knob's 66 x 66 units and a small margin around it.
  const double share = after.meanDirtyShare * static_cast<double>(after.framesDrawn) -
                       before.meanDirtyShare * static_cast<double>(before.framesDrawn);
  EXPECT_GE(share, 66.0 * 66.0 / (495.0 * 220.0));
  EXPECT_LE(share, 72.0 * 72.0 / (495.0 * 220.0));
}

// A dialog's call waits for the user's answer, as a modal panel does, but the editor keeps drawing meanwhile:
// the zenity standing in here answers only once the test has seen, in the window's pixels, a change the editor
// made while the dialog was open.
TEST_F(EditorWindow, TheEditorKeepsDrawingWhileADialogIsOpen)
{
  const FakePrograms programs;
  const std::filesystem::path opened = programs.File("opened");
  const std::filesystem::path answer = programs.File("answer");
  // Gives up after 10 s with zenity's error status, which the box reports as Cancel.
  programs.Add("zenity", "touch '" + opened.string() + "'\ni=0\nwhile [ ! -e '" + answer.string() +
                           "' ]; do i=$((i+1)); [ $i -gt 200 ] && exit 255; sleep 0.05; done\nexit 0");
  ParentWindow parent(x.Get(), 200, 100);
  PanelEditor editor;
  ASSERT_NE(editor.OpenWindow(parent.Handle()), nullptr);
  auto* ui = static_cast<IGraphicsLinux*>(editor.GetUI());
  const unsigned long window = ui->GetNativeWindow();
  ASSERT_NE(window, 0u);
  Pump(0.1);

  int framesWhileOpen = 0;
  bool turnedRed = false;
  editor.tick = [&] {
    if (!std::filesystem::exists(opened))
      return;
    ++framesWhileOpen;
    if (!turnedRed)
    {
      editor.panel->SetPattern(COLOR_RED);
      turnedRed = true;
      return;
    }
    XImage* image = XGetImage(x.Get(), window, 100, 50, 1, 1, AllPlanes, ZPixmap);
    if (!image)
      return;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    if (pixel == 0xFF0000)
      std::ofstream(answer) << "seen";
  };

  EXPECT_EQ(ui->ShowMessageBox("Still drawing?", "Tidewell", kMsgBoxOK), kMsgResultOK)
    << "zenity gave up: the red panel never reached the window while the dialog was open (" << framesWhileOpen
    << " frames)";
  EXPECT_TRUE(turnedRed);
  editor.tick = nullptr;
  editor.CloseWindow();
}

// Two editors of one process share the X connection: a paste in one of what the other copied is answered at
// once from the process's own record, not after waiting for an answer nobody reads until the wait ends.
TEST_F(EditorWindow, TextCopiedInOneEditorPastesInAnotherOfTheProcessAtOnce)
{
  RegisterComponentBundle();
  ParentWindow firstParent(x.Get(), 495, 220);
  ParentWindow secondParent(x.Get(), 495, 220);
  Tidewell first;
  Tidewell second;
  ASSERT_NE(first.OpenWindow(firstParent.Handle()), nullptr);
  ASSERT_NE(second.OpenWindow(secondParent.Handle()), nullptr);
  Pump(0.05);
  ASSERT_TRUE(first.GetUI()->SetTextInClipboard("0.75"));
  Pump(0.02);
  WDL_String pasted;
  const auto start = std::chrono::steady_clock::now();
  const bool got = second.GetUI()->GetTextFromClipboard(pasted);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_TRUE(got);
  EXPECT_STREQ(pasted.Get(), "0.75");
  // A correctness bound, not a speed figure: the owner-answer wait it must not fall into is 500 ms.
  EXPECT_LT(ms, 50.0);
  // And the copying editor reads its own text back too.
  WDL_String own;
  EXPECT_TRUE(first.GetUI()->GetTextFromClipboard(own));
  EXPECT_STREQ(own.Get(), "0.75");
  first.CloseWindow();
  second.CloseWindow();
}

// A host may destroy the window it gave the editor before it removes the view, and keep turning its run loop
// in between: the editor notices, stops drawing, and removing the view afterwards ends it without an X error
// reaching the host.
TEST_F(EditorWindow, TheHostsWindowDestroyedBeforeTheViewIsRemovedEndsQuietly)
{
  std::string error;
  std::unique_ptr<HostComponent> unit = HostComponent::OpenTidewell(TIDEWELL_BUNDLE_PATH, error);
  ASSERT_TRUE(unit) << error;
  static int hostErrors = 0;
  hostErrors = 0;
  const XErrorHandler hostHandler = [](Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
  };
  const XErrorHandler previous = XSetErrorHandler(hostHandler);
  for (const int pumps : {0, 100})
  {
    std::unique_ptr<EditorView> editor = EditorView::Open(*unit, error);
    ASSERT_TRUE(editor) << error;
    auto parent = std::make_unique<ParentWindow>(x.Get(), editor->PixelWidth(), editor->PixelHeight());
    ASSERT_TRUE(editor->View().addToWindow(parent->Id()));
    Pump(0.1);
    parent.reset();
    for (int i = 0; i < pumps; ++i)
    {
      ASSERT_EQ(unit->SetParameter(1, static_cast<float>(i) / 100.f), noErr);
      Pump(0.005);
    }
    // Calls a host may still make on the view before removing it.
    editor->View().setFrameSize(NSSize{600.0, 300.0});
    editor->View().setBackingScaleFactor(2.0);
    editor.reset();
  }
  XSync(x.Get(), False);
  EXPECT_EQ(XSetErrorHandler(previous), hostHandler) << "the host's error handler was replaced";
  EXPECT_EQ(hostErrors, 0) << "X errors reached the host";
}

// The desktop's scale is read again every second, but a scale the host set is the host's decision and stays.
TEST_F(EditorWindow, AScaleSetByTheHostIsNotUndoneByTheDesktopsSetting)
{
  RegisterComponentBundle();
  ParentWindow parent(x.Get(), 990, 440);
  Tidewell plug;
  auto* view = static_cast<NSView*>(plug.OpenWindow(parent.Handle()));
  ASSERT_NE(view, nullptr);
  const float desktop = plug.GetUI()->GetScreenScale();
  const CGFloat host = desktop == 2.f ? 1.0 : 2.0;
  view->setBackingScaleFactor(host);
  // Past the desktop setting's next reading.
  Pump(1.5);
  EXPECT_EQ(plug.GetUI()->GetScreenScale(), static_cast<float>(host));
  plug.CloseWindow();
}
