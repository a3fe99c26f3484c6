#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "IBubbleControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // Runs frames for about ms milliseconds.
  void RunFrames(RecordingGraphics& g, int ms)
  {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    IRECTList rects;
    while (std::chrono::steady_clock::now() < end)
    {
      rects.Clear();
      g.IsDirty(rects);
      g.SetAllControlsClean();
      g.Draw(rects);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  IBubbleControl* TheBubble(IGraphics& g)
  {
    IBubbleControl* bubble = nullptr;
    g.ForAllControlsFunc([&](IControl* c) {
      if (auto* b = dynamic_cast<IBubbleControl*>(c))
        bubble = b;
    });
    return bubble;
  }
}

TEST(IBubbleControl, StaysWhileItsCallerIsDraggedAndFadesAboutASecondAfterRelease)
{
  GraphicsFixture f;
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 0);
  knob->SetActionFunction(ShowBubbleVerticalActionFunc);
  f.graphics.AttachBubbleControl();
  IBubbleControl* bubble = TheBubble(f.graphics);
  ASSERT_NE(bubble, nullptr);
  EXPECT_TRUE(bubble->IsHidden());
  EXPECT_TRUE(bubble->GetIgnoreMouse());

  f.graphics.OnMouseDown({Mouse(20, 20)});
  knob->SetValue(0.7);
  knob->SetDirty(true);
  EXPECT_EQ(bubble->GetState(), IBubbleControl::kExpanding);
  RunFrames(f.graphics, 1400);
  EXPECT_EQ(bubble->GetState(), IBubbleControl::kExpanded) << "held open while the caller is captured";
  EXPECT_FALSE(bubble->IsHidden());
  f.graphics.OnMouseUp({Mouse(20, 20)});
  RunFrames(f.graphics, 700);
  EXPECT_FALSE(bubble->IsHidden()) << "still visible shortly after the release";
  RunFrames(f.graphics, 900);
  EXPECT_TRUE(bubble->IsHidden());
  EXPECT_EQ(bubble->GetState(), IBubbleControl::kCollapsed);
}

TEST(IBubbleControl, NoBubbleAttachedMeansNothingIsShown)
{
  GraphicsFixture f;
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 0);
  ShowBubbleHorizontalActionFunc(knob);
  EXPECT_EQ(TheBubble(f.graphics), nullptr);
}
