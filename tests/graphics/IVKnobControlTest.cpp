#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "IVKnobControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  IVKnobControl* AddKnob(GraphicsFixture& f, int paramIdx, bool editable = false, float anchor = -135.f)
  {
    return static_cast<IVKnobControl*>(f.graphics.AttachControl(new IVKnobControl(
      IRECT(0, 0, 100, 140), paramIdx, "", DEFAULT_STYLE, editable, false, -135.f, 135.f, anchor)));
  }

  // The recorded lines starting with prefix.
  std::vector<std::string> Lines(const RecordingGraphics& g, const std::string& prefix)
  {
    std::vector<std::string> found;
    for (const std::string& line : g.mLog)
      if (line.rfind(prefix, 0) == 0)
        found.push_back(line);
    return found;
  }

  // The arc of the track: centre, radius, from and to angles.
  struct Arc
  {
    float cx, cy, r, a1, a2;
  };
  Arc FirstArc(const RecordingGraphics& g)
  {
    Arc arc{};
    const std::vector<std::string> arcs = Lines(g, "PathArc");
    if (!arcs.empty())
      std::sscanf(arcs.front().c_str(), "PathArc %f %f %f %f %f", &arc.cx, &arc.cy, &arc.r, &arc.a1, &arc.a2);
    return arc;
  }
}

TEST(IVKnobControl, AtHalfValueThePointerPointsStraightUpAndTheTrackRunsFromTheAnchor)
{
  GraphicsFixture f;
  IVKnobControl* knob = AddKnob(f, 0);
  knob->SetValue(0.5);
  EXPECT_EQ(knob->GetAngle(), 0.f);
  f.graphics.mLogging = true;
  knob->DrawWidget(f.graphics);

  const Arc arc = FirstArc(f.graphics);
  EXPECT_EQ(arc.a1, -135.f);
  EXPECT_EQ(arc.a2, 0.f);
  const IRECT& w = knob->GetWidgetBounds();
  EXPECT_EQ(arc.cx, w.MW());
  EXPECT_EQ(arc.r, std::min(w.W(), w.H()) / 2.f - 1.f) << "the track sits half its size inside the widget";

  // The pointer is the last line drawn: from 0.1 to 1.0 of the handle radius, straight up.
  const std::vector<std::string> moves = Lines(f.graphics, "PathMoveTo");
  const std::vector<std::string> lines = Lines(f.graphics, "PathLineTo");
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::sscanf(moves.back().c_str(), "PathMoveTo %f %f", &x1, &y1);
  std::sscanf(lines.back().c_str(), "PathLineTo %f %f", &x2, &y2);
  EXPECT_NEAR(x1, w.MW(), 1e-4f);
  EXPECT_NEAR(x2, w.MW(), 1e-4f);
  EXPECT_LT(y2, y1);
  const float handleRadius = arc.r - 4.f;
  EXPECT_NEAR(w.MH() - y2, handleRadius, 1e-3f);
  EXPECT_NEAR(w.MH() - y1, 0.1f * handleRadius, 1e-3f);
  EXPECT_EQ(Lines(f.graphics, "PathStroke 2.5").size(), 1u) << "the pointer is 2.5 thick";
}

TEST(IVKnobControl, ACentreAnchorFillsTheTrackFromTheCentreEitherWay)
{
  GraphicsFixture f;
  IVKnobControl* knob = AddKnob(f, 0, false, 0.f);
  knob->SetValue(0.25);
  f.graphics.mLogging = true;
  knob->DrawWidget(f.graphics);
  Arc arc = FirstArc(f.graphics);
  EXPECT_EQ(arc.a1, -67.5f);
  EXPECT_EQ(arc.a2, 0.f);
  f.graphics.mLog.clear();
  knob->SetValue(1.0);
  knob->DrawWidget(f.graphics);
  arc = FirstArc(f.graphics);
  EXPECT_EQ(arc.a1, 0.f);
  EXPECT_EQ(arc.a2, 135.f);
}

TEST(IVKnobControl, AnEditableValuePromptsWhenItsTextIsClickedAndTheDialDrags)
{
  GraphicsFixture f;
  IVKnobControl* knob = AddKnob(f, 0, true);
  const IRECT value = knob->GetValueBounds();
  ASSERT_GT(value.H(), 0.f);
  EXPECT_TRUE(knob->IsHit(value.MW(), value.MH()));

  f.graphics.OnMouseDown({Mouse(value.MW(), value.MH())});
  f.graphics.OnMouseUp({Mouse(value.MW(), value.MH())});
  ASSERT_EQ(f.graphics.mTextEntries.size(), 1u);
  EXPECT_EQ(f.graphics.mTextEntries[0].bounds, value) << "the entry opens over the value text";
  EXPECT_EQ(f.graphics.mTextEntries[0].paramIdx, 0);
  EXPECT_FALSE(knob->GetMouseDown());
  f.graphics.ClearInTextEntryControl();

  const IRECT& dial = knob->GetWidgetBounds();
  const double before = knob->GetValue();
  f.graphics.OnMouseDown({Mouse(dial.MW(), dial.MH())});
  EXPECT_TRUE(knob->GetMouseDown());
  f.graphics.OnMouseDrag({Mouse(dial.MW(), dial.MH() - 10.f, true, false, 0.f, -10.f)});
  f.graphics.OnMouseUp({Mouse(dial.MW(), dial.MH() - 10.f)});
  EXPECT_GT(knob->GetValue(), before);
  EXPECT_EQ(f.graphics.mTextEntries.size(), 1u) << "the dial does not prompt";
}

TEST(IVKnobControl, AValueThatIsNotEditableIsNoTargetAndHoveringItShadesNothing)
{
  GraphicsFixture f;
  IVKnobControl* knob = AddKnob(f, 0, false);
  const IRECT value = knob->GetValueBounds();
  EXPECT_FALSE(knob->IsHit(value.MW(), value.MH()));
  knob->OnMouseOver(value.MW(), value.MH(), IMouseMod());
  EXPECT_FALSE(knob->GetValueMouseOver());

  IVKnobControl* editable = AddKnob(f, 0, true);
  editable->OnMouseOver(value.MW(), value.MH(), IMouseMod());
  EXPECT_TRUE(editable->GetValueMouseOver());
  editable->OnMouseOut();
  EXPECT_FALSE(editable->GetValueMouseOver());
}

TEST(IVKnobControl, ValueInTheDialAlwaysDragsEvenWhenEditable)
{
  GraphicsFixture f;
  auto* knob = static_cast<IVKnobControl*>(
    f.graphics.AttachControl(new IVKnobControl(IRECT(0, 0, 100, 140), 0, "", DEFAULT_STYLE, true, true)));
  const IRECT& dial = knob->GetWidgetBounds();
  f.graphics.OnMouseDown({Mouse(dial.MW(), dial.MH())});
  EXPECT_TRUE(knob->GetMouseDown());
  EXPECT_TRUE(f.graphics.mTextEntries.empty());
}

TEST(IVKnobControl, TakesItsLabelAndValueTextFromTheParameter)
{
  GraphicsFixture f;
  IVKnobControl* knob = AddKnob(f, 0);
  EXPECT_STREQ(knob->GetLabelStr(), "Level");
  f.dlg.GetParam(0)->Set(0.25);
  knob->SetValueFromDelegate(0.25);
  WDL_String expected;
  f.dlg.GetParam(0)->GetDisplayWithLabel(expected);
  EXPECT_STREQ(knob->GetValueStr(), expected.Get());

  auto* named = static_cast<IVKnobControl*>(
    f.graphics.AttachControl(new IVKnobControl(IRECT(0, 0, 100, 140), 0, "Drive")));
  EXPECT_STREQ(named->GetLabelStr(), "Drive") << "a given label wins over the parameter's name";
}

TEST(IVKnobControl, DragsMeasureTheLargestSquareOfTheDial)
{
  GraphicsFixture f;
  IVKnobControl* knob = AddKnob(f, -1);
  const IRECT drag = knob->GetKnobDragBounds();
  const IRECT& dial = knob->GetWidgetBounds();
  EXPECT_EQ(drag.W(), drag.H());
  EXPECT_EQ(drag.W(), std::min(dial.W(), dial.H()));
  EXPECT_EQ(drag.MW(), dial.MW());
  f.graphics.OnMouseDown({Mouse(dial.MW(), dial.MH())});
  f.graphics.OnMouseDrag({Mouse(dial.MW(), dial.MH() - 1.f, true, false, 0.f, -1.f)});
  EXPECT_NEAR(knob->GetValue(), 1.0 / (4.0 * drag.H()), 1e-9);
}

TEST(IVKnobControl, WithAnActionFunctionTheActionRunsOnEachChange)
{
  GraphicsFixture f;
  int calls = 0;
  auto* knob = static_cast<IVKnobControl*>(f.graphics.AttachControl(
    new IVKnobControl(IRECT(0, 0, 100, 140), [&calls](IControl*) { ++calls; }, "Mix")));
  const IRECT& dial = knob->GetWidgetBounds();
  f.graphics.OnMouseDown({Mouse(dial.MW(), dial.MH())});
  f.graphics.OnMouseDrag({Mouse(dial.MW(), dial.MH() - 5.f, true, false, 0.f, -5.f)});
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(f.dlg.mHost.empty()) << "an unlinked knob tells the host nothing";
}
