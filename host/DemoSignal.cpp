#include "DemoSignal.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace
{
  constexpr double kPi = 3.14159265358979323846;
  constexpr double kChordSeconds = 2.0;
  constexpr double kBeatSeconds = 0.25;

  // I-vi-IV-V in C major, as MIDI notes of a three-note chord and its bass.
  constexpr std::array<std::array<int, 4>, 4> kProgression = {{
    {60, 64, 67, 36},
    {57, 60, 64, 33},
    {53, 57, 60, 29},
    {55, 59, 62, 31},
  }};

  double NoteHz(int note)
  {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
  }

  // A soft electric-piano-like tone: a few decaying harmonics.
  double Tone(double hz, double t)
  {
    const double decay = std::exp(-1.2 * t);
    return decay * (std::sin(2 * kPi * hz * t) + 0.3 * std::sin(4 * kPi * hz * t) + 0.1 * std::sin(6 * kPi * hz * t));
  }

  // A short noise burst on every off-beat, like a closed hi-hat.
  double HiHat(double t, std::uint32_t& noiseState)
  {
    const double sinceBeat = std::fmod(t, kBeatSeconds * 2);
    if (sinceBeat < kBeatSeconds)
      return 0.0;
    noiseState = noiseState * 1664525u + 1013904223u;
    const double noise = static_cast<double>(noiseState >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    return noise * std::exp(-60.0 * (sinceBeat - kBeatSeconds));
  }
}

std::vector<float> DemoSignal::Render(double seconds, double sampleRate)
{
  const auto nFrames = static_cast<std::size_t>(seconds * sampleRate);
  std::vector<float> frames(nFrames * 2);
  std::uint32_t noiseState = 12345u;

  for (std::size_t i = 0; i < nFrames; ++i)
  {
    const double t = static_cast<double>(i) / sampleRate;
    const auto chord = static_cast<std::size_t>(t / kChordSeconds) % kProgression.size();
    const double inChord = std::fmod(t, kChordSeconds);
    const double inBeat = std::fmod(t, kBeatSeconds * 2);
    const auto& notes = kProgression[chord];

    const double pad = (Tone(NoteHz(notes[0]), inChord) + Tone(NoteHz(notes[1]), inChord) + Tone(NoteHz(notes[2]), inChord)) / 3.0;
    const double bass = Tone(NoteHz(notes[3]), inBeat);
    const double hat = HiHat(t, noiseState);

    frames[2 * i] = static_cast<float>(0.35 * pad + 0.30 * bass + 0.08 * hat);
    frames[2 * i + 1] = static_cast<float>(0.30 * pad + 0.30 * bass + 0.12 * hat);
  }
  return frames;
}
