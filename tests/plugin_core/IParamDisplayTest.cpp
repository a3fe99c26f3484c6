#include "IParam.h"

#include <gtest/gtest.h>

#include <string>

using iplug::IParam;

namespace
{
  std::string Display(const IParam& p, double value, bool normalized = false, bool withDisplayText = true)
  {
    WDL_String text;
    p.GetDisplay(value, normalized, text, withDisplayText);
    return text.Get();
  }

  std::string DisplayWithLabel(const IParam& p)
  {
    WDL_String text;
    p.GetDisplayWithLabel(text);
    return text.Get();
  }
}

TEST(IParamDisplay, NegativeZeroNegateAndSignFlags)
{
  IParam plain, negate, sign;
  plain.InitDouble("x", 0.0, -10.0, 10.0, 0.01);
  negate.InitDouble("x", 0.0, -10.0, 10.0, 0.01, "", IParam::kFlagNegateDisplay);
  sign.InitDouble("x", 0.0, -10.0, 10.0, 0.01, "", IParam::kFlagSignDisplay);
  EXPECT_EQ(Display(plain, -0.0), "0.00");
  EXPECT_EQ(Display(negate, 3.5), "-3.50");
  EXPECT_EQ(Display(negate, 0.0), "0.00");
  EXPECT_EQ(Display(sign, 3.5), "+3.50");
  EXPECT_EQ(Display(sign, -3.5), "-3.50");
  EXPECT_EQ(Display(sign, 0.0), "0.00");
}

TEST(IParamDisplay, PrecisionZeroRoundsSaturatesAndIgnoresTheSignFlag)
{
  IParam p;
  p.InitDouble("x", 0.0, -1e20, 1e20, 1.0, "", IParam::kFlagSignDisplay);
  EXPECT_EQ(Display(p, 2.5), "3");
  EXPECT_EQ(Display(p, -2.5), "-3");
  EXPECT_EQ(Display(p, 1e20), "2147483647");
  EXPECT_EQ(Display(p, -1e20), "-2147483648");
}

TEST(IParamDisplay, NormalisedInputAndDisplayFunctionAndTextOptOut)
{
  IParam linear, custom, texts;
  linear.InitDouble("x", 0.0, 0.0, 100.0, 1.0);
  custom.InitDouble("x", 0.0, 0.0, 100.0, 1.0, "", 0, "", IParam::ShapeLinear(), IParam::kUnitCustom,
                    [](double v, WDL_String& s) { s.SetFormatted(32, "v=%.1f", v); });
  texts.InitEnum("x", 0, {"Low", ""});
  EXPECT_EQ(Display(linear, 0.25, true), "25");
  EXPECT_EQ(Display(custom, 0.5, true), "v=50.0");
  EXPECT_EQ(Display(texts, 0.0), "Low");
  EXPECT_EQ(Display(texts, 0.0, false, false), "0");
  EXPECT_EQ(Display(texts, 1.0), "1") << "an empty display text falls back to the number";
}

TEST(IParamLabel, LabelIsHiddenWhileTheValueHasADisplayText)
{
  IParam gain, mode;
  gain.InitGain("Gain", -3.0);
  mode.InitEnum("Mode", 0, 3, "steps", 0, "", "Slow", "", "Fast");
  EXPECT_EQ(DisplayWithLabel(gain), "-3.0 dB");
  EXPECT_STREQ(mode.GetLabel(), "");
  EXPECT_EQ(DisplayWithLabel(mode), "Slow");
  mode.Set(1.0);
  EXPECT_EQ(DisplayWithLabel(mode), "1 steps");
}

TEST(IParamLabel, LabelLookupTruncatesTheValue)
{
  IParam p;
  p.InitDouble("x", 2.7, 0.0, 10.0, 0.1, "units");
  p.SetDisplayText(2.0, "Two");
  EXPECT_STREQ(p.GetLabel(), "");
  EXPECT_EQ(DisplayWithLabel(p), "2.7");
}

TEST(IParamStringToValue, DisplayTextsThenNumbersThenZero)
{
  IParam onOff, mode, number, negated;
  onOff.InitBool("Duck", false, "", 0, "", "Off", "On");
  mode.InitEnum("Mode", 2, {"A", "B", "C"});
  number.InitDouble("x", 0.0, 5.0, 50.0, 0.5);
  negated.InitDouble("x", 0.0, -10.0, 10.0, 0.5, "", IParam::kFlagNegateDisplay);

  EXPECT_EQ(onOff.StringToValue("On"), 1.0);
  EXPECT_EQ(onOff.StringToValue("Off"), 0.0);
  EXPECT_EQ(onOff.StringToValue("on"), 0.0);
  EXPECT_EQ(onOff.StringToValue("1"), 0.0);
  EXPECT_EQ(mode.StringToValue("C"), 2.0);
  EXPECT_EQ(mode.StringToValue("Z"), 0.0);
  EXPECT_EQ(number.StringToValue("12.5 ms"), 12.5);
  EXPECT_EQ(number.StringToValue("loud"), 5.0) << "no number reads as 0, then clamps to min";
  EXPECT_EQ(number.StringToValue(nullptr), 5.0);
  EXPECT_EQ(negated.StringToValue("3"), -3.0);
}

TEST(IParamDisplayTexts, LookupsAreExactAndFirstMatchWins)
{
  IParam p;
  p.InitDouble("x", 0.0, 0.0, 10.0, 0.5);
  p.SetDisplayText(1.0, "One");
  p.SetDisplayText(1.0, "Uno");
  double value = -1.0;
  EXPECT_STREQ(p.GetDisplayText(1.0), "One");
  EXPECT_STREQ(p.GetDisplayText(1.0000001), "");
  EXPECT_TRUE(p.MapDisplayText("Uno", &value));
  EXPECT_EQ(value, 1.0);
  EXPECT_FALSE(p.MapDisplayText("one", &value));
  EXPECT_FALSE(p.MapDisplayText(nullptr, &value));
}

TEST(IParamJSON, BoolAndDoubleObjectsAreAppendedVerbatim)
{
  IParam duck, depth, none;
  duck.InitBool("Duck", false);
  depth.InitDouble("Depth", 50.0, 0.0, 100.0, 0.1, "%");

  WDL_String json("[");
  duck.GetJSON(json, 0);
  EXPECT_STREQ(json.Get(), "[{\"id\":0, \"name\":\"Duck\", \"type\":\"bool\", \"min\":0.000000, \"max\":1.000000, "
                           "\"default\":0.000000, \"rate\":\"control\"}");
  json.Set("");
  depth.GetJSON(json, 4);
  EXPECT_STREQ(json.Get(), "{\"id\":4, \"name\":\"Depth\", \"type\":\"float\", \"min\":0.000000, "
                           "\"max\":100.000000, \"default\":50.000000, \"rate\":\"control\"}");
  json.Set("");
  none.GetJSON(json, 1);
  EXPECT_STREQ(json.Get(), "{\"id\":1, \"name\":\"\", \"min\":0.000000, \"max\":1.000000, \"default\":0.000000, "
                           "\"rate\":\"control\"}");
}
