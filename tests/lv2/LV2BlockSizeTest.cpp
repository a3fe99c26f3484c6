// The engine's period test runs once per block and everything else is independent of the block size, so a
// host that runs one frame at a time (lv2apply) and one that runs 512 frames start the first dip on the same
// frame, 960000 at 48 kHz with the defaults, and render the same samples.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "LV2TestHost.h"
#include "host/HostProgram.h"

namespace
{
  constexpr size_t kDipStart = 960000;
  constexpr size_t kDipLength = 96000;

  std::vector<float> Render(LV2TestWorld& world, const std::vector<float>& input, int blockSize)
  {
    LV2TestInstance instance(world, StereoURI());
    EXPECT_TRUE(instance.Valid());
    if (!instance.Valid())
      return {};
    return instance.Process(input, blockSize);
  }
}

TEST(LV2BlockSize, OneFrameRunsStartTheFirstDipAtFrame960000AlongTheRaisedCosine)
{
  LV2TestWorld world;
  const std::vector<float> input = MakeSignal(2, 48000, 22.5).samples;
  const std::vector<float> output = Render(world, input, 1);
  ASSERT_EQ(output.size(), input.size());

  size_t firstChanged = output.size();
  for (size_t i = 0; i < kDipStart * 2 && firstChanged == output.size(); ++i)
    if (output[i] != input[i])
      firstChanged = i;
  EXPECT_EQ(firstChanged, output.size()) << "frame " << firstChanged / 2 << " changed before the dip";

  // Depth 1 gives an envelope depth of 0.5: gain = 0.5 cos(2 pi position / length) + 0.5, position counting down.
  size_t firstWrong = kDipLength;
  for (size_t k = 0; k < kDipLength && firstWrong == kDipLength; ++k)
  {
    const double phase = static_cast<double>(kDipLength - k) * 6.283185307179586 / static_cast<double>(kDipLength);
    const float gain = 0.5f * static_cast<float>(std::cos(phase)) + 0.5f;
    for (size_t c = 0; c < 2; ++c)
      if (output[(kDipStart + k) * 2 + c] != gain * input[(kDipStart + k) * 2 + c])
        firstWrong = k;
  }
  EXPECT_EQ(firstWrong, kDipLength) << "dip frame " << firstWrong << " is off the curve";
}

TEST(LV2BlockSize, OneFrameRunsAndBlocksOf512RenderTheSameSamples)
{
  LV2TestWorld world;
  const std::vector<float> input = MakeSignal(2, 48000, 22.5).samples;
  const std::vector<float> single = Render(world, input, 1);
  const std::vector<float> blocks = Render(world, input, 512);
  ASSERT_EQ(single.size(), blocks.size());
  size_t firstDifference = single.size();
  for (size_t i = 0; i < single.size() && firstDifference == single.size(); ++i)
    if (single[i] != blocks[i])
      firstDifference = i;
  EXPECT_EQ(firstDifference, single.size()) << "first different frame " << firstDifference / 2;
}

TEST(LV2BlockSize, RunsLongerThanTheHostsMaximumAreProcessedWhole)
{
  LV2TestWorld world;
  LV2InstanceOptions options;
  options.maxBlockLength = 64;
  LV2TestInstance instance(world, StereoURI(), options);
  ASSERT_TRUE(instance.Valid());
  const std::vector<float> input = MakeSignal(2, 48000, 0.1).samples;
  const std::vector<float> output = instance.Process(input, 4096);
  EXPECT_EQ(output, input);
}
