// Hosting the component in-process through the host's own classes: finding it, its parameters and
// channel list, and the renderer's time stamps and input pulls.

#include <gtest/gtest.h>

#include <vector>

#include "ChannelConfigurations.h"
#include "HostComponent.h"
#include "HostProgram.h"
#include "ParameterCatalog.h"
#include "Renderer.h"
#include "StatusText.h"

namespace
{
  std::unique_ptr<HostComponent> OpenTidewell()
  {
    std::string error;
    std::unique_ptr<HostComponent> unit = HostComponent::OpenTidewell(BundlePath(), error);
    EXPECT_TRUE(unit) << error;
    return unit;
  }
}

TEST(HostComponent, CatalogFindsParametersIgnoringCaseAndConvertsTexts)
{
  std::unique_ptr<HostComponent> unit = OpenTidewell();
  ASSERT_TRUE(unit);
  ParameterCatalog catalog;
  std::string error;
  ASSERT_TRUE(catalog.Read(*unit, error)) << error;

  const ParameterDescription* duck = catalog.Find("dUcK");
  ASSERT_NE(duck, nullptr);
  EXPECT_EQ(duck->valueTexts, (std::vector<std::string>{"Bypassed", "Ducking"}));
  EXPECT_TRUE(duck->Stepped());
  EXPECT_EQ(catalog.Find("Speed"), nullptr);
  std::string text;
  ASSERT_TRUE(ParameterCatalog::TextForValue(*unit, duck->id, 0.f, text));
  EXPECT_EQ(text, "Bypassed");
  AudioUnitParameterValue value = -1.f;
  ASSERT_TRUE(ParameterCatalog::ValueForText(*unit, duck->id, "Ducking", value));
  EXPECT_EQ(value, 1.f);
}

TEST(HostComponent, ChannelListAcceptsMonoAndStereoOnly)
{
  std::unique_ptr<HostComponent> unit = OpenTidewell();
  ASSERT_TRUE(unit);
  ChannelConfigurations configs;
  ASSERT_TRUE(configs.Read(*unit));
  EXPECT_EQ(configs.Describe(), "1-1 2-2");
  EXPECT_TRUE(configs.Accepts(1, 1));
  EXPECT_TRUE(configs.Accepts(2, 2));
  EXPECT_FALSE(configs.Accepts(1, 2));
  EXPECT_FALSE(configs.Accepts(4, 4));
}

TEST(Renderer, PullsInputOncePerSliceAndAdvancesTimeOnlyOnSuccess)
{
  std::unique_ptr<HostComponent> unit = OpenTidewell();
  ASSERT_TRUE(unit);
  Renderer renderer(*unit);
  StreamSetup setup;
  setup.maxFrames = 64;
  std::string error;
  ASSERT_TRUE(renderer.Start(setup, error)) << error;
  std::vector<float> input(2 * 65, 0.5f);
  std::vector<float> output(2 * 65, 0.f);

  ASSERT_EQ(renderer.Process(input.data(), output.data(), 64), noErr);
  ASSERT_EQ(renderer.Process(input.data(), output.data(), 10), noErr);
  EXPECT_EQ(renderer.SampleTime(), 74.0);
  EXPECT_EQ(renderer.Pulls(), 2u);
  EXPECT_EQ(std::vector<float>(output.begin(), output.begin() + 20), std::vector<float>(20, 0.5f));

  const OSStatus oversize = renderer.Process(input.data(), output.data(), 65);
  EXPECT_NE(oversize, noErr) << StatusText(oversize);
  EXPECT_EQ(renderer.SampleTime(), 74.0);
  EXPECT_EQ(renderer.Pulls(), 2u);
  EXPECT_EQ(renderer.BadPulls(), 0u);
}

TEST(Renderer, UnitSuppliedOutputBuffersAreCopiedOut)
{
  std::unique_ptr<HostComponent> unit = OpenTidewell();
  ASSERT_TRUE(unit);
  Renderer renderer(*unit);
  StreamSetup setup;
  setup.inChannels = 1;
  setup.outChannels = 1;
  setup.maxFrames = 32;
  std::string error;
  ASSERT_TRUE(renderer.Start(setup, error)) << error;
  renderer.SetUnitSuppliesOutput(true);
  const std::vector<float> input(32, -0.25f);
  std::vector<float> output(32, 0.f);

  ASSERT_EQ(renderer.Process(input.data(), output.data(), 32), noErr);
  EXPECT_EQ(output, input);
}

TEST(StatusText, NamesThePlatformsCodesAndKeepsOthersAsNumbers)
{
  EXPECT_EQ(StatusText(kAudioUnitErr_InvalidPropertyValue), "-10851 (kAudioUnitErr_InvalidPropertyValue)");
  EXPECT_EQ(StatusText(badComponentSelector), "-2147450878 (badComponentSelector)");
  EXPECT_EQ(StatusText(-12345), "-12345");
}
