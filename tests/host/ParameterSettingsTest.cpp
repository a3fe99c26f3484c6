// Parsing NAME=VALUE values against a parameter's range and display texts.

#include <gtest/gtest.h>

#include "ParameterSettings.h"

namespace
{
  ParameterDescription Switch()
  {
    ParameterDescription parameter;
    parameter.name = "Duck";
    parameter.unit = kAudioUnitParameterUnit_Indexed;
    parameter.minValue = 0.f;
    parameter.maxValue = 1.f;
    parameter.valueTexts = {"Bypassed", "Ducking"};
    return parameter;
  }

  ParameterDescription Knob()
  {
    ParameterDescription parameter;
    parameter.name = "Depth";
    parameter.minValue = 0.f;
    parameter.maxValue = 1.f;
    return parameter;
  }
}

TEST(ParameterSettingsValue, DisplayTextIgnoresCaseAndSurroundingSpace)
{
  AudioUnitParameterValue value = -1.f;
  std::string error;
  ASSERT_TRUE(ParameterSettings::ParseValue(Switch(), " bypassed ", value, error)) << error;
  EXPECT_EQ(value, 0.f);
  ASSERT_TRUE(ParameterSettings::ParseValue(Switch(), "DUCKING", value, error)) << error;
  EXPECT_EQ(value, 1.f);
}

TEST(ParameterSettingsValue, NumberInTheParameterUnitsIsTakenAsIs)
{
  AudioUnitParameterValue value = -1.f;
  std::string error;
  ASSERT_TRUE(ParameterSettings::ParseValue(Knob(), "0.8", value, error)) << error;
  EXPECT_FLOAT_EQ(value, 0.8f);
  ASSERT_TRUE(ParameterSettings::ParseValue(Knob(), "1", value, error)) << error;
  EXPECT_EQ(value, 1.f);
}

TEST(ParameterSettingsValue, NumbersTooSmallForADoubleAreStillNumbers)
{
  AudioUnitParameterValue value = -1.f;
  std::string error;
  ASSERT_TRUE(ParameterSettings::ParseValue(Knob(), "1e-320", value, error)) << error;
  EXPECT_EQ(value, 0.f);
  EXPECT_FALSE(ParameterSettings::ParseValue(Knob(), "1e400", value, error)) << "too large is not a number";
}

TEST(ParameterSettingsValue, NumbersOutsideTheRangeAreRefusedNotClamped)
{
  AudioUnitParameterValue value = 0.5f;
  std::string error;
  EXPECT_FALSE(ParameterSettings::ParseValue(Knob(), "1.0001", value, error));
  EXPECT_EQ(error, "Depth=1.0001: out of range (0 to 1)");
  EXPECT_FALSE(ParameterSettings::ParseValue(Knob(), "-0.1", value, error));
  EXPECT_EQ(value, 0.5f);
}

TEST(ParameterSettingsValue, SteppedParametersTakeWholeNumbersOnly)
{
  AudioUnitParameterValue value = -1.f;
  std::string error;
  EXPECT_FALSE(ParameterSettings::ParseValue(Switch(), "0.5", value, error));
  EXPECT_EQ(error, "Duck=0.5: must be a whole number");
  ASSERT_TRUE(ParameterSettings::ParseValue(Switch(), "0", value, error)) << error;
  EXPECT_EQ(value, 0.f);
}

TEST(ParameterSettingsValue, TextThatIsNeitherNumberNorDisplayTextIsRefused)
{
  AudioUnitParameterValue value = -1.f;
  std::string error;
  EXPECT_FALSE(ParameterSettings::ParseValue(Switch(), "maybe", value, error));
  EXPECT_EQ(error, "Duck=maybe: not a number nor one of Bypassed, Ducking");
  for (const char* text : {"", "0.5x", "nan", "inf", "1e999"})
  {
    EXPECT_FALSE(ParameterSettings::ParseValue(Knob(), text, value, error)) << text;
    EXPECT_NE(error.find("not a number"), std::string::npos) << text << ": " << error;
  }
}
