#pragma once

#include <vector>

// The embedded default input: a short piece of music synthesised on the fly, so the main job
// needs no audio file. Interleaved stereo, peak below 0.8.
struct DemoSignal
{
  // Renders seconds of the piece at sampleRate Hz as interleaved stereo frames.
  static std::vector<float> Render(double seconds, double sampleRate);
};
