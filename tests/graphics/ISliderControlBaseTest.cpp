#include <gtest/gtest.h>

#include "ISliderControlBase.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  class TestSlider : public ISliderControlBase
  {
  public:
    using ISliderControlBase::ISliderControlBase;
    void Draw(IGraphics&) override {}
  };

  TestSlider* AddSlider(GraphicsFixture& f, int paramIdx, EDirection dir)
  {
    return static_cast<TestSlider*>(
      f.graphics.AttachControl(new TestSlider(IRECT(10, 10, 110, 110), paramIdx, dir, 1.0, 0.f)));
  }
}

TEST(ISliderControlBase, AClickAwayFromTheHandleJumpsToItForContinuousParameters)
{
  GraphicsFixture f;
  TestSlider* slider = AddSlider(f, 0, kDirectionVertical);
  f.graphics.OnMouseDown({Mouse(50, 35)});
  EXPECT_DOUBLE_EQ(slider->GetValue(), 0.75);
  f.graphics.OnMouseUp({Mouse(50, 35)});
  TestSlider* unlinked = static_cast<TestSlider*>(
    f.graphics.AttachControl(new TestSlider(IRECT(120, 10, 220, 30), nullptr, kDirectionHorizontal, 1.0, 0.f)));
  f.graphics.OnMouseDown({Mouse(145, 20)});
  EXPECT_DOUBLE_EQ(unlinked->GetValue(), 0.25);
}

TEST(ISliderControlBase, ASteppedParameterDoesNotJumpAndMovesOnlyByDragging)
{
  GraphicsFixture f;
  TestSlider* slider = AddSlider(f, 2, kDirectionVertical);
  f.graphics.OnMouseDown({Mouse(50, 35)});
  EXPECT_EQ(slider->GetValue(), 0.0);
  f.graphics.OnMouseDrag({Mouse(50, 15, true, false, 0, -20)});
  EXPECT_DOUBLE_EQ(slider->GetValue(), 0.2);
}

TEST(ISliderControlBase, AHorizontalRelativeDragSubtractsTheHandleFromTheTrack)
{
  GraphicsFixture f;
  auto* slider = static_cast<TestSlider*>(
    f.graphics.AttachControl(new TestSlider(IRECT(0, 0, 120, 20), 2, kDirectionHorizontal, 1.0, 20.f)));
  f.graphics.OnMouseDown({Mouse(5, 5)});
  f.graphics.OnMouseDrag({Mouse(55, 5, true, false, 50, 0)});
  EXPECT_DOUBLE_EQ(slider->GetValue(), 0.5) << "50 units over 120 - 20";
}

TEST(ISliderControlBase, ATouchDragFollowsThePointer)
{
  GraphicsFixture f;
  TestSlider* slider = AddSlider(f, 0, kDirectionVertical);
  IMouseInfo down = Mouse(50, 60);
  down.ms.touchId = 7;
  f.graphics.OnMouseDown({down});
  IMouseInfo drag = Mouse(50, 10, true, false, 0, -50);
  drag.ms.touchId = 7;
  f.graphics.OnMouseDrag({drag});
  EXPECT_DOUBLE_EQ(slider->GetValue(), 1.0);
}
