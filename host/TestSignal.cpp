#include "TestSignal.h"

#include <cmath>

namespace
{
  constexpr double kTwoPi = 6.283185307179586;
  // Short enough that the bottom of any gain curve lasting a second or more meets a quiet stretch.
  constexpr double kPatternSeconds = 0.2;
  // Just above the smallest normal float (1.18e-38): any gain below about 0.1 makes it subnormal
  // unless the unit flushes it.
  constexpr float kQuietLevel = 1e-37f;
}

float TestSignal::NextNoise()
{
  mNoiseState = mNoiseState * 1664525u + 1013904223u;
  return static_cast<float>(mNoiseState >> 8) / 8388608.f - 1.f;
}

void TestSignal::Fill(float* interleaved, std::size_t frames, unsigned channels)
{
  for (std::size_t i = 0; i < frames; ++i, ++mFrame)
  {
    const double t = static_cast<double>(mFrame) / mSampleRate;
    const double phase = std::fmod(t, kPatternSeconds) / kPatternSeconds;
    const float tone = static_cast<float>(std::sin(kTwoPi * 440.0 * t));
    for (unsigned c = 0; c < channels; ++c)
    {
      const float loud = 0.25f * NextNoise() + 0.25f * tone;
      float sample = loud;
      if (phase >= 0.4 && phase < 0.5)
        sample = 0.f;
      else if (phase >= 0.5)
        sample = kQuietLevel * (loud >= 0.f ? 1.f : -1.f);
      interleaved[i * channels + c] = sample;
    }
  }
}
