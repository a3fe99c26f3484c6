#include <gtest/gtest.h>

#include "IVGroupControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(IVGroupControl, CoversTheControlsOfItsGroupGrownByThePaddings)
{
  GraphicsFixture f;
  f.graphics.AttachControl(new RecordingControl(IRECT(20, 30, 60, 70)), IGraphics::kNoTag, "filters");
  f.graphics.AttachControl(new RecordingControl(IRECT(80, 40, 120, 90)), IGraphics::kNoTag, "filters");
  f.graphics.AttachControl(new RecordingControl(IRECT(200, 10, 220, 20)), IGraphics::kNoTag, "other");
  auto* group = static_cast<IVGroupControl*>(
    f.graphics.AttachControl(new IVGroupControl("filters", "Filters", 10.f, DEFAULT_STYLE, 5.f, 25.f, 5.f, 5.f)));
  EXPECT_EQ(group->GetRECT(), IRECT(15, 5, 125, 95));
  EXPECT_TRUE(group->GetIgnoreMouse()) << "the frame lets the pointer through to its controls";
  const IRECT& label = group->GetLabelBounds();
  EXPECT_EQ(label.L, 25.f);
  EXPECT_EQ(group->GetWidgetBounds().T, label.MH() + 0.5f) << "the frame's top edge runs through the label";
}

TEST(IVGroupControl, AGroupWithoutOtherControlsLeavesTheBoundsAlone)
{
  GraphicsFixture f;
  auto* group = static_cast<IVGroupControl*>(f.graphics.AttachControl(new IVGroupControl(IRECT(1, 2, 3, 4), "G")));
  group->SetBoundsBasedOnGroup("nobody", 1, 1, 1, 1);
  EXPECT_EQ(group->GetRECT(), IRECT(1, 2, 3, 4));
  EXPECT_STREQ(group->GetGroupName(), "nobody");
}

TEST(IVGroupControl, TheFrameLeavesAGapForTheLabel)
{
  GraphicsFixture f;
  auto* group = static_cast<IVGroupControl*>(f.graphics.AttachControl(
    new IVGroupControl(IRECT(0, 0, 200, 100), "Env", 10.f, DEFAULT_STYLE)));
  f.graphics.mLogging = true;
  group->DrawWidget(f.graphics);
  const IRECT& label = group->GetLabelBounds();
  char first[64];
  char last[64];
  std::snprintf(first, sizeof(first), "PathMoveTo %g %g", label.R + 2.f, group->GetWidgetBounds().T);
  std::snprintf(last, sizeof(last), "PathLineTo %g %g", label.L - 2.f, group->GetWidgetBounds().T);
  const auto& log = f.graphics.mLog;
  EXPECT_NE(std::find(log.begin(), log.end(), first), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), last), log.end());
}
