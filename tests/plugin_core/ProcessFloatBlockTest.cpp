// ProcessFloatBlock, the float block path for hosts that hand every channel at once: the same result as
// attaching the buffers and processing, channels matched to the host's buffers in connection order,
// missing buffers read as silence or are left alone, and nothing of the block outlives it.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "TestProcessor.h"

namespace iplug
{
namespace
{
using test::TestProcessor;

constexpr int kBlock = 37; // not a multiple of any vector width

std::vector<float> Noise(int n, unsigned seed)
{
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> v(static_cast<size_t>(n));
  for (float& f : v)
    f = value(rng);
  return v;
}

bool AllZero(const sample* buffer, int n)
{
  return std::all_of(buffer, buffer + n, [](sample s) { return s == 0.0; });
}

// A stereo processor at block size kBlock with both channels of both routes connected.
struct StereoFloatHost : ::testing::Test
{
  TestProcessor p{"1-1 2-2"};

  void SetUp() override
  {
    p.SetBlockSize(kBlock);
    p.SetChannelConnections(kInput, 0, 2, true);
    p.SetChannelConnections(kOutput, 0, 2, true);
  }
};
} // namespace

TEST_F(StereoFloatHost, GivesTheSameOutputAsAttachingAndProcessing)
{
  std::vector<float> left = Noise(kBlock, 1), right = Noise(kBlock, 2);
  std::vector<float> attachedLeft(kBlock), attachedRight(kBlock), blockLeft(kBlock), blockRight(kBlock);
  float* ins[] = {left.data(), right.data()};
  float* attachedOuts[] = {attachedLeft.data(), attachedRight.data()};
  float* blockOuts[] = {blockLeft.data(), blockRight.data()};

  p.AttachBuffers(kInput, 0, 2, ins, kBlock);
  p.AttachBuffers(kOutput, 0, 2, attachedOuts, kBlock);
  p.ProcessBuffers(0.0f, kBlock);
  p.ProcessFloatBlock(ins, 2, blockOuts, 2, kBlock);

  EXPECT_EQ(p.blocks, 2);
  EXPECT_EQ(p.lastFrames, kBlock);
  EXPECT_EQ(blockLeft, attachedLeft);
  EXPECT_EQ(blockRight, attachedRight);
  EXPECT_NE(blockLeft, std::vector<float>(kBlock, 0.0f));
}

TEST_F(StereoFloatHost, ProcessesInPlaceWhenInputAndOutputShareABuffer)
{
  const std::vector<float> original = Noise(kBlock, 3);
  std::vector<float> left = original, right = original;
  float* buffers[] = {left.data(), right.data()};

  p.ProcessFloatBlock(buffers, 2, buffers, 2, kBlock);

  for (int i = 0; i < kBlock; ++i)
  {
    ASSERT_EQ(left[static_cast<size_t>(i)], 2.0f * original[static_cast<size_t>(i)]) << "frame " << i;
    ASSERT_EQ(right[static_cast<size_t>(i)], 2.0f * original[static_cast<size_t>(i)]) << "frame " << i;
  }
}

TEST_F(StereoFloatHost, MissingAndNullBuffersReadSilenceAndAreNotWritten)
{
  std::vector<float> left = Noise(kBlock, 4), out(kBlock, 9.0f);
  const float* ins[] = {left.data()};
  float* outs[] = {nullptr, out.data()};

  p.ProcessFloatBlock(ins, 1, outs, 2, kBlock);

  EXPECT_TRUE(AllZero(p.seenInputs[1], kBlock)) << "the second input has no buffer";
  EXPECT_EQ(out, std::vector<float>(kBlock, 0.0f)) << "twice the silent second input";
  p.ProcessFloatBlock(nullptr, 0, nullptr, 0, kBlock);
  EXPECT_TRUE(AllZero(p.seenInputs[0], kBlock));
}

TEST_F(StereoFloatHost, LongerBlocksAreCutToTheBlockSize)
{
  const int hostFrames = 3 * kBlock;
  std::vector<float> in(hostFrames, 0.5f), out(hostFrames, -1.0f);
  const float* ins[] = {in.data(), in.data()};
  float* outs[] = {out.data(), out.data()};

  p.ProcessFloatBlock(ins, 2, outs, 2, hostFrames);

  EXPECT_EQ(p.lastFrames, kBlock);
  EXPECT_EQ(out[kBlock - 1], 1.0f);
  EXPECT_EQ(out[kBlock], -1.0f) << "frames beyond the block size are left to the host";
}

TEST_F(StereoFloatHost, NeverReachesBuffersAttachedForAnEarlierBlock)
{
  // A host that attached double buffers without processing them must not see the next float block
  // write into them.
  std::vector<sample> staleIn(kBlock, 0.25), staleOut(kBlock, 0.75);
  sample* staleIns[] = {staleIn.data(), staleIn.data()};
  sample* staleOuts[] = {staleOut.data(), staleOut.data()};
  p.AttachBuffers(kInput, 0, 2, staleIns, kBlock);
  p.AttachBuffers(kOutput, 0, 2, staleOuts, kBlock);

  std::vector<float> in = Noise(kBlock, 5), out(kBlock);
  const float* ins[] = {in.data(), in.data()};
  float* outs[] = {out.data(), out.data()};
  p.ProcessFloatBlock(ins, 2, outs, 2, kBlock);

  EXPECT_EQ(staleIn, std::vector<sample>(kBlock, 0.25));
  EXPECT_EQ(staleOut, std::vector<sample>(kBlock, 0.75));
  EXPECT_EQ(out[0], 2.0f * in[0]);
}

TEST(ProcessFloatBlock, BuffersGoToTheConnectedChannelsInOrder)
{
  TestProcessor p("2-2");
  p.SetBlockSize(kBlock);
  p.SetChannelConnections(kInput, 1, 1, true);
  p.SetChannelConnections(kOutput, 1, 1, true);
  std::vector<float> in(kBlock, 0.5f), out(kBlock, 0.0f);
  const float* ins[] = {in.data()};
  float* outs[] = {out.data()};

  p.ProcessFloatBlock(ins, 1, outs, 1, kBlock);

  EXPECT_TRUE(AllZero(p.seenInputs[0], kBlock)) << "the unconnected first channel takes no buffer";
  EXPECT_EQ(p.seenInputs[1][0], 0.5);
  EXPECT_EQ(out, std::vector<float>(kBlock, 1.0f));
}

TEST_F(StereoFloatHost, TellsTheProductItsInputsAreFloatsOnlyWhileItProcessesThem)
{
  std::vector<float> left = Noise(kBlock, 1), right = Noise(kBlock, 2);
  std::vector<float> outLeft(kBlock), outRight(kBlock);
  float* ins[] = {left.data(), right.data()};
  float* outs[] = {outLeft.data(), outRight.data()};
  EXPECT_FALSE(p.InputsAreFloats());

  p.ProcessFloatBlock(ins, 2, outs, 2, kBlock);
  EXPECT_TRUE(p.inputsWereFloats);
  EXPECT_FALSE(p.InputsAreFloats()) << "only during the block";

  // The attaching paths may mix double and float buffers; they promise nothing.
  p.AttachBuffers(kInput, 0, 2, ins, kBlock);
  p.AttachBuffers(kOutput, 0, 2, outs, kBlock);
  p.ProcessBuffers(0.0f, kBlock);
  EXPECT_FALSE(p.inputsWereFloats);
}
} // namespace iplug
