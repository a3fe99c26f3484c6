#pragma once

#include <cstddef>
#include <cstdint>

// The validator's input: repeatable noise and a tone at ordinary levels, with stretches of silence and
// of a very quiet (but normal) signal that would turn subnormal under a deep enough gain.
class TestSignal
{
public:
  explicit TestSignal(double sampleRate) : mSampleRate(sampleRate) {}

  // Writes frames interleaved frames of channels channels, continuing where the last call ended.
  void Fill(float* interleaved, std::size_t frames, unsigned channels);

private:
  float NextNoise();

  double mSampleRate;
  std::uint64_t mFrame = 0;
  std::uint32_t mNoiseState = 0x12345678u;
};
