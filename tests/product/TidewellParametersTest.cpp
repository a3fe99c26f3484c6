#include <gtest/gtest.h>

#include "Tidewell.h"

using iplug::IParam;

TEST(TidewellParameters, DeclaresFiveParametersInIndexOrder)
{
  Tidewell plug;
  ASSERT_EQ(plug.NParams(), kNumParams);
  const char* names[] = {"Duck", "Period", "Random", "Duration", "Depth"};
  for (int i = 0; i < kNumParams; ++i)
  {
    EXPECT_STREQ(plug.GetParam(i)->GetName(), names[i]);
    EXPECT_STREQ(plug.GetParam(i)->GetGroup(), "");
  }
}

TEST(TidewellParameters, DuckIsATwoEntryEnumDefaultingToDucking)
{
  Tidewell plug;
  IParam* duck = plug.GetParam(kDuck);
  EXPECT_EQ(duck->Type(), IParam::kTypeEnum);
  EXPECT_EQ(duck->Value(), 1.0);
  EXPECT_EQ(duck->NDisplayTexts(), 2);
  WDL_String text;
  duck->GetDisplayWithLabel(text);
  EXPECT_STREQ(text.Get(), "Ducking");
  EXPECT_EQ(duck->StringToValue("Bypassed"), 0.0);
  EXPECT_TRUE(duck->GetCanAutomate());
}

TEST(TidewellParameters, ContinuousParametersShowTheirNameAsLabel)
{
  Tidewell plug;
  const double defaults[] = {0.5, 0.5, 0.5, 1.0};
  for (int i = kPeriod; i <= kDepth; ++i)
  {
    IParam* param = plug.GetParam(i);
    EXPECT_EQ(param->Type(), IParam::kTypeDouble);
    EXPECT_EQ(param->Value(), defaults[i - kPeriod]);
    EXPECT_EQ(param->GetStep(), 0.01);
    EXPECT_EQ(param->GetDisplayPrecision(), 2);
    EXPECT_FALSE(param->GetCanAutomate());
    EXPECT_EQ(param->Unit(), IParam::kUnitCustom);
    EXPECT_STREQ(param->GetLabel(), param->GetName());
  }
  WDL_String text;
  plug.GetParam(kPeriod)->GetDisplayWithLabel(text);
  EXPECT_STREQ(text.Get(), "0.50 Period");
}

TEST(TidewellParameters, ConfigurationIsTheProducts)
{
  const iplug::Config config = Tidewell::MakeConfig();
  EXPECT_EQ(config.paramCount, 5);
  EXPECT_STREQ(config.channelIO, "1-1 2-2");
  EXPECT_EQ(config.vendorVersion, 0x00010102);
  EXPECT_EQ(config.uniqueId, 0x78686D32);
  EXPECT_EQ(config.makerId, 0x4B6C766E);
  EXPECT_EQ(config.editorWidth, 495);
  EXPECT_EQ(config.editorHeight, 220);
  EXPECT_STREQ(config.bundleId, "com.kelvane.audiounit.Tidewell");

  Tidewell plug;
  EXPECT_TRUE(plug.LegalIO(1, 1));
  EXPECT_TRUE(plug.LegalIO(2, 2));
  EXPECT_FALSE(plug.LegalIO(1, 2));
}
