#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ControlGallery.h"

using iplug::kInput;
using iplug::kOutput;
using iplug::sample;

// The gallery's audio: a gain with a polarity switch, ramped across each block.

namespace
{
class ControlGalleryProcessTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mPlug.SetSampleRate(48000.);
    mPlug.SetBlockSize(64);
    mPlug.SetChannelConnections(kInput, 0, 2, true);
    mPlug.SetChannelConnections(kOutput, 0, 2, true);
    mPlug.OnReset();
  }

  // One block of nFrames of a constant input on both channels; returns channel 0 (channel 1 in mRight).
  std::vector<double> Run(int nFrames, double input = 1.)
  {
    std::vector<double> in[2] = {std::vector<double>(nFrames, input), std::vector<double>(nFrames, input)};
    std::vector<double> out[2] = {std::vector<double>(nFrames, -99.), std::vector<double>(nFrames, -99.)};
    sample* ins[2] = {in[0].data(), in[1].data()};
    sample* outs[2] = {out[0].data(), out[1].data()};
    mPlug.ProcessBlock(ins, outs, nFrames);
    mRight = out[1];
    return out[0];
  }

  ControlGallery mPlug;
  std::vector<double> mRight;
};
} // namespace

TEST_F(ControlGalleryProcessTest, AtZeroDecibelsBothChannelsPassUnchanged)
{
  EXPECT_EQ(Run(8, 0.25), std::vector<double>(8, 0.25));
  EXPECT_EQ(mRight, std::vector<double>(8, 0.25));
}

TEST_F(ControlGalleryProcessTest, AGainChangeRampsOverTheNextBlockAndThenHolds)
{
  mPlug.GetParam(kGalleryGain)->Set(20. * std::log10(0.5));
  const std::vector<double> ramp = Run(4);
  ASSERT_EQ(ramp.size(), 4u);
  EXPECT_NEAR(ramp[0], 0.875, 1e-12);
  EXPECT_NEAR(ramp[1], 0.75, 1e-12);
  EXPECT_NEAR(ramp[2], 0.625, 1e-12);
  EXPECT_NEAR(ramp[3], 0.5, 1e-12);
  for (double v : Run(16))
    EXPECT_NEAR(v, 0.5, 1e-12);
}

TEST_F(ControlGalleryProcessTest, InvertingSwingsThroughZeroAndThenNegates)
{
  mPlug.GetParam(kGalleryInvert)->Set(1.);
  const std::vector<double> ramp = Run(2);
  EXPECT_NEAR(ramp[0], 0., 1e-12);
  EXPECT_NEAR(ramp[1], -1., 1e-12);
  EXPECT_EQ(Run(4, 0.5), std::vector<double>(4, -0.5));
}

TEST_F(ControlGalleryProcessTest, ResetStartsAtTheNewGainWithoutARamp)
{
  mPlug.GetParam(kGalleryGain)->Set(-24.);
  mPlug.OnReset();
  const double expected = std::pow(10., -24. / 20.);
  for (double v : Run(4))
    EXPECT_NEAR(v, expected, 1e-7);
}

TEST_F(ControlGalleryProcessTest, AnEmptyBlockKeepsTheRampForTheNextOne)
{
  mPlug.GetParam(kGalleryGain)->Set(20. * std::log10(0.5));
  EXPECT_TRUE(Run(0).empty());
  const std::vector<double> ramp = Run(2);
  EXPECT_NEAR(ramp[0], 0.75, 1e-12);
  EXPECT_NEAR(ramp[1], 0.5, 1e-12);
}

TEST_F(ControlGalleryProcessTest, OutputIsSinglePrecisionWithSubnormalsFlushed)
{
  EXPECT_EQ(Run(4, 1e-40), std::vector<double>(4, 0.)) << "too small for a normal float";
  const double third = Run(1, 1. / 3.)[0];
  EXPECT_EQ(third, static_cast<double>(static_cast<float>(1. / 3.)));
}
