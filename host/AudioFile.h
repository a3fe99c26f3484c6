#pragma once

#include <string>
#include <vector>

// Interleaved audio read from or written to a file through libsndfile.
struct AudioFile
{
  std::vector<float> frames; // interleaved samples
  int channels = 0;
  int sampleRate = 0;

  // Writes frames as 32-bit float WAV; returns an error text, empty on success.
  std::string WriteWav(const std::string& path) const;
};
