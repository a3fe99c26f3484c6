#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TestProcessor.h"

namespace iplug
{
namespace
{
using test::TestProcessor;

constexpr int kBlock = 8;

std::vector<float> Ramp(int n, float start)
{
  std::vector<float> v(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    v[static_cast<std::size_t>(i)] = start + 0.1f * static_cast<float>(i);
  return v;
}

bool AllZero(const sample* buffer, int n)
{
  return std::all_of(buffer, buffer + n, [](sample s) { return s == 0.0; });
}

// A stereo processor at block size kBlock with only the first input and output connected.
struct MonoHostOnStereoPlugin : ::testing::Test
{
  TestProcessor p{"1-1 2-2"};

  void SetUp() override
  {
    p.SetBlockSize(kBlock);
    p.SetChannelConnections(kInput, 0, 1, true);
    p.SetChannelConnections(kOutput, 0, 1, true);
  }
};

TEST_F(MonoHostOnStereoPlugin, UnconnectedChannelsGetSilentScratchBuffers)
{
  std::vector<sample> in(kBlock, 0.5), out(kBlock, 0.0);
  sample* inPtr = in.data();
  sample* outPtr = out.data();
  p.AttachBuffers(kInput, 0, 1, &inPtr, kBlock);
  p.AttachBuffers(kOutput, 0, 1, &outPtr, kBlock);
  p.ProcessBuffers(sample(0), kBlock);

  ASSERT_EQ(p.seenInputs.size(), 2u);
  ASSERT_EQ(p.seenOutputs.size(), 2u);
  EXPECT_EQ(p.seenInputs[0], in.data());
  EXPECT_EQ(p.seenOutputs[0], out.data());
  ASSERT_NE(p.seenInputs[1], nullptr);
  ASSERT_NE(p.seenOutputs[1], nullptr);
  EXPECT_NE(p.seenInputs[1], p.seenOutputs[1]);
  EXPECT_TRUE(AllZero(p.seenInputs[1], kBlock));
  EXPECT_EQ(out[kBlock - 1], 1.0);
}

TEST_F(MonoHostOnStereoPlugin, FloatBuffersAreConvertedInAndOut)
{
  std::vector<float> in = Ramp(kBlock, 0.25f), out(kBlock, -9.0f);
  float* inPtr = in.data();
  float* outPtr = out.data();
  p.AttachBuffers(kInput, 0, 1, &inPtr, kBlock);
  p.AttachBuffers(kOutput, 0, 1, &outPtr, kBlock);
  p.ProcessBuffers(0.0f, kBlock);

  EXPECT_EQ(p.lastFrames, kBlock);
  EXPECT_NE(p.seenInputs[0], nullptr);
  EXPECT_EQ(p.seenInputs[0][3], static_cast<double>(in[3]));
  for (int i = 0; i < kBlock; ++i)
    EXPECT_FLOAT_EQ(out[static_cast<std::size_t>(i)], 2.0f * in[static_cast<std::size_t>(i)]) << "frame " << i;
}

TEST_F(MonoHostOnStereoPlugin, FloatPassThroughCopiesInputExactly)
{
  std::vector<float> in = Ramp(kBlock, 0.1f), out(kBlock, 0.0f);
  float* inPtr = in.data();
  float* outPtr = out.data();
  p.AttachBuffers(kInput, 0, 1, &inPtr, kBlock);
  p.AttachBuffers(kOutput, 0, 1, &outPtr, kBlock);
  p.PassThroughBuffers(0.0f, kBlock);

  EXPECT_EQ(p.blocks, 0) << "bypass must not run the product";
  EXPECT_EQ(out, in);
}

TEST_F(MonoHostOnStereoPlugin, AccumulatingAddsToTheHostBuffer)
{
  std::vector<float> in(kBlock, 0.25f), out(kBlock, 1.0f);
  float* inPtr = in.data();
  float* outPtr = out.data();
  p.AttachBuffers(kInput, 0, 1, &inPtr, kBlock);
  p.AttachBuffers(kOutput, 0, 1, &outPtr, kBlock);
  p.ProcessBuffersAccumulating(kBlock);
  EXPECT_EQ(out, std::vector<float>(kBlock, 1.5f));
}

TEST_F(MonoHostOnStereoPlugin, LongerBlocksAreCutToTheBlockSize)
{
  const int hostFrames = 4 * kBlock;
  std::vector<float> in(hostFrames, 0.5f), out(hostFrames, -1.0f);
  float* inPtr = in.data();
  float* outPtr = out.data();
  p.AttachBuffers(kInput, 0, 1, &inPtr, hostFrames);
  p.AttachBuffers(kOutput, 0, 1, &outPtr, hostFrames);
  p.ProcessBuffers(0.0f, hostFrames);

  EXPECT_EQ(p.lastFrames, kBlock);
  EXPECT_EQ(out[kBlock - 1], 1.0f);
  EXPECT_EQ(out[kBlock], -1.0f) << "frames beyond the block size are left to the host";
}

TEST_F(MonoHostOnStereoPlugin, NullHostPointersReadZerosAndWriteNowhere)
{
  float* nullFloat = nullptr;
  p.AttachBuffers(kInput, 0, 1, &nullFloat, kBlock);
  p.AttachBuffers(kOutput, 0, 1, &nullFloat, kBlock);
  p.ProcessBuffers(0.0f, kBlock);
  ASSERT_NE(p.seenInputs[0], nullptr);
  EXPECT_TRUE(AllZero(p.seenInputs[0], kBlock));

  sample* nullDouble = nullptr;
  p.AttachBuffers(kInput, 0, 1, &nullDouble, kBlock);
  p.AttachBuffers(kOutput, 0, 1, static_cast<sample**>(nullptr), kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  ASSERT_NE(p.seenInputs[0], nullptr);
  ASSERT_NE(p.seenOutputs[0], nullptr);
  EXPECT_TRUE(AllZero(p.seenInputs[0], kBlock));
}

TEST_F(MonoHostOnStereoPlugin, HostBuffersServeOneBlockOnly)
{
  std::vector<float> in(kBlock, 0.5f), out(kBlock, 0.0f);
  float* inPtr = in.data();
  float* outPtr = out.data();
  p.AttachBuffers(kInput, 0, 1, &inPtr, kBlock);
  p.AttachBuffers(kOutput, 0, 1, &outPtr, kBlock);
  p.ProcessBuffers(0.0f, kBlock);
  ASSERT_EQ(out[0], 1.0f);

  std::fill(out.begin(), out.end(), 7.0f);
  p.ProcessBuffers(0.0f, kBlock);
  EXPECT_EQ(out, std::vector<float>(kBlock, 7.0f));
}

TEST_F(MonoHostOnStereoPlugin, DisconnectingSilencesTheChannel)
{
  p.SetChannelConnections(kInput, 1, 1, true);
  std::vector<float> left(kBlock, 0.5f), right(kBlock, 0.75f);
  float* ins[] = {left.data(), right.data()};
  p.AttachBuffers(kInput, 0, 2, ins, kBlock);
  p.ProcessBuffers(0.0f, kBlock);
  ASSERT_EQ(p.seenInputs[1][0], 0.75);

  p.SetChannelConnections(kInput, 1, 1, false);
  p.AttachBuffers(kInput, 0, 1, ins, kBlock);
  p.ProcessBuffers(0.0f, kBlock);
  EXPECT_TRUE(AllZero(p.seenInputs[1], kBlock));
}

TEST(BufferAttach, UnconnectedChannelsConsumeNoHostPointer)
{
  TestProcessor p("2-2");
  p.SetBlockSize(kBlock);
  p.SetChannelConnections(kInput, 1, 1, true);
  std::vector<sample> host(kBlock, 0.5);
  sample* ptrs[] = {host.data()};
  p.AttachBuffers(kInput, 0, 2, ptrs, kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  EXPECT_EQ(p.seenInputs[1], host.data());
  EXPECT_NE(p.seenInputs[0], host.data());
}

TEST(BufferAttach, RangesBeyondTheRecordsAreClipped)
{
  TestProcessor p("2-2");
  p.SetBlockSize(kBlock);
  p.SetChannelConnections(kInput, 0, 2, true);
  std::vector<sample> a(kBlock, 1.0), b(kBlock, 2.0);
  sample* ptrs[] = {a.data(), b.data()};
  p.AttachBuffers(kInput, 1, 5, ptrs, kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  EXPECT_EQ(p.seenInputs[1], a.data());

  p.AttachBuffers(kInput, -1, 2, ptrs, kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  EXPECT_EQ(p.seenInputs[0], a.data()) << "the first existing channel takes the first pointer";
  EXPECT_NE(p.seenInputs[1], b.data());

  p.AttachBuffers(kInput, 2, 1, ptrs, kBlock);
  p.AttachBuffers(kInput, 0, -1, ptrs, kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  EXPECT_NE(p.seenInputs[0], a.data());
}

TEST(BufferAttach, DoublePassThroughCopiesInputsAndSilencesTheRest)
{
  TestProcessor p("1-2");
  p.SetBlockSize(kBlock);
  p.SetChannelConnections(kInput, 0, 1, true);
  p.SetChannelConnections(kOutput, 0, 2, true);
  std::vector<sample> in(kBlock, 0.3), left(kBlock, 9.0), right(kBlock, 9.0);
  sample* ins[] = {in.data()};
  sample* outs[] = {left.data(), right.data()};
  p.AttachBuffers(kInput, 0, 1, ins, kBlock);
  p.AttachBuffers(kOutput, 0, 2, outs, kBlock);
  p.PassThroughBuffers(sample(0), kBlock);
  EXPECT_EQ(left, in);
  EXPECT_EQ(right, std::vector<sample>(kBlock, 0.0));
}

TEST(BufferAttach, DefaultProcessBlockCopiesLikePassThrough)
{
  TestProcessor p("2-2");
  p.useDefaultBlock = true;
  p.SetBlockSize(kBlock);
  p.SetChannelConnections(kInput, 0, 2, true);
  p.SetChannelConnections(kOutput, 0, 2, true);
  std::vector<sample> a(kBlock, 0.1), b(kBlock, 0.2), outA(kBlock);
  sample* ins[] = {a.data(), b.data()};
  sample* outs[] = {outA.data(), b.data()};
  p.AttachBuffers(kInput, 0, 2, ins, kBlock);
  p.AttachBuffers(kOutput, 0, 2, outs, kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  EXPECT_EQ(outA, a);
  EXPECT_EQ(b, std::vector<sample>(kBlock, 0.2)) << "processing in place keeps the input";
}

TEST(BufferAttach, NothingIsProcessedBeforeTheBlockSizeIsSet)
{
  TestProcessor p("2-2");
  p.SetChannelConnections(kInput, 0, 2, true);
  std::vector<float> in(kBlock, 1.0f);
  float* ins[] = {in.data(), in.data()};
  p.AttachBuffers(kInput, 0, 2, ins, kBlock);
  p.ProcessBuffers(0.0f, kBlock);
  EXPECT_EQ(p.lastFrames, 0);
}

TEST(ScratchBuffers, SameBlockSizeKeepsTheContent)
{
  TestProcessor p("2-2");
  p.useDefaultBlock = true;
  p.SetBlockSize(kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  p.seenInputs[1][0] = 4.0;

  p.SetBlockSize(kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  EXPECT_EQ(p.seenInputs[1][0], 4.0);

  p.SetBlockSize(2 * kBlock);
  p.ProcessBuffers(sample(0), 2 * kBlock);
  EXPECT_EQ(p.lastFrames, 2 * kBlock);
  EXPECT_TRUE(AllZero(p.seenInputs[1], 2 * kBlock));
}

TEST(ScratchBuffers, ZeroScratchBuffersSilencesEveryRecord)
{
  TestProcessor p("2-2");
  p.useDefaultBlock = true;
  p.SetBlockSize(kBlock);
  p.ProcessBuffers(sample(0), kBlock);
  std::fill_n(p.seenInputs[0], kBlock, 1.0);
  std::fill_n(p.seenOutputs[1], kBlock, 1.0);
  p.ZeroScratchBuffers();
  p.ProcessBuffers(sample(0), kBlock);
  EXPECT_TRUE(AllZero(p.seenInputs[0], kBlock));
  EXPECT_TRUE(AllZero(p.seenOutputs[1], kBlock));
}

} // namespace
} // namespace iplug
