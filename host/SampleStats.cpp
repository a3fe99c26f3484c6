#include "SampleStats.h"

#include <cmath>

#include "ValidationReport.h"

void SampleStats::Add(const float* samples, std::size_t count)
{
  mSamples += count;
  for (std::size_t i = 0; i < count; ++i)
  {
    switch (std::fpclassify(samples[i]))
    {
      case FP_NAN: ++mNaNs; break;
      case FP_INFINITE: ++mInfinities; break;
      case FP_SUBNORMAL: ++mSubnormals; break;
      default: mPeak = std::fmax(mPeak, std::fabs(samples[i])); break;
    }
  }
}

void SampleStats::Merge(const SampleStats& other)
{
  mSamples += other.mSamples;
  mNaNs += other.mNaNs;
  mInfinities += other.mInfinities;
  mSubnormals += other.mSubnormals;
  mPeak = std::fmax(mPeak, other.mPeak);
}

std::string SampleStats::Describe() const
{
  std::string text = Format("%zu samples, peak %.3f", mSamples, mPeak);
  if (!Clean())
    text += Format(", %zu NaN, %zu infinite, %zu subnormal", mNaNs, mInfinities, mSubnormals);
  return text;
}
