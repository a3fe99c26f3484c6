#pragma once

#include <cstdio>
#include <vector>

// One dip seen in rendered audio.
struct Dip
{
  long startFrame;   // first frame whose gain fell below 1
  long lengthFrames; // frames until the gain was back at 1
  double lowestGain; // smallest output/input ratio seen, 0 to 1
};

// Finds the dips of a rendered signal by comparing output with input frame by frame: wherever the
// input is not silent, a ducked frame is one whose output differs from the input.
class DipReport
{
public:
  // Adds frames of channel 0 (input and output, same length) in order.
  void Add(const float* input, const float* output, long nFrames, long stride);
  // Closes a dip still running at the end.
  void Finish();

  const std::vector<Dip>& Dips() const { return mDips; }
  // One line per dip: start time, duration and lowest gain, at the given sample rate.
  void Print(std::FILE* out, double sampleRate) const;

private:
  std::vector<Dip> mDips;
  long mFrame = 0;
  long mLastDucked = -1;
  bool mInDip = false;
};
