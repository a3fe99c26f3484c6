#include "IParam.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using iplug::IParam;

TEST(IParamDeclaration, MaxBelowMinPlusStepIsRaisedToOneStep)
{
  IParam p;
  p.InitDouble("x", 0.0, 10.0, 5.0, 2.0);
  EXPECT_EQ(p.GetMax(), 12.0);
  EXPECT_EQ(p.Value(), 10.0);
  EXPECT_EQ(p.Type(), IParam::kTypeDouble);
}

TEST(IParamDeclaration, DisplayPrecisionFollowsTheStep)
{
  const std::pair<double, int> cases[] = {
    {1.0, 0}, {5.0, 0}, {0.3, 1}, {0.01, 2}, {0.001, 3}, {0.00001, 5}, {1.0 / 3.0, 6}, {0.0000001, 6},
    {0.07, 2}, // 0.07 * 100 is 7.000000000000001 in binary; must still count as whole
  };
  for (const auto& [step, precision] : cases)
  {
    IParam p;
    p.InitDouble("x", 0.0, 0.0, 10.0, step);
    EXPECT_EQ(p.GetDisplayPrecision(), precision) << "step " << step;
  }
}

TEST(IParamDeclaration, TypedHelpersSetLabelUnitShapeAndStep)
{
  IParam f, s, ms, g, pc, deg, i;
  f.InitFrequency("f", 440.0, 20.0, 20000.0, 1.0);
  s.InitSeconds("s", 1.0, 0.0, 10.0, 0.1);
  ms.InitMilliseconds("ms", 10.0, 0.0, 100.0);
  g.InitGain("g", 0.0, -70.0, 12.0, 0.5);
  pc.InitPercentage("pc");
  deg.InitAngleDegrees("deg");
  i.InitInt("i", 3, 1, 8, "voices");

  EXPECT_STREQ(f.GetLabel(), "Hz");
  EXPECT_EQ(f.Unit(), IParam::kUnitFrequency);
  EXPECT_EQ(f.GetDisplayType(), IParam::kDisplayLog);
  EXPECT_STREQ(s.GetLabel(), "Seconds");
  EXPECT_EQ(s.Unit(), IParam::kUnitSeconds);
  EXPECT_STREQ(ms.GetLabel(), "ms");
  EXPECT_EQ(ms.Unit(), IParam::kUnitMilliseconds);
  EXPECT_EQ(ms.GetStep(), 1.0);
  EXPECT_STREQ(g.GetLabel(), "dB");
  EXPECT_EQ(g.Unit(), IParam::kUnitDB);
  EXPECT_STREQ(pc.GetLabel(), "%");
  EXPECT_EQ(pc.Unit(), IParam::kUnitPercentage);
  EXPECT_STREQ(deg.GetLabel(), "degrees");
  EXPECT_EQ(deg.Unit(), IParam::kUnitDegrees);
  EXPECT_EQ(i.Type(), IParam::kTypeInt);
  EXPECT_TRUE(i.GetStepped());
  EXPECT_EQ(i.Int(), 3);
}

TEST(IParamDeclaration, BoolHasSteppedRangeAndOffOnTexts)
{
  IParam p;
  p.InitBool("Duck", true, "", IParam::kFlagMeta, "", "Off", "On");
  EXPECT_EQ(p.Type(), IParam::kTypeBool);
  EXPECT_EQ(p.GetFlags(), IParam::kFlagMeta | IParam::kFlagStepped);
  EXPECT_TRUE(p.Bool());
  ASSERT_EQ(p.NDisplayTexts(), 2);
  EXPECT_STREQ(p.GetDisplayText(0.0), "Off");
  EXPECT_STREQ(p.GetDisplayText(1.0), "On");
}

TEST(IParamDeclaration, VariadicAndListEnumsNumberTheirTextsFromZero)
{
  IParam variadic, list, textless;
  variadic.InitEnum("Mode", 1, 3, "", 0, "", "Sine", "Saw", "Square");
  list.InitEnum("Mode", 2, {"A", "B", "C", "D"});
  textless.InitEnum("Count", 0, 5);

  EXPECT_EQ(variadic.GetMax(), 2.0);
  ASSERT_EQ(variadic.NDisplayTexts(), 3);
  double value = -1.0;
  EXPECT_STREQ(variadic.GetDisplayTextAtIdx(2, &value), "Square");
  EXPECT_EQ(value, 2.0);
  EXPECT_EQ(list.Type(), IParam::kTypeEnum);
  EXPECT_EQ(list.GetMax(), 3.0);
  EXPECT_EQ(list.Value(), 2.0);
  EXPECT_STREQ(list.GetDisplayText(3.0), "D");
  EXPECT_EQ(textless.NDisplayTexts(), 0);
  EXPECT_EQ(variadic.GetDisplayTextAtIdx(3), nullptr);
  EXPECT_EQ(variadic.GetDisplayTextAtIdx(-1), nullptr);
}

TEST(IParamDeclaration, PitchNamesMiddleCAccordingToConvention)
{
  IParam c4, c3;
  c4.InitPitch("Note", 60, 0, 127, 0, "", true);
  c3.InitPitch("Note", 60, 0, 127);
  EXPECT_EQ(c4.Type(), IParam::kTypeEnum);
  EXPECT_EQ(c4.NDisplayTexts(), 128);
  EXPECT_STREQ(c4.GetDisplayText(60.0), "C 4");
  EXPECT_STREQ(c4.GetDisplayText(61.0), "C#4");
  EXPECT_STREQ(c3.GetDisplayText(60.0), "C 3");
  EXPECT_STREQ(c3.GetDisplayText(0.0), "C -2");
}

TEST(IParamDeclaration, PitchBelowNoteZeroUsesFloorDivision)
{
  IParam p;
  p.InitPitch("Note", 0, -13, 0, 0, "", true);
  EXPECT_EQ(p.GetMax(), 13.0);
  EXPECT_STREQ(p.GetDisplayText(0.0), "B -3");  // note -13
  EXPECT_STREQ(p.GetDisplayText(12.0), "B -2"); // note -1
  EXPECT_STREQ(p.GetDisplayText(13.0), "C -1"); // note 0
}

TEST(IParamDeclaration, InitCopiesEverythingWithRenameAndRegroup)
{
  IParam src;
  src.InitDouble("Left Gain", -6.0, -70.0, 12.0, 0.5, "dB", IParam::kFlagMeta, "Left", IParam::ShapePowCurve(2.0),
                 IParam::kUnitDB, [](double v, WDL_String& s) { s.SetFormatted(32, "<%g>", v); });
  src.SetDisplayText(-70.0, "-inf");

  IParam dst;
  dst.Init(src, "Left", "Right", "Right side");
  EXPECT_STREQ(dst.GetName(), "Right Gain");
  EXPECT_STREQ(dst.GetGroup(), "Right side");
  EXPECT_STREQ(dst.GetLabel(), "dB");
  EXPECT_EQ(dst.GetFlags(), IParam::kFlagMeta);
  EXPECT_EQ(dst.Unit(), IParam::kUnitDB);
  EXPECT_EQ(dst.GetDisplayType(), IParam::kDisplaySquareRoot);
  EXPECT_EQ(dst.Value(), -6.0);
  EXPECT_EQ(dst.NDisplayTexts(), 1);
  WDL_String text;
  dst.GetDisplay(text);
  EXPECT_STREQ(text.Get(), "<-6>");

  IParam unchanged;
  unchanged.Init(src, "Mid");
  EXPECT_STREQ(unchanged.GetName(), "Left Gain");
  EXPECT_STREQ(unchanged.GetGroup(), "Left");
  EXPECT_EQ(unchanged.Type(), IParam::kTypeDouble);
}

TEST(IParamDeclaration, InitFromItselfKeepsItsTexts)
{
  IParam p;
  p.InitEnum("Wave", 0, {"Sine", "Saw"});
  p.Init(p, "Wave", "Shape");
  EXPECT_STREQ(p.GetName(), "Shape");
  ASSERT_EQ(p.NDisplayTexts(), 2);
  EXPECT_STREQ(p.GetDisplayText(1.0), "Saw");
}

TEST(IParamDeclaration, RedeclaringKeepsTheTypeAndReplacesTheTexts)
{
  IParam p;
  p.InitEnum("Mode", 0, {"A", "B", "C"});
  p.InitBool("Mode", false, "", 0, "", "Off", "On");
  EXPECT_EQ(p.Type(), IParam::kTypeEnum);
  ASSERT_EQ(p.NDisplayTexts(), 2);
  EXPECT_STREQ(p.GetDisplayText(0.0), "Off");
}

TEST(IParamDeclaration, LongTextsAreCutTo31BytesOnACharacterBoundary)
{
  const std::string a29(29, 'a'), a30(30, 'a');
  IParam p;
  p.InitDouble((a30 + "bcdefgh").c_str(), 0.0, 0.0, 1.0, 0.1, (a30 + "\xC3\xA9").c_str(), 0,
               (a29 + "\xE2\x82\xAC").c_str());
  p.SetDisplayText(1.0, (a29 + "\xC3\xA9").c_str());
  EXPECT_EQ(std::string(p.GetName()), a30 + "b");
  EXPECT_EQ(std::string(p.GetLabel()), a30) << "a two-byte character must not be split";
  EXPECT_EQ(std::string(p.GetGroup()), a29) << "a three-byte character must not be split";
  EXPECT_EQ(std::string(p.GetDisplayTextAtIdx(0)), a29 + "\xC3\xA9") << "exactly 31 bytes fit";
}
