// Control ports: every run takes the host's values into the parameters (clamped to their ranges), the meter
// port shows the ducking, and the mono plug-in processes its one channel like the stereo plug-in's first.

#include <gtest/gtest.h>

#include <vector>

#include "LV2TestHost.h"
#include "host/HostProgram.h"

namespace
{
  // Period 0 and Duration 0: a 48000-frame dip starting at frame 480000.
  constexpr size_t kDipStart = 480000;
  constexpr size_t kDipLength = 48000;

  std::vector<float> Render(LV2TestWorld& world, const std::string& uri, const std::vector<float>& input,
                            float period, float duration, float depth)
  {
    LV2TestInstance instance(world, uri);
    EXPECT_TRUE(instance.Valid());
    if (!instance.Valid())
      return {};
    instance.Control("period") = period;
    instance.Control("duration") = duration;
    instance.Control("depth") = depth;
    return instance.Process(input, 64);
  }
}

TEST(LV2ControlPorts, ValuesOutsideTheRangeActAsTheNearestBound)
{
  LV2TestWorld world;
  const std::vector<float> input = MakeSignal(2, 48000, 11.5).samples;
  EXPECT_EQ(Render(world, StereoURI(), input, -3.f, -1.f, 7.f), Render(world, StereoURI(), input, 0.f, 0.f, 1.f));
}

TEST(LV2ControlPorts, DuckBypassedPassesTheInputThrough)
{
  LV2TestWorld world;
  LV2TestInstance instance(world, StereoURI());
  ASSERT_TRUE(instance.Valid());
  instance.Control("duck") = 0.f;
  instance.Control("period") = 0.f;
  const std::vector<float> input = MakeSignal(2, 48000, 11.5).samples;
  EXPECT_EQ(instance.Process(input, 256), input);
  EXPECT_EQ(instance.Control("meter"), 0.f);
}

TEST(LV2ControlPorts, MeterPortRisesToOneAtTheMiddleOfADipAndFallsBack)
{
  LV2TestWorld world;
  LV2TestInstance instance(world, StereoURI());
  ASSERT_TRUE(instance.Valid());
  instance.Control("period") = 0.f;
  instance.Control("duration") = 0.f;
  const std::vector<float> silence((kDipStart + kDipLength / 2) * 2, 0.f);
  instance.Process(silence, 64);
  EXPECT_NEAR(instance.Control("meter"), 1.f, 1e-3f);
  instance.Process(std::vector<float>(kDipLength * 2, 0.f), 64);
  EXPECT_NEAR(instance.Control("meter"), 0.f, 1e-3f);
}

TEST(LV2ControlPorts, MonoPluginProcessesItsChannelLikeTheStereoPluginsFirst)
{
  LV2TestWorld world;
  const std::vector<float> stereo = MakeSignal(2, 48000, 11.5).samples;
  std::vector<float> mono(stereo.size() / 2);
  for (size_t i = 0; i < mono.size(); ++i)
    mono[i] = stereo[i * 2];
  const std::vector<float> stereoOut = Render(world, StereoURI(), stereo, 0.f, 0.f, 1.f);
  const std::vector<float> monoOut = Render(world, MonoURI(), mono, 0.f, 0.f, 1.f);
  ASSERT_EQ(monoOut.size(), mono.size());
  ASSERT_EQ(stereoOut.size(), stereo.size());
  size_t firstDifference = mono.size();
  for (size_t i = 0; i < mono.size() && firstDifference == mono.size(); ++i)
    if (monoOut[i] != stereoOut[i * 2])
      firstDifference = i;
  EXPECT_EQ(firstDifference, mono.size());
  EXPECT_NE(monoOut, mono);
}
