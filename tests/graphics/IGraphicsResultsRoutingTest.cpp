#include <gtest/gtest.h>

#include "IBubbleControl.h"
#include "IParam.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(IGraphicsResultsRouting, AnEnumeratedParameterIsPromptedWithATickedMenuAndTheChoiceSetsIt)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10, 10, 50, 50), 1);
  c->DisablePrompt(false);
  f.graphics.mMenuChoice = 2;
  f.graphics.OnMouseDown({Mouse(20, 20)});
  c->PromptUserInput(0);
  ASSERT_EQ(f.graphics.mMenus.size(), 1u);
  const IPopupMenu& menu = *f.graphics.mMenus[0].menu;
  ASSERT_EQ(menu.NItems(), 3);
  EXPECT_STREQ(menu.GetItemText(0), "Off");
  EXPECT_FALSE(menu.GetItem(0)->GetChecked());
  EXPECT_TRUE(menu.GetItem(1)->GetChecked()) << "the current value is ticked";
  EXPECT_STREQ(menu.GetRootTitle(), "Mode");
  EXPECT_EQ(f.graphics.mMenus[0].bounds, IRECT(10, 10, 50, 50)) << "menus open over the whole control";
  EXPECT_EQ(c->mEvents.back(), "menu 2 0");
  EXPECT_EQ(f.dlg.GetParam(1)->Int(), 2);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 1", "set 1 1", "end 1"}))
    << "the press began the gesture and the menu result ends it";
  EXPECT_FALSE(f.graphics.ControlIsCaptured()) << "opening a menu releases the capture";
  EXPECT_EQ(f.graphics.GetMenuTarget(), nullptr);
}

TEST(IGraphicsResultsRouting, ALateMenuResultReachesTheAskingControlAndADismissalChangesNothing)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10, 10, 50, 50), 1);
  c->DisablePrompt(false);
  f.graphics.mMenusAsync = true;
  c->PromptUserInput(0);
  EXPECT_EQ(f.graphics.GetMenuTarget(), c);
  f.graphics.SetControlValueAfterPopupMenu(nullptr);
  EXPECT_EQ(c->mEvents.back(), "menu -1 0");
  EXPECT_EQ(f.dlg.GetParam(1)->Int(), 1);
  f.graphics.SetControlValueAfterPopupMenu(f.graphics.mMenus[0].menu);
  EXPECT_EQ(c->mEvents.size(), 1u) << "a result with no waiting control is ignored";
}

TEST(IGraphicsResultsRouting, ATypedValueIsConvertedSnappedClampedAndSentAsAUserChange)
{
  GraphicsFixture f;
  RecordingControl* level = f.Add(IRECT(10, 10, 50, 50), 0);
  RecordingControl* steps = f.Add(IRECT(60, 10, 100, 50), 2);
  level->DisablePrompt(false);
  steps->DisablePrompt(false);
  level->PromptUserInput(0);
  ASSERT_EQ(f.graphics.mTextEntries.size(), 1u);
  EXPECT_EQ(f.graphics.mTextEntries[0].paramIdx, 0);
  EXPECT_EQ(f.graphics.mTextEntries[0].length, 7);
  EXPECT_EQ(f.graphics.mTextEntries[0].text, "0.50");
  f.graphics.SetControlValueAfterTextEdit("0.25");
  EXPECT_DOUBLE_EQ(f.dlg.GetParam(0)->Value(), 0.25);
  EXPECT_EQ(f.graphics.GetEntryTarget(), nullptr);

  steps->PromptUserInput(0);
  f.graphics.SetControlValueAfterTextEdit("7.6");
  EXPECT_EQ(f.dlg.GetParam(2)->Int(), 8);
  steps->PromptUserInput(0);
  f.graphics.SetControlValueAfterTextEdit("250");
  EXPECT_EQ(f.dlg.GetParam(2)->Int(), 10);
  f.graphics.SetControlValueAfterTextEdit("3");
  EXPECT_EQ(f.dlg.GetParam(2)->Int(), 10) << "a result with no waiting control is ignored";
}

TEST(IGraphicsResultsRouting, AValueWithoutAParameterGetsTheRawText)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10, 10, 50, 50));
  f.graphics.CreateTextEntry(*c, IText(), IRECT(0, 0, 40, 16), "abc", 0);
  EXPECT_EQ(f.graphics.mTextEntries[0].paramIdx, -1);
  f.graphics.SetControlValueAfterTextEdit("hello");
  EXPECT_EQ(c->mEvents, (std::vector<std::string>{"text hello 0"}));
}

TEST(IGraphicsResultsRouting, ThePromptAppendsTheLabelWhenAsked)
{
  GraphicsFixture f;
  f.dlg.GetParam(0)->InitDouble("Level", 0.5, 0.0, 1.0, 0.01, "dB");
  RecordingControl* c = f.Add(IRECT(10, 10, 50, 50), 0);
  c->DisablePrompt(false);
  c->SetPromptShowsParamLabel(true);
  c->PromptUserInput(0);
  EXPECT_EQ(f.graphics.mTextEntries[0].text, "0.50 dB");
}

TEST(IGraphicsResultsRouting, WhileAPlatformTextFieldWaitsDragsAreNotDelivered)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10, 10, 50, 50), 0);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.CreateTextEntry(*c, IText(), IRECT(0, 0, 40, 16), "", 0);
  f.graphics.OnMouseDrag({Mouse(25, 25, true, false, 5, 5)});
  EXPECT_EQ(c->mEvents, (std::vector<std::string>{"down 20,20"}));
}

TEST(IGraphicsResultsRouting, RemovingTheWaitingControlDropsItsResult)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10, 10, 50, 50), 0);
  f.graphics.CreateTextEntry(*c, IText(), IRECT(0, 0, 40, 16), "", 0);
  f.graphics.RemoveControl(c);
  f.graphics.SetControlValueAfterTextEdit("0.9");
  EXPECT_DOUBLE_EQ(f.dlg.GetParam(0)->Value(), 0.5);
}

TEST(IGraphicsResultsRouting, TheBubbleShowsBesideTheCallerAndFlipsAtTheEdge)
{
  GraphicsFixture f;
  RecordingControl* near = f.Add(IRECT(10, 10, 50, 50), 0);
  RecordingControl* edge = f.Add(IRECT(240, 10, 280, 50), 0);
  ShowBubbleHorizontalActionFunc(near);
  f.graphics.AttachBubbleControl();
  ShowBubbleHorizontalActionFunc(near);
  IBubbleControl* bubble = nullptr;
  f.graphics.ForAllControlsFunc([&](IControl* c) {
    if (auto* b = dynamic_cast<IBubbleControl*>(c))
      bubble = b;
  });
  ASSERT_NE(bubble, nullptr);
  EXPECT_FALSE(bubble->IsHidden());
  EXPECT_STREQ(bubble->GetStr(), "0.50");
  // 50 x 30 minimum content + 10 padding each side + 5 arrow left and right.
  EXPECT_EQ(bubble->GetBubbleBounds(), IRECT(50, 5, 130, 55));
  EXPECT_EQ(bubble->GetArrowDir(), IBubbleControl::kWest);
  ShowBubbleHorizontalActionFunc(edge);
  EXPECT_EQ(bubble->GetBubbleBounds(), IRECT(160, 5, 240, 55)) << "moved to the caller's left";
  EXPECT_EQ(bubble->GetArrowDir(), IBubbleControl::kEast);
  ShowBubbleVerticalActionFunc(near);
  EXPECT_EQ(bubble->GetBubbleBounds(), IRECT(-10, 50, 70, 100)) << "no room above: below the caller";
  EXPECT_EQ(bubble->GetArrowDir(), IBubbleControl::kNorth);
}
