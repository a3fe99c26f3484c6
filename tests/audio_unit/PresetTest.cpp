// Factory presets as the host lists them, and recalling one as the current preset.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace au_test;

TEST(FactoryPresets, ListEveryPresetByNumberAndName)
{
  Unit unit(kTestPlug);
  CFArrayRef presets = nullptr;
  ASSERT_EQ(GetProp(unit, kAudioUnitProperty_FactoryPresets, kAudioUnitScope_Global, 0, presets), noErr);
  CFOwned<CFArrayRef> owned(presets);
  ASSERT_EQ(CFArrayGetCount(presets), 2);
  const auto* first = static_cast<const AUPreset*>(CFArrayGetValueAtIndex(presets, 0));
  const auto* second = static_cast<const AUPreset*>(CFArrayGetValueAtIndex(presets, 1));
  EXPECT_EQ(first->presetNumber, 0);
  EXPECT_EQ(Utf8(first->presetName), "First");
  EXPECT_EQ(second->presetNumber, 1);
  EXPECT_EQ(Utf8(second->presetName), "Second");

  CFOwned<CFStringRef> description(CFCopyDescription(presets));
  EXPECT_NE(Utf8(description).find("AUPreset:\npreset number = 1\npreset name = Second"), std::string::npos);
}

TEST(FactoryPresets, TidewellOffersNone)
{
  Unit unit;
  CFArrayRef presets = nullptr;
  ASSERT_EQ(GetProp(unit, kAudioUnitProperty_FactoryPresets, kAudioUnitScope_Global, 0, presets), noErr);
  CFOwned<CFArrayRef> owned(presets);
  EXPECT_EQ(CFArrayGetCount(presets), 0);
}

TEST(CurrentPreset, SettingANumberRecallsThatPreset)
{
  Unit unit(kTestPlug);
  const AUPreset second = {1, nullptr};
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_PresentPreset, kAudioUnitScope_Global, 0, second), noErr);
  EXPECT_EQ(Params(unit, 7), (std::vector<float>{3.f, 2000.f, 0.f, 0.f, 7.f, 0.75f, 50.f}));

  AUPreset current = {};
  ASSERT_EQ(GetProp(unit, kAudioUnitProperty_CurrentPreset, kAudioUnitScope_Global, 0, current), noErr);
  CFOwned<CFStringRef> name(current.presetName);
  EXPECT_EQ(current.presetNumber, 1);
  EXPECT_EQ(Utf8(name), "Second");

  const AUPreset missing = {5, nullptr};
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_CurrentPreset, kAudioUnitScope_Global, 0, missing),
            kAudioUnitErr_InvalidPropertyValue);
}
