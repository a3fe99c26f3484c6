#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "IVButtonControl.h"
#include "IVKnobControl.h"
#include "IVectorBase.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // A bare vector control that lays itself out with MakeRects and draws one pressable shape.
  class TestVector : public IControl, public IVectorBase
  {
  public:
    TestVector(const IRECT& r, const char* label, const char* value, const IVStyle& style, bool hasHandle = false)
      : IControl(r)
      , IVectorBase(style)
      , mHasHandle(hasHandle)
    {
      AttachIControl(this, label);
      mValueStr.Set(value);
    }
    void OnResize() override { SetTargetRECT(MakeRects(mBounds, mHasHandle)); }
    void Draw(IGraphics& g) override { DrawPressableShape(g, mShape, mWidgetBounds, mPressed, mHovered, IsDisabled()); }
    bool mHasHandle;
    bool mPressed = false;
  };

  TestVector* AddVector(GraphicsFixture& f, const char* label, const char* value, const IVStyle& style = DEFAULT_STYLE,
                        bool hasHandle = false)
  {
    return static_cast<TestVector*>(
      f.graphics.AttachControl(new TestVector(IRECT(0, 0, 100, 100), label, value, style, hasHandle)));
  }

  // The recorded fills and strokes, in order.
  std::vector<std::string> Paints(const RecordingGraphics& g)
  {
    std::vector<std::string> paints;
    for (const std::string& line : g.mLog)
      if (line.rfind("PathFill", 0) == 0 || line.rfind("PathStroke", 0) == 0)
        paints.push_back(line);
    return paints;
  }
}

// The recording back end measures a character as half the font size wide and a line as the font size high.
TEST(IVectorBaseLayout, TheDefaultStylePutsSize22LabelsAboveAndSize17ValuesAtTheBottom)
{
  EXPECT_EQ(DEFAULT_LABEL_TEXT.mSize, 22.f);
  EXPECT_EQ(DEFAULT_LABEL_TEXT.mVAlign, kVAlignTop);
  EXPECT_EQ(DEFAULT_VALUE_TEXT.mSize, 17.f);
  EXPECT_EQ(DEFAULT_VALUE_TEXT.mVAlign, kVAlignBottom);
  EXPECT_STREQ(DEFAULT_LABEL_TEXT.mFont, "Poppins-Medium");

  GraphicsFixture f;
  TestVector* v = AddVector(f, "Gain", "0.50 dB");
  EXPECT_EQ(v->GetLabelBounds(), IRECT(28, 0, 72, 22)) << "44 wide (4 x 11), 22 high, centred at the top";
  const float halfValue = 7 * 8.5f * 0.66f;
  EXPECT_EQ(v->GetValueBounds(), IRECT(50 - halfValue, 83, 50 + halfValue, 100)) << "17 high at the bottom";
  EXPECT_EQ(v->GetWidgetBounds(), IRECT(0, 22, 100, 83)) << "the widget takes what is left between them";
  EXPECT_EQ(v->GetTargetRECT(), v->GetWidgetBounds());
}

TEST(IVectorBaseLayout, AHandleInsetsTheWidgetByHalfTheFrameAndTheShadowOffset)
{
  GraphicsFixture f;
  TestVector* v = AddVector(f, "", "", DEFAULT_STYLE.WithFrameThickness(2.f).WithShadowOffset(4.f), true);
  EXPECT_EQ(v->GetWidgetBounds(), IRECT(5, 5, 95, 95));
  v->SetStyle(DEFAULT_STYLE.WithDrawShadows(false).WithDrawFrame(false));
  EXPECT_EQ(v->GetWidgetBounds(), IRECT(0, 0, 100, 100)) << "a new style lays the control out again";
}

TEST(IVectorBaseLayout, AMiddleValueOverlaysTheWholeFreeAreaScaledByTheWidgetFraction)
{
  GraphicsFixture f;
  const IVStyle style = DEFAULT_STYLE.WithShowLabel(false).WithWidgetFrac(0.5f).WithValueText(
    DEFAULT_VALUE_TEXT.WithVAlign(kVAlignMiddle));
  TestVector* v = AddVector(f, "Ignored", "ab", style);
  EXPECT_EQ(v->GetLabelBounds(), IRECT());
  EXPECT_EQ(v->GetWidgetBounds(), IRECT(25, 25, 75, 75));
  EXPECT_NEAR(v->GetValueBounds().MH(), 50.f, 1e-4f);
  EXPECT_NEAR(v->GetValueBounds().H(), 17.f, 1e-4f);
}

TEST(IVectorBaseLayout, AValueInTheWidgetOrHiddenSharesTheFreeAreaWithTheWidget)
{
  GraphicsFixture f;
  TestVector* v = AddVector(f, "Gain", "1", DEFAULT_STYLE.WithShowValue(false));
  EXPECT_EQ(v->GetWidgetBounds(), IRECT(0, 22, 100, 100));
  EXPECT_EQ(v->GetValueBounds(), v->GetWidgetBounds());
  v->SetStyle(DEFAULT_STYLE);
  v->SetValueInWidget(true);
  EXPECT_EQ(v->GetValueBounds(), IRECT(0, 22, 100, 100));
}

TEST(IVectorBaseLayout, AnEmptyValueOrLabelTakesNoRoom)
{
  GraphicsFixture f;
  TestVector* v = AddVector(f, "", "");
  EXPECT_EQ(v->GetLabelBounds(), IRECT());
  EXPECT_EQ(v->GetWidgetBounds(), IRECT(0, 0, 100, 100));
  EXPECT_EQ(v->GetValueBounds().H(), 0.f);
}

TEST(IVectorBaseLayout, ALabelInTheWidgetIsLaidOutOverIt)
{
  GraphicsFixture f;
  auto* button = static_cast<IVButtonControl*>(f.graphics.AttachControl(
    new IVButtonControl(IRECT(0, 0, 100, 40), SplashClickActionFunc, "Go", DEFAULT_STYLE, true, true)));
  EXPECT_EQ(button->GetLabelBounds(), button->GetWidgetBounds());
  f.graphics.mLogging = true;
  button->Draw(f.graphics);
  const auto& log = f.graphics.mLog;
  const auto text = std::find_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("DoDrawText Go", 0) == 0; });
  ASSERT_NE(text, log.end());
  EXPECT_TRUE(std::none_of(text, log.end(), [](const std::string& l) { return l.rfind("PathFill", 0) == 0; }))
    << "the label comes after the button's fill, so the fill cannot cover it";
}

TEST(IVColorSpec, TwoColoursFillBackgroundAndForegroundAndTheRestKeepTheirDefaults)
{
  const IVColorSpec colors{COLOR_RED, COLOR_BLUE};
  EXPECT_EQ(colors.GetColor(kBG), COLOR_RED);
  EXPECT_EQ(colors.GetColor(kFG), COLOR_BLUE);
  for (int role = kPR; role < kNumVColors; ++role)
    EXPECT_EQ(colors.GetColor(static_cast<EVColor>(role)), DEFAULT_COLOR_SPEC.GetColor(static_cast<EVColor>(role)));
  EXPECT_EQ(DEFAULT_COLOR_SPEC.GetColor(kSH), IColor(60, 0, 0, 0));
  EXPECT_EQ(DEFAULT_COLOR_SPEC.GetColor(kHL), COLOR_TRANSLUCENT);
  EXPECT_EQ(DEFAULT_COLOR_SPEC.GetColor(kX3), COLOR_BLUE);
}

TEST(IVColorSpec, ColoursPastTheNinthAndRolesOutOfRangeAreIgnored)
{
  IVColorSpec colors{COLOR_RED, COLOR_RED, COLOR_RED, COLOR_RED, COLOR_RED,
                   COLOR_RED, COLOR_RED, COLOR_RED, COLOR_GREEN, COLOR_WHITE};
  EXPECT_EQ(colors.GetColor(kX3), COLOR_GREEN);
  colors.SetColor(static_cast<EVColor>(42), COLOR_WHITE);
  EXPECT_EQ(colors.GetColor(static_cast<EVColor>(-1)), COLOR_RED) << "an unknown role reads as the background";
  colors.ResetColors();
  EXPECT_EQ(colors, DEFAULT_COLOR_SPEC);
}

TEST(IVStyle, BuildersClampWhatHasALimit)
{
  EXPECT_EQ(DEFAULT_STYLE.WithRoundness(3.f).roundness, 1.f);
  EXPECT_EQ(DEFAULT_STYLE.WithWidgetFrac(-1.f).widgetFrac, 0.f);
  EXPECT_EQ(DEFAULT_STYLE.WithFrameThickness(-2.f).frameThickness, 0.f);
  EXPECT_EQ(DEFAULT_STYLE.WithColor(kFR, COLOR_RED).colorSpec.GetColor(kFR), COLOR_RED);
}

TEST(IVectorBasePressable, ARaisedShapeDrawsShadowFillAndFrameAPressedOneNoShadow)
{
  GraphicsFixture f;
  TestVector* v = AddVector(f, "", "");
  f.graphics.mLogging = true;
  v->Draw(f.graphics);
  EXPECT_EQ(Paints(f.graphics), (std::vector<std::string>{"PathFill 0,0,0", "PathFill 200,200,200", "PathStroke 1"}));
  f.graphics.mLog.clear();
  v->mPressed = true;
  v->Draw(f.graphics);
  EXPECT_EQ(Paints(f.graphics), (std::vector<std::string>{"PathFill 240,240,240", "PathStroke 1"}));
}

TEST(IVectorBasePressable, HoverLaysTheHighlightOverTheFillBeforeTheFrame)
{
  GraphicsFixture f;
  TestVector* v = AddVector(f, "", "", DEFAULT_STYLE.WithColor(kHL, IColor(255, 1, 2, 3)));
  v->SetMouseIsOver(true);
  f.graphics.mLogging = true;
  v->Draw(f.graphics);
  EXPECT_EQ(Paints(f.graphics),
            (std::vector<std::string>{"PathFill 0,0,0", "PathFill 200,200,200", "PathFill 1,2,3", "PathStroke 1"}));
}

TEST(IVectorBasePressable, TheFrameIsInsetByHalfItsThickness)
{
  GraphicsFixture f;
  TestVector* v = AddVector(f, "", "", DEFAULT_STYLE.WithFrameThickness(4.f).WithDrawShadows(false));
  f.graphics.mLogging = true;
  v->Draw(f.graphics);
  EXPECT_EQ(f.graphics.mLog[1], "PathMoveTo 2 2");
}

TEST(IVectorBaseSplash, AClickSplashesFromThePressAndEndsAfterItsTime)
{
  GraphicsFixture f;
  auto* button = static_cast<IVButtonControl*>(
    f.graphics.AttachControl(new IVButtonControl(IRECT(0, 0, 100, 40), SplashClickActionFunc, "", DEFAULT_STYLE)));
  f.graphics.OnMouseDown({Mouse(30, 20)});
  EXPECT_EQ(button->GetValue(), 1.0);
  ASSERT_TRUE(button->GetAnimationFunction());
  button->Animate();
  EXPECT_LE(button->GetSplashRadius(), button->GetMaxSplashRadius());
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  button->Animate();
  EXPECT_FALSE(button->GetAnimationFunction());
  EXPECT_EQ(button->GetSplashRadius(), 0.f);
  EXPECT_EQ(button->GetValue(), 0.0) << "the button is released when the splash ends";
}

TEST(IVectorBaseSplash, TheSplashActionIgnoresAControlThatIsNoVectorControl)
{
  GraphicsFixture f;
  RecordingControl* plain = f.Add(IRECT(0, 0, 10, 10));
  SplashClickActionFunc(plain);
  EXPECT_FALSE(plain->GetAnimationFunction());
}

TEST(IGraphicsStyleAllVectorControls, RestylesEveryVectorControlAndNothingElse)
{
  GraphicsFixture f;
  RecordingControl* plain = f.Add(IRECT(0, 0, 10, 10));
  TestVector* v = AddVector(f, "", "");
  auto* knob = static_cast<IVKnobControl*>(f.graphics.AttachControl(new IVKnobControl(IRECT(0, 0, 80, 100), 0)));
  const IVStyle red = DEFAULT_STYLE.WithColor(kFG, COLOR_RED).WithHideCursor(false);
  f.graphics.StyleAllVectorControls(red);
  EXPECT_EQ(knob->GetColor(kFG), COLOR_RED);
  EXPECT_EQ(v->GetColor(kFG), COLOR_RED);
  EXPECT_EQ(plain->GetRECT(), IRECT(0, 0, 10, 10));
  f.graphics.OnMouseDown({Mouse(40, 50)});
  ASSERT_TRUE(knob->GetMouseDown());
  EXPECT_FALSE(f.graphics.PointerHidden()) << "the knob follows the new style's cursor hiding";
}
