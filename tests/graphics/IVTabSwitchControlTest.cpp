#include <gtest/gtest.h>

#include "IVTabSwitchControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(IVTabSwitchControl, FourButtonsSetZeroOneThirdTwoThirdsAndOne)
{
  GraphicsFixture f;
  auto* tabs = static_cast<IVTabSwitchControl*>(f.graphics.AttachControl(new IVTabSwitchControl(
    IRECT(0, 0, 200, 40), nullptr, {"A", "B", "C", "D"}, "", DEFAULT_STYLE.WithShowLabel(false))));
  ASSERT_EQ(tabs->NButtons(), 4);
  const double expected[] = {0.0, 1.0 / 3.0, 2.0 / 3.0, 1.0};
  for (int i = 3; i >= 0; --i)
  {
    const IRECT& b = tabs->GetButton(i);
    f.graphics.OnMouseDown({Mouse(b.MW(), b.MH())});
    f.graphics.OnMouseUp({Mouse(b.MW(), b.MH())});
    EXPECT_DOUBLE_EQ(tabs->GetValue(), expected[i]) << "button " << i;
    EXPECT_EQ(tabs->GetSelectedIdx(), i);
  }
}

TEST(IVTabSwitchControl, TakesItsOptionsFromAnEnumeratedParameterAndTellsTheHost)
{
  GraphicsFixture f;
  auto* tabs = static_cast<IVTabSwitchControl*>(
    f.graphics.AttachControl(new IVTabSwitchControl(IRECT(0, 0, 150, 60), 1)));
  ASSERT_EQ(tabs->NButtons(), 3);
  EXPECT_STREQ(tabs->GetOption(2), "Hard");
  const IRECT& b = tabs->GetButton(2);
  f.graphics.OnMouseDown({Mouse(b.MW(), b.MH())});
  f.graphics.OnMouseUp({Mouse(b.MW(), b.MH())});
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 1", "set 1 1", "end 1"}));
  EXPECT_EQ(f.dlg.GetParam(1)->Int(), 2);
}

TEST(IVTabSwitchControl, HighlightsTheHoveredButtonUntilThePointerLeaves)
{
  GraphicsFixture f;
  auto* tabs = static_cast<IVTabSwitchControl*>(
    f.graphics.AttachControl(new IVTabSwitchControl(IRECT(0, 0, 150, 150), nullptr, {"x", "y", "z"}, "",
                                                    DEFAULT_STYLE, kVShapeRectangle, kDirectionVertical)));
  const IRECT& b = tabs->GetButton(1);
  EXPECT_LT(tabs->GetButton(0).B, tabs->GetButton(2).T) << "a vertical switch stacks its buttons";
  tabs->OnMouseOver(b.MW(), b.MH(), IMouseMod());
  EXPECT_EQ(tabs->GetMouseOverIdx(), 1);
  tabs->OnMouseOut();
  EXPECT_EQ(tabs->GetMouseOverIdx(), -1);
}

TEST(IVTabSwitchControl, AClickBetweenTheButtonsChangesNothing)
{
  GraphicsFixture f;
  auto* tabs = static_cast<IVTabSwitchControl*>(f.graphics.AttachControl(
    new IVTabSwitchControl(IRECT(0, 0, 200, 80), nullptr, {"A", "B"}, "Tabs")));
  tabs->SetValue(1.0);
  tabs->OnMouseDown(100, 5, IMouseMod());
  EXPECT_EQ(tabs->GetButtonForPoint(100, 5), -1) << "the label is no button";
  EXPECT_EQ(tabs->GetValue(), 1.0);
}

TEST(IVRadioButtonControl, AnOptionIsItsButtonAndTextButNotTheEmptyRestOfItsRow)
{
  GraphicsFixture f;
  auto* radio = static_cast<IVRadioButtonControl*>(f.graphics.AttachControl(new IVRadioButtonControl(
    IRECT(0, 0, 200, 90), nullptr, {"One", "Two", "Three"}, "", DEFAULT_STYLE.WithShowLabel(false),
    kVShapeEllipse, kDirectionVertical, 10.f)));
  const IRECT shape = radio->GetButtonShape(1);
  EXPECT_EQ(shape.W(), 10.f);
  EXPECT_EQ(radio->GetButtonForPoint(shape.MW(), shape.MH()), 1);
  EXPECT_EQ(radio->GetButtonForPoint(shape.R + 10.f, shape.MH()), 1) << "on the text";
  EXPECT_EQ(radio->GetButtonForPoint(190.f, shape.MH()), -1) << "past the text";
  f.graphics.OnMouseDown({Mouse(shape.MW(), shape.MH())});
  EXPECT_DOUBLE_EQ(radio->GetValue(), 0.5);
}
