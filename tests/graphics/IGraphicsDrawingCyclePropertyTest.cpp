#include <gtest/gtest.h>

#include <random>

#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // Whether a region reaches a control: the same padded, pixel-aligned test the cycle must apply.
  bool Touches(const IRECT& region, const IRECT& controlBounds, float scale)
  {
    const IRECT padded = controlBounds.GetPadded(0.75f).GetPixelAligned(scale);
    const IRECT clip = region.Intersect(padded);
    return clip.W() > 0.f && clip.H() > 0.f;
  }
}

// Random layouts and dirty sets: after one frame every control was drawn exactly once per region it
// touches (so every dirty one at least once), and nothing outside the regions was drawn.
TEST(IGraphicsDrawingCycleProperty, EveryControlIsDrawnOncePerRegionItTouchesAndNowhereElse)
{
  std::mt19937 rng(20261207);
  std::uniform_real_distribution<float> pos(-20.f, 300.f);
  std::uniform_real_distribution<float> size(0.f, 80.f);
  std::uniform_int_distribution<int> count(1, 30);
  std::bernoulli_distribution coin(0.3);
  std::uniform_int_distribution<int> scalePick(0, 2);
  const float scales[] = {1.f, 1.5f, 2.f};

  for (int trial = 0; trial < 400; ++trial)
  {
    GraphicsFixture f;
    const float screenScale = scales[scalePick(rng)];
    f.graphics.SetScreenScale(screenScale);
    f.graphics.SetStrictDrawing(trial % 4 == 0);
    std::vector<RecordingControl*> controls;
    const int n = count(rng);
    for (int i = 0; i < n; ++i)
    {
      const float x = pos(rng), y = pos(rng);
      RecordingControl* c = f.Add(IRECT(x, y, x + size(rng), y + size(rng)));
      if (coin(rng))
        c->Hide(true);
      controls.push_back(c);
    }
    IRECTList rects;
    f.graphics.IsDirty(rects);
    f.graphics.SetAllControlsClean();
    f.graphics.Draw(rects);
    for (RecordingControl* c : controls)
      c->mDraws = 0;

    std::vector<bool> dirty(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
    {
      dirty[i] = coin(rng);
      if (dirty[i])
        controls[i]->SetDirty(false);
    }
    rects.Clear();
    const bool anything = f.graphics.IsDirty(rects);
    ASSERT_EQ(anything, std::find(dirty.begin(), dirty.end(), true) != dirty.end());
    f.graphics.SetAllControlsClean();
    f.graphics.Draw(rects);

    // With strict drawing the regions drawn are the bounds of the list; otherwise the optimised list itself.
    std::vector<IRECT> regions;
    if (f.graphics.GetStrictDrawing() && rects.Size() > 0)
      regions.push_back(rects.Bounds().GetPixelAligned(screenScale));
    else
    {
      for (int r = 0; r < rects.Size(); ++r)
        regions.push_back(rects.Get(r));
    }

    for (std::size_t i = 0; i < controls.size(); ++i)
    {
      RecordingControl* c = controls[i];
      const bool drawable = !c->IsHidden() || i == 0;
      int expected = 0;
      for (const IRECT& region : regions)
        expected += drawable && Touches(region, c->GetRECT(), screenScale) ? 1 : 0;
      ASSERT_EQ(c->mDraws, expected) << "trial " << trial << " control " << i;
      if (dirty[i] && drawable)
      {
        ASSERT_GE(c->mDraws, 1) << "a dirty control must be redrawn (trial " << trial << ")";
      }
    }
  }
}
