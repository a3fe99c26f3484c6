#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "IBubbleControl.h"
#include "ICornerResizerControl.h"
#include "IFPSDisplayControl.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"
#include "IVirtualKeys.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

// A 300 x 200 context with a drawn popup menu using 10-unit text (recorded text: 5 units a character,
// 10 high) and a control that asks for menus.
struct MenuFixture : GraphicsFixture
{
  MenuFixture()
  {
    graphics.AttachPopupMenuControl(IText(10.f));
    popup = graphics.GetPopupMenuControl();
    asker = Add(IRECT(100, 20, 140, 40));
  }

  // Shows menu for the asker at anchor and lets the fade-in finish.
  void Open(IPopupMenu& menu, const IRECT& anchor)
  {
    graphics.CreatePopupMenu(*asker, menu, anchor, 0);
    popup->OnEndAnimation();
  }

  // Runs the collapse animation's remaining steps to the end.
  void FinishCollapse()
  {
    for (int step = 0; step < 4 && !popup->GetCollapsed(); ++step)
      popup->OnEndAnimation();
  }

  // Centre of cell cellIdx of panel panelIdx.
  IRECT Cell(int cellIdx, int panelIdx = 0) const
  {
    return popup->GetPanel(panelIdx)->mCellBounds[static_cast<std::size_t>(cellIdx)];
  }

  void Hover(const IRECT& r) { graphics.OnMouseOver(r.MW(), r.MH(), IMouseMod()); }

  void Click(const IRECT& r)
  {
    graphics.OnMouseDown({Mouse(r.MW(), r.MH())});
    graphics.OnMouseUp({Mouse(r.MW(), r.MH())});
  }

  bool Key(int vk) { return graphics.OnKeyDown(0.f, 0.f, IKeyPress(nullptr, vk)); }

  IPopupMenuControl* popup = nullptr;
  RecordingControl* asker = nullptr;
};

} // namespace

TEST(IPopupMenuControl, AMenuIsLaidOutAsOnePanelOfCellsBelowTheAnchor)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"One", "Two", "Three"});
  f.Open(menu, IRECT(100, 20, 140, 40));
  EXPECT_TRUE(f.graphics.mMenus.empty()) << "the drawn menu replaces the platform's";
  ASSERT_EQ(f.popup->NPanels(), 1);
  // Widest text 25 + padding 2 x 5 + tick 10 + arrow 8 = 53 wide, centred under the anchor's centre (120).
  EXPECT_EQ(f.Cell(0), IRECT(93.5f, 40, 146.5f, 50));
  EXPECT_EQ(f.Cell(1), IRECT(93.5f, 52, 146.5f, 62));
  EXPECT_EQ(f.Cell(2), IRECT(93.5f, 64, 146.5f, 74));
  EXPECT_EQ(f.popup->GetCalloutDirection(), 2);
  EXPECT_EQ(f.popup->GetState(), IPopupMenuControl::kIdling);
  EXPECT_FLOAT_EQ(f.popup->GetPanel(0)->mBlend.mWeight, 0.95f);
  EXPECT_TRUE(f.popup->GetRECT().Contains(f.popup->GetPanel(0)->mRECT)) << "the control covers what it draws";
}

TEST(IPopupMenuControl, AnAnchorInTheRightHalfOpensTheMenuToItsLeft)
{
  MenuFixture f;
  f.popup->SetExpandDown(false);
  IPopupMenu menu("", 0, false, {"One", "Two", "Three"});
  f.Open(menu, IRECT(250, 20, 270, 40));
  EXPECT_EQ(f.popup->GetCalloutDirection(), 3);
  EXPECT_LE(f.popup->GetPanel(0)->mRECT.R, 250.f);
}

TEST(IPopupMenuControl, AnAnchorNearTheBottomOpensTheMenuAboveIt)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"One", "Two", "Three"});
  f.Open(menu, IRECT(100, 170, 140, 190));
  EXPECT_LE(f.popup->GetPanel(0)->mRECT.B, 170.f);
  EXPECT_GE(f.popup->GetPanel(0)->mRECT.T, 0.f);
}

TEST(IPopupMenuControl, HoverHighlightsAndAClickReportsTheChoiceToTheAskingControl)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"One", "Two", "Three"});
  f.Open(menu, IRECT(100, 20, 140, 40));
  f.Hover(f.Cell(1));
  EXPECT_EQ(f.popup->GetHighlightedCell(), &f.popup->GetPanel(0)->mCellBounds[1]);
  f.Click(f.Cell(1));
  EXPECT_EQ(f.asker->mEvents.back(), "menu 1 0");
  EXPECT_EQ(menu.GetChosenItemIdx(), 1);
  EXPECT_EQ(f.graphics.GetMenuTarget(), nullptr);
  EXPECT_TRUE(f.popup->IsHidden()) << "the menu disappears at once";
}

TEST(IPopupMenuControl, ClickingADisabledItemTitleSeparatorOrSubmenuHolderChoosesNothing)
{
  MenuFixture f;
  IPopupMenu menu;
  menu.AddItem(new IPopupMenu::Item("Disabled", IPopupMenu::Item::kDisabled));
  menu.AddItem(new IPopupMenu::Item("Title", IPopupMenu::Item::kTitle));
  menu.AddSeparator();
  menu.AddItem("Holder", new IPopupMenu("", 0, false, {"Inner"}));
  menu.AddItem("Plain");
  for (int cell = 0; cell < 4; ++cell)
  {
    f.Open(menu, IRECT(100, 20, 140, 40));
    f.Click(f.Cell(cell));
    EXPECT_EQ(f.asker->mEvents.back(), "menu -1 0") << "cell " << cell;
    f.FinishCollapse();
  }
  f.Open(menu, IRECT(100, 20, 140, 40));
  f.Click(f.Cell(4));
  EXPECT_EQ(f.asker->mEvents.back(), "menu 4 0");
}

TEST(IPopupMenuControl, AClickOutsideThePanelsDismissesTheMenu)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"One", "Two"});
  f.Open(menu, IRECT(100, 20, 140, 40));
  f.Click(IRECT(5, 180, 6, 181));
  EXPECT_EQ(f.asker->mEvents.back(), "menu -1 0");
  EXPECT_FALSE(f.popup->GetExpanded());
}

TEST(IPopupMenuControl, AnEmptyMenuShowsAnEmptyPanelAndCollapsesWithNoChoice)
{
  MenuFixture f;
  IPopupMenu menu;
  f.Open(menu, IRECT(100, 20, 140, 40));
  EXPECT_EQ(f.popup->NPanels(), 1);
  f.Click(IRECT(120, 45, 121, 46));
  EXPECT_EQ(f.asker->mEvents.back(), "menu -1 0");
}

TEST(IPopupMenuControl, TheCollapseRunsFlickerCollapseAndFinishThenRestoresTheCollapsedBounds)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"One"});
  f.Open(menu, IRECT(100, 20, 140, 40));
  f.Click(f.Cell(0));
  EXPECT_EQ(f.popup->GetState(), IPopupMenuControl::kFlickering);
  f.popup->OnEndAnimation();
  EXPECT_EQ(f.popup->GetState(), IPopupMenuControl::kCollapsing);
  f.popup->OnEndAnimation();
  EXPECT_EQ(f.popup->GetState(), IPopupMenuControl::kFinishing);
  EXPECT_FLOAT_EQ(f.popup->GetPanel(0)->mBlend.mWeight, 0.f);
  f.popup->OnEndAnimation();
  EXPECT_TRUE(f.popup->GetCollapsed());
  EXPECT_EQ(f.popup->NPanels(), 0);
  EXPECT_TRUE(f.popup->GetRECT().Empty());
  EXPECT_FALSE(f.popup->GetAnimationFunction()) << "no animation runs while collapsed";
}

TEST(IPopupMenuControl, ASecondMenuWhileOneIsShownIsRefusedAndTheFirstAskerKeepsItsAnswer)
{
  MenuFixture f;
  RecordingControl* second = f.Add(IRECT(200, 20, 240, 40), 0);
  IPopupMenu first("", 0, false, {"One", "Two"});
  IPopupMenu other("", 0, false, {"X"});
  f.Open(first, IRECT(100, 20, 140, 40));
  f.graphics.CreatePopupMenu(*second, other, second->GetRECT(), 0);
  EXPECT_EQ(f.graphics.GetMenuTarget(), f.asker);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"end 0"}))
    << "the refused request ends the gesture its press began, since no result will";
  f.Click(f.Cell(0));
  EXPECT_EQ(f.asker->mEvents.back(), "menu 0 0");
  EXPECT_TRUE(second->mEvents.empty());
}

TEST(IPopupMenuControl, ATallMenuScrollsOneItemPerHoverAndStopsAtBothEnds)
{
  MenuFixture f;
  IPopupMenu menu;
  for (int i = 0; i < 30; ++i)
    menu.AddItem(("Item " + std::to_string(i)).c_str());
  f.Open(menu, IRECT(100, 20, 140, 40));
  const IPopupMenuControl::MenuPanel* panel = f.popup->GetPanel(0);
  ASSERT_TRUE(panel->mScroller);
  // (200 - 20) / (10 + 2) rows fit.
  ASSERT_EQ(panel->mCellBounds.size(), 15u);
  f.Hover(f.Cell(0));
  EXPECT_EQ(panel->mScrollItemOffset, 0) << "already at the top";
  for (int i = 0; i < 20; ++i)
    f.Hover(f.Cell(14));
  EXPECT_EQ(panel->mScrollItemOffset, 15) << "stops with the last item in the last cell";
  for (int i = 0; i < 20; ++i)
    f.Hover(f.Cell(0));
  EXPECT_EQ(panel->mScrollItemOffset, 0);
  f.Hover(f.Cell(14));
  f.Click(f.Cell(5));
  EXPECT_EQ(f.asker->mEvents.back(), "menu 6 0") << "the chosen index counts the scroll offset";
}

TEST(IPopupMenuControl, HoveringASubmenuItemOpensItBesideTheCellAndItsChoiceIsReported)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"Plain"});
  auto* submenu = new IPopupMenu("", 0, false, {"X", "Y"});
  menu.AddItem("More", submenu);
  f.Open(menu, IRECT(100, 20, 140, 40));
  EXPECT_TRUE(f.popup->GetSubMenuOpensRight());
  f.Hover(f.Cell(1));
  ASSERT_EQ(f.popup->NPanels(), 2);
  EXPECT_EQ(f.popup->GetState(), IPopupMenuControl::kSubMenuAppearing);
  EXPECT_EQ(&f.popup->GetPanel(1)->mMenu, submenu);
  EXPECT_GE(f.Cell(0, 1).L, f.Cell(1).R + 5.f);
  EXPECT_FLOAT_EQ(f.Cell(0, 1).T, f.Cell(1).T);
  EXPECT_TRUE(f.popup->GetRECT().Contains(f.popup->GetPanel(1)->mRECT)) << "the control grows over the submenu";
  f.popup->OnEndAnimation();

  f.Hover(f.Cell(0));
  EXPECT_EQ(f.popup->NPanels(), 1) << "leaving the path closes the submenu";
  f.Hover(f.Cell(1));
  f.popup->OnEndAnimation();
  f.Hover(f.Cell(1, 1));
  f.Click(f.Cell(1, 1));
  EXPECT_EQ(f.asker->mEvents.back(), "menu 1 0");
  EXPECT_EQ(submenu->GetChosenItemIdx(), 1);
}

TEST(IPopupMenuControl, ArrowKeysNavigateIntoSubmenusAndReturnChooses)
{
  MenuFixture f;
  IPopupMenu menu;
  menu.AddItem(new IPopupMenu::Item("Off", IPopupMenu::Item::kDisabled));
  menu.AddItem("A");
  auto* submenu = new IPopupMenu("", 0, false, {"X", "Y"});
  menu.AddItem("More", submenu);
  f.Open(menu, IRECT(100, 20, 140, 40));
  EXPECT_TRUE(f.Key(kVK_DOWN));
  EXPECT_EQ(f.popup->GetHighlightedCell(), &f.popup->GetPanel(0)->mCellBounds[1]) << "the disabled item is skipped";
  f.Key(kVK_DOWN);
  f.Key(kVK_DOWN);
  EXPECT_EQ(f.popup->GetHighlightedCell(), &f.popup->GetPanel(0)->mCellBounds[2]) << "stops at the last item";
  f.Key(kVK_RIGHT);
  ASSERT_EQ(f.popup->NPanels(), 2);
  EXPECT_EQ(f.popup->GetActivePanel(), f.popup->GetPanel(1));
  f.popup->OnEndAnimation();
  f.Key(kVK_LEFT);
  EXPECT_EQ(f.popup->NPanels(), 1);
  EXPECT_EQ(f.popup->GetHighlightedCell(), &f.popup->GetPanel(0)->mCellBounds[2]);
  f.Key(kVK_RIGHT);
  f.popup->OnEndAnimation();
  f.Key(kVK_DOWN);
  f.Key(kVK_UP);
  f.Key(kVK_DOWN);
  EXPECT_TRUE(f.Key(kVK_RETURN));
  EXPECT_EQ(f.asker->mEvents.back(), "menu 1 0");
  EXPECT_EQ(submenu->GetChosenItemIdx(), 1);
}

TEST(IPopupMenuControl, EscapeDismissesTheMenu)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"One", "Two"});
  f.Open(menu, IRECT(100, 20, 140, 40));
  f.Key(kVK_DOWN);
  EXPECT_TRUE(f.Key(kVK_ESCAPE));
  EXPECT_EQ(f.asker->mEvents.back(), "menu -1 0");
}

TEST(IPopupMenuControl, AContextMenuFromARightClickReportsTheItemIndex)
{
  MenuFixture f;
  RecordingControl* knob = f.Add(IRECT(20, 100, 60, 140), 0);
  knob->mContextItems = {"Copy", "Reset"};
  f.graphics.OnMouseDown({Mouse(40, 120, false, true)});
  f.graphics.OnMouseUp({Mouse(40, 120, false, true)});
  ASSERT_TRUE(f.popup->GetExpanded());
  f.popup->OnEndAnimation();
  f.Click(f.Cell(1));
  EXPECT_EQ(knob->mEvents.back(), "context 1");
}

TEST(IPopupMenuControl, ItemTextsAreDrawnAndSeparatorsHaveNone)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"One"});
  menu.AddSeparator();
  menu.AddItem("Two");
  f.Open(menu, IRECT(100, 20, 140, 40));
  f.graphics.mLogging = true;
  f.graphics.mLog.clear();
  f.popup->Draw(f.graphics);
  const auto texts = std::count_if(f.graphics.mLog.begin(), f.graphics.mLog.end(),
                                   [](const std::string& line) { return line.rfind("DoDrawText", 0) == 0; });
  EXPECT_EQ(texts, 2);
  EXPECT_NE(std::find_if(f.graphics.mLog.begin(), f.graphics.mLog.end(),
                         [](const std::string& line) { return line.rfind("DoDrawText Two", 0) == 0; }),
            f.graphics.mLog.end());
}

TEST(IPopupMenuControl, RemovingTheMenuWhileItIsShownAnswersTheAskerWithADismissal)
{
  MenuFixture f;
  IPopupMenu menu("", 0, false, {"One"});
  f.Open(menu, IRECT(100, 20, 140, 40));
  f.graphics.RemovePopupMenuControl();
  EXPECT_EQ(f.asker->mEvents.back(), "menu -1 0");
  EXPECT_EQ(f.graphics.GetPopupMenuControl(), nullptr);
  f.graphics.mMenuChoice = 0;
  f.graphics.CreatePopupMenu(*f.asker, menu, f.asker->GetRECT(), 0);
  EXPECT_EQ(f.graphics.mMenus.size(), 1u) << "menus go to the platform again";
}

TEST(IPopupMenuControl, AllControlsAreVisitedStandardFrameTimeResizerEntryMenuThenBubbles)
{
  MenuFixture f;
  f.graphics.AttachBubbleControl();
  f.graphics.AttachTextEntryControl();
  f.graphics.AttachCornerResizer();
  f.graphics.ShowFPSDisplay(true);
  std::vector<IControl*> order;
  f.graphics.ForAllControlsFunc([&](IControl* c) { order.push_back(c); });
  ASSERT_EQ(order.size(), 6u);
  EXPECT_EQ(order[0], f.asker);
  EXPECT_EQ(order[1], f.graphics.GetFPSDisplayControl());
  EXPECT_EQ(order[2], f.graphics.GetCornerResizer());
  EXPECT_EQ(order[3], f.graphics.GetTextEntryControl());
  EXPECT_EQ(order[4], f.graphics.GetPopupMenuControl());
  EXPECT_NE(dynamic_cast<IBubbleControl*>(order[5]), nullptr);
}
