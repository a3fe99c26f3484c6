// Finding dips by comparing output with input.

#include <gtest/gtest.h>

#include <vector>

#include "DipReport.h"

namespace
{
  constexpr long kFrames = 20000;

  // Mono input of constant level and an output ducked to gain over [start, start + length).
  void Duck(std::vector<float>& input, std::vector<float>& output, long start, long length, float gain)
  {
    input.assign(kFrames, 0.5f);
    output = input;
    for (long i = start; i < start + length; ++i)
      output[static_cast<std::size_t>(i)] = 0.5f * gain;
  }
}

TEST(DipReport, ReportsStartLengthAndLowestGainOfEachDip)
{
  std::vector<float> input;
  std::vector<float> output;
  Duck(input, output, 1000, 500, 0.25f);
  for (long i = 10000; i < 10300; ++i)
    output[static_cast<std::size_t>(i)] = 0.5f * 0.75f;

  DipReport report;
  report.Add(input.data(), output.data(), kFrames, 1);
  report.Finish();

  ASSERT_EQ(report.Dips().size(), 2u);
  EXPECT_EQ(report.Dips()[0].startFrame, 1000);
  EXPECT_EQ(report.Dips()[0].lengthFrames, 500);
  EXPECT_DOUBLE_EQ(report.Dips()[0].lowestGain, 0.25);
  EXPECT_EQ(report.Dips()[1].startFrame, 10000);
  EXPECT_DOUBLE_EQ(report.Dips()[1].lowestGain, 0.75);
}

TEST(DipReport, SilentInputNeitherStartsNorEndsADip)
{
  std::vector<float> input;
  std::vector<float> output;
  Duck(input, output, 1000, 4000, 0.5f);
  for (long i = 2000; i < 4500; ++i)
    input[static_cast<std::size_t>(i)] = output[static_cast<std::size_t>(i)] = 0.f;

  DipReport report;
  report.Add(input.data(), output.data(), kFrames, 1);
  report.Finish();

  ASSERT_EQ(report.Dips().size(), 1u) << "a silent stretch inside a dip does not split it";
  EXPECT_EQ(report.Dips()[0].lengthFrames, 4000);
}

TEST(DipReport, DipRunningAtTheEndIsClosedByFinishAcrossCalls)
{
  std::vector<float> input;
  std::vector<float> output;
  Duck(input, output, kFrames - 100, 100, 0.f);

  DipReport report;
  report.Add(input.data(), output.data(), kFrames / 2, 1);
  report.Add(input.data() + kFrames / 2, output.data() + kFrames / 2, kFrames / 2, 1);
  report.Finish();

  ASSERT_EQ(report.Dips().size(), 1u);
  EXPECT_EQ(report.Dips()[0].startFrame, kFrames - 100);
  EXPECT_EQ(report.Dips()[0].lengthFrames, 100);
  EXPECT_EQ(report.Dips()[0].lowestGain, 0.0);
}
