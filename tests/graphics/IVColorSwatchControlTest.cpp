#include <gtest/gtest.h>

#include "IVColorSwatchControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // A platform whose colour chooser answers at once with mAnswer, or through the handler when mUseHandler.
  class ColorGraphics : public RecordingGraphics
  {
  public:
    using RecordingGraphics::RecordingGraphics;
    bool PromptForColor(IColor& color, const char* str, IColorPickerHandlerFunc func) override
    {
      mPrompts.push_back(str);
      if (mUseHandler && func)
      {
        func(mAnswer);
        return true;
      }
      color = mAnswer;
      return mChoose;
    }
    std::vector<std::string> mPrompts;
    IColor mAnswer = COLOR_ORANGE;
    bool mChoose = true;
    bool mUseHandler = false;
  };

  struct SwatchFixture
  {
    SwatchFixture() : graphics(dlg, 300, 200)
    {
      graphics.mLogging = false;
      swatch = static_cast<IVColorSwatchControl*>(graphics.AttachControl(new IVColorSwatchControl(
        IRECT(0, 0, 200, 50), "", [this](int cell, const IColor& c) { chosen.push_back({cell, c}); },
        DEFAULT_STYLE.WithShowLabel(false), IVColorSwatchControl::kHorizontal, {kFG, kX1}, {"Fill", "Track"})));
    }
    RecordingDelegate dlg;
    ColorGraphics graphics;
    IVColorSwatchControl* swatch = nullptr;
    std::vector<std::pair<int, IColor>> chosen;
  };
}

TEST(IVColorSwatchControl, AClickAsksForAColourAndReportsItOnceWithTheCell)
{
  SwatchFixture f;
  ASSERT_EQ(f.swatch->NCells(), 2);
  const IRECT& cell = f.swatch->GetCell(1);
  f.graphics.OnMouseDown({Mouse(cell.MW(), cell.MH())});
  EXPECT_EQ(f.graphics.mPrompts, (std::vector<std::string>{"Choose a color"}));
  ASSERT_EQ(f.chosen.size(), 1u);
  EXPECT_EQ(f.chosen[0].first, 1);
  EXPECT_EQ(f.chosen[0].second, COLOR_ORANGE);
  EXPECT_EQ(f.swatch->GetColor(kX1), COLOR_ORANGE);
  f.graphics.OnMouseUp({Mouse(cell.MW(), cell.MH())});

  f.graphics.mUseHandler = true;
  f.graphics.mAnswer = COLOR_VIOLET;
  f.graphics.OnMouseDown({Mouse(f.swatch->GetCell(0).MW(), cell.MH())});
  ASSERT_EQ(f.chosen.size(), 2u) << "a handler's answer is not reported twice";
  EXPECT_EQ(f.swatch->GetColor(kFG), COLOR_VIOLET);
}

TEST(IVColorSwatchControl, ACancelledChooserChangesNothing)
{
  SwatchFixture f;
  f.graphics.mChoose = false;
  const IRECT& cell = f.swatch->GetCell(0);
  f.graphics.OnMouseDown({Mouse(cell.MW(), cell.MH())});
  EXPECT_TRUE(f.chosen.empty());
  EXPECT_EQ(f.swatch->GetColor(kFG), DEFAULT_FGCOLOR);
}

TEST(IVColorSwatchControl, MouseOutClearsTheHoveredCell)
{
  SwatchFixture f;
  const IRECT& cell = f.swatch->GetCell(1);
  f.swatch->OnMouseOver(cell.MW(), cell.MH(), IMouseMod());
  EXPECT_EQ(f.swatch->GetMouseOverCell(), 1);
  f.swatch->OnMouseOut();
  EXPECT_EQ(f.swatch->GetMouseOverCell(), -1);
}

TEST(IVColorSwatchControl, AGridIsAsSquareAsTheCellsAllow)
{
  SwatchFixture f;
  auto* grid = static_cast<IVColorSwatchControl*>(f.graphics.AttachControl(
    new IVColorSwatchControl(IRECT(0, 0, 90, 90), "", nullptr, DEFAULT_STYLE.WithShowLabel(false))));
  ASSERT_EQ(grid->NCells(), 9) << "every role when none are listed";
  EXPECT_EQ(grid->GetCell(4), IRECT(30, 30, 60, 60));
}
