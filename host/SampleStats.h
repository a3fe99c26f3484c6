#pragma once

#include <cstddef>
#include <string>

// Tallies rendered samples that no host should ever receive: NaN, infinite or subnormal values.
class SampleStats
{
public:
  // Adds count samples.
  void Add(const float* samples, std::size_t count);
  // Adds another tally.
  void Merge(const SampleStats& other);

  bool Clean() const { return mNaNs == 0 && mInfinities == 0 && mSubnormals == 0; }
  std::size_t Samples() const { return mSamples; }
  // Largest magnitude among the finite samples.
  float Peak() const { return mPeak; }
  // "N samples, peak P" and the faulty counts when there are any.
  std::string Describe() const;

private:
  std::size_t mSamples = 0;
  std::size_t mNaNs = 0;
  std::size_t mInfinities = 0;
  std::size_t mSubnormals = 0;
  float mPeak = 0.f;
};
