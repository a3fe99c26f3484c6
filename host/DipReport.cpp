#include "DipReport.h"

#include <algorithm>
#include <cmath>

namespace
{
  // A dip is over once this many audible frames in a row pass unducked.
  constexpr long kEndGapFrames = 2048;
  constexpr float kAudible = 1e-4f;
}

void DipReport::Add(const float* input, const float* output, long nFrames, long stride)
{
  for (long i = 0; i < nFrames; ++i, ++mFrame)
  {
    const float in = input[i * stride];
    const float out = output[i * stride];
    if (std::fabs(in) < kAudible)
      continue;

    if (out != in)
    {
      if (!mInDip)
      {
        mDips.push_back({mFrame, 0, 1.0});
        mInDip = true;
      }
      mDips.back().lowestGain = std::min(mDips.back().lowestGain, std::fabs(static_cast<double>(out) / in));
      mLastDucked = mFrame;
    }
    else if (mInDip && mFrame - mLastDucked > kEndGapFrames)
    {
      Finish();
    }
  }
}

void DipReport::Finish()
{
  if (!mInDip)
    return;
  mDips.back().lengthFrames = mLastDucked + 1 - mDips.back().startFrame;
  mInDip = false;
}

void DipReport::Print(std::FILE* out, double sampleRate) const
{
  if (mDips.empty())
  {
    std::fprintf(out, "no dips\n");
    return;
  }
  int number = 1;
  for (const Dip& dip : mDips)
  {
    const double dB = dip.lowestGain > 0.0 ? 20.0 * std::log10(dip.lowestGain) : -INFINITY;
    std::fprintf(out, "dip %d: starts at %.3f s, lasts %.3f s, lowest gain %.3f (%.1f dB)\n", number++,
                 dip.startFrame / sampleRate, dip.lengthFrames / sampleRate, dip.lowestGain, dB);
  }
}
