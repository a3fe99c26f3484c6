// Every way a control leaves the tree forgets it everywhere the context points at it: a control taken out by
// tag and then deleted by its new owner must leave nothing the next event could reach (ASan builds prove it).
#include <gtest/gtest.h>

#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  constexpr int kTagA = 1;
  constexpr int kTagB = 2;
}

TEST(IGraphicsControlRemoval, ByTagForgetsTheHoverControlAndShiftsTheHoverIndexOfThoseBehind)
{
  GraphicsFixture f;
  f.graphics.EnableMouseOver(true);
  f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* a = f.Add(IRECT(10, 10, 50, 50), -1, kTagA);
  RecordingControl* b = f.Add(IRECT(100, 10, 150, 50), -1, kTagB);
  f.graphics.OnMouseOver(120, 20, IMouseMod());
  ASSERT_EQ(f.graphics.GetHoverIdx(), 2);

  f.graphics.RemoveControlWithTag(kTagA);
  delete a;
  EXPECT_EQ(f.graphics.GetHoverControl(), b);
  EXPECT_EQ(f.graphics.GetControl(f.graphics.GetHoverIdx()), b);

  f.graphics.RemoveControlWithTag(kTagB);
  delete b;
  EXPECT_EQ(f.graphics.GetHoverControl(), nullptr);
  EXPECT_EQ(f.graphics.GetHoverIdx(), -1);
  f.graphics.OnMouseOver(20, 20, IMouseMod());
  f.graphics.OnMouseWheel(120, 20, IMouseMod(), 1.f);
  f.graphics.OnMouseOut();
}

TEST(IGraphicsControlRemoval, ByTagMidDragEndsTheGestureOnceAndLaterEventsReachNothing)
{
  GraphicsFixture f;
  RecordingControl* background = f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 0, kTagA);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.OnMouseDrag({Mouse(25, 25, true, false, 5, 5)});

  f.graphics.RemoveControlWithTag(kTagA);
  delete knob;
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
  f.graphics.OnMouseDrag({Mouse(30, 30, true, false, 5, 5)});
  f.graphics.OnMouseUp({Mouse(30, 30)});
  f.graphics.OnMouseWheel(20, 20, IMouseMod(), 1.f);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 0", "end 0"}));
  EXPECT_EQ(background->mEvents, (std::vector<std::string>{"wheel 20,20 1"})) << "the wheel goes to what is left";
}

TEST(IGraphicsControlRemoval, ByTagDropsAWaitingMenuOrTextEntryResult)
{
  GraphicsFixture f;
  f.graphics.mMenusAsync = true;
  RecordingControl* menuAsker = f.Add(IRECT(10, 10, 50, 50), 1, kTagA);
  RecordingControl* entryAsker = f.Add(IRECT(100, 10, 150, 50), 0, kTagB);
  IPopupMenu menu;
  menu.AddItem("Off");
  f.graphics.CreatePopupMenu(*menuAsker, menu, IRECT(10, 10, 50, 50));
  f.graphics.CreateTextEntry(*entryAsker, IText(), IRECT(100, 10, 150, 26), "", 0);

  f.graphics.RemoveControlWithTag(kTagA);
  f.graphics.RemoveControlWithTag(kTagB);
  delete menuAsker;
  delete entryAsker;
  EXPECT_EQ(f.graphics.GetMenuTarget(), nullptr);
  EXPECT_EQ(f.graphics.GetEntryTarget(), nullptr);
  menu.SetChosenItemIdx(0);
  f.graphics.SetControlValueAfterPopupMenu(&menu);
  f.graphics.SetControlValueAfterTextEdit("0.9");
  EXPECT_DOUBLE_EQ(f.dlg.GetParam(0)->Value(), 0.5);
  EXPECT_EQ(f.dlg.GetParam(1)->Int(), 1);
}

TEST(IGraphicsControlRemoval, RemovingEverythingMidDragEndsTheGesture)
{
  GraphicsFixture f;
  f.Add(IRECT(10, 10, 50, 50), 2);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.RemoveAllControls();
  f.graphics.OnMouseUp({Mouse(20, 20)});
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 2", "end 2"}));
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
}
