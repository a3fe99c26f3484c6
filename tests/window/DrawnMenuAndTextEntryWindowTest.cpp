// The toolkit's drawn popup menu and text entry stand in for the native ones X11 lacks: driven here with
// real pointer and key events in an embedded editor. Where to click is read from the menu control's own
// layout, so the test follows the menu wherever it opens.
#include <gtest/gtest.h>

#include <CoreFoundation/CoreFoundation.h>

#include <string>

#include "IGEditorDelegate.h"
#include "IBubbleControl.h"
#include "IGraphicsLinux.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"
#include "IVKnobControl.h"
#include "window/XTestDriver.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  void Pump(double seconds = 0.02)
  {
    CFRunLoopRunInMode(kCFRunLoopDefaultMode, seconds, false);
  }

  // A control whose right-click menu has an item with a submenu; it remembers the item chosen.
  class MenuOwner : public IControl
  {
  public:
    explicit MenuOwner(const IRECT& bounds)
      : IControl(bounds)
    {
      mMenu.AddItem("One");
      auto* more = new IPopupMenu();
      more->AddItem("Alpha");
      more->AddItem("Beta");
      mMenu.AddItem("More", more);
    }
    void Draw(IGraphics& g) override { g.FillRect(COLOR_BLUE, GetRECT()); }
    void OnMouseDown(float x, float y, const IMouseMod& mod) override
    {
      if (mod.R)
        GetUI()->CreatePopupMenu(*this, mMenu, IRECT(x, y, x, y));
    }
    void OnPopupMenuSelection(IPopupMenu* pMenu, int /*valIdx*/) override
    {
      chosen = pMenu && pMenu->GetChosenItem() ? pMenu->GetChosenItem()->GetText() : "(nothing)";
    }
    std::string chosen;

  private:
    IPopupMenu mMenu;
  };

  // An editor with a knob on a double parameter whose value can be typed, and the menu owner.
  class GalleryEditor : public IGEditorDelegate
  {
  public:
    GalleryEditor()
      : IGEditorDelegate(1)
    {
      GetParam(0)->InitDouble("Gain", 0.5, 0.0, 1.0, 0.01);
      mMakeGraphicsFunc = [this] { return MakeGraphics(*this, 300, 200, 60, 1.f); };
      mLayoutFunc = [this](IGraphics* pGraphics) {
        pGraphics->AttachPanelBackground(COLOR_GRAY);
        pGraphics->LoadFont(DEFAULT_FONT, "DejaVu Sans", kTextStyleNormal);
        knob = new IVKnobControl(IRECT(10, 10, 130, 170), 0, "Gain", DEFAULT_STYLE, true);
        pGraphics->AttachControl(knob);
        menuOwner = new MenuOwner(IRECT(160, 20, 280, 80));
        menuOwner->SetTooltip("Right-click for choices");
        pGraphics->AttachControl(menuOwner);
        pGraphics->EnableTooltips(true);
      };
    }
    IVKnobControl* knob = nullptr;
    MenuOwner* menuOwner = nullptr;
  };

  class DrawnControlsWindow : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
      Display* display = x.Get();
      parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 200, 0, 0, 0);
      XMapRaised(display, parent);
      XSync(display, False);
      ASSERT_NE(editor.OpenWindow(reinterpret_cast<void*>(parent)), nullptr);
      Pump(0.1);
    }
    void TearDown() override
    {
      editor.CloseWindow();
      if (parent)
        XDestroyWindow(x.Get(), parent);
      if (x.IsConnected())
        x.Flush();
    }

    // Clicks the centre of r (editor units at scale 1).
    void ClickAt(const IRECT& r, int button = 1)
    {
      x.Click(parent, static_cast<int>(r.MW()), static_cast<int>(r.MH()), button);
    }

    XTestDriver x;
    unsigned long parent = 0;
    GalleryEditor editor;
  };
}

TEST_F(DrawnControlsWindow, RightClickMenuSubmenuItemChosenWithTheMouseReachesTheControl)
{
  IPopupMenuControl* menu = editor.GetUI()->GetPopupMenuControl();
  ASSERT_NE(menu, nullptr);
  x.Click(parent, 200, 40, 3);
  ASSERT_TRUE(WaitFor([&] { return menu->GetState() == IPopupMenuControl::kIdling && menu->NPanels() >= 1; }, 5.0,
                      [] { Pump(); }));
  // Hovering "More" opens its submenu.
  const IRECT more = menu->GetPanel(0)->mCellBounds.at(1);
  x.MoveTo(parent, static_cast<int>(more.MW()), static_cast<int>(more.MH()));
  ASSERT_TRUE(WaitFor([&] { return menu->NPanels() >= 2 && menu->GetState() == IPopupMenuControl::kIdling; }, 5.0,
                      [] { Pump(); }));
  const IRECT beta = menu->GetPanel(1)->mCellBounds.at(1);
  x.MoveTo(parent, static_cast<int>(beta.MW()), static_cast<int>(beta.MH()));
  Pump(0.1);
  ClickAt(beta);
  ASSERT_TRUE(WaitFor([&] { return !editor.menuOwner->chosen.empty(); }, 5.0, [] { Pump(); }));
  EXPECT_EQ(editor.menuOwner->chosen, "Beta");
}

TEST_F(DrawnControlsWindow, TypedValueSetsTheParameterAndEscapeCancels)
{
  ITextEntryControl* entry = editor.GetUI()->GetTextEntryControl();
  ASSERT_NE(entry, nullptr);
  const IRECT value = editor.knob->GetValueBounds();
  ASSERT_FALSE(value.Empty());

  // A double click on the value opens the entry; Home, Shift+End select its text and typing replaces it.
  x.MoveTo(parent, static_cast<int>(value.MW()), static_cast<int>(value.MH()));
  x.Button(1, true);
  x.Button(1, false);
  x.Button(1, true);
  x.Button(1, false);
  ASSERT_TRUE(WaitFor([&] { return entry->GetEditing(); }, 5.0, [] { Pump(); }));
  Pump(0.1);
  x.Key(XK_Home);
  x.Key(XK_End, true);
  for (unsigned long key : {XK_0, XK_period, XK_2, XK_5})
    x.Key(key);
  x.Key(XK_Return);
  ASSERT_TRUE(WaitFor([&] { return !entry->GetEditing(); }, 5.0, [] { Pump(); }));
  EXPECT_DOUBLE_EQ(editor.GetParam(0)->Value(), 0.25);

  // Escape leaves the value alone.
  x.MoveTo(parent, static_cast<int>(value.MW()), static_cast<int>(value.MH()));
  x.Button(1, true);
  x.Button(1, false);
  ASSERT_TRUE(WaitFor([&] { return entry->GetEditing(); }, 5.0, [] { Pump(); }));
  Pump(0.1);
  x.Key(XK_9);
  x.Key(XK_Escape);
  ASSERT_TRUE(WaitFor([&] { return !entry->GetEditing(); }, 5.0, [] { Pump(); }));
  EXPECT_DOUBLE_EQ(editor.GetParam(0)->Value(), 0.25);
}

TEST_F(DrawnControlsWindow, TooltipShowsInABubbleAfterThePointerRests)
{
  ASSERT_EQ(editor.GetUI()->NBubbles(), 1);
  x.MoveTo(parent, 190, 40);
  x.MoveTo(parent, 200, 50);
  IBubbleControl* bubble = editor.GetUI()->GetBubbleControl(0);
  ASSERT_NE(bubble, nullptr);
  // Not at once: the pointer must rest first.
  Pump(0.2);
  EXPECT_EQ(bubble->GetState(), IBubbleControl::kCollapsed);
  ASSERT_TRUE(WaitFor([&] { return bubble->GetState() != IBubbleControl::kCollapsed; }, 5.0, [] { Pump(); }));
  EXPECT_STREQ(bubble->GetStr(), "Right-click for choices");
}
