#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <memory>
#include <random>
#include <string>

#include "HostComponent.h"
#include "ParameterCatalog.h"
#include "StreamSetup.h"
#include "ValidationReport.h"

class Renderer;
class SampleStats;
class TestSignal;

// What every group of validation checks shares: the component under test, the report, the random
// generator (seeded once, so a run can be repeated) and the parameters as the first instance described them.
struct ValidationContext
{
  AudioComponent component = nullptr;
  AudioComponentDescription wanted{}; // the identity the component was looked up by
  ValidationReport& report;
  std::mt19937 random;
  ParameterCatalog parameters;

  ValidationContext(AudioComponent tested, ValidationReport& out, unsigned seed) : component(tested), report(out), random(seed) {}

  // Seconds of audio within which the earliest dip has surely run: the shortest period plus the
  // largest extension at the smallest Random, plus the shortest dip.
  static constexpr double kDipSeconds = 16.0;

  // A fresh instance; null (and a failed check naming purpose) when the component does not open.
  std::unique_ptr<HostComponent> Open(const std::string& purpose);
  // Starts renderer with setup; false (and a failed check naming purpose) when the unit refuses.
  bool Start(Renderer& renderer, const StreamSetup& setup, const std::string& purpose);
  // A value drawn uniformly from a parameter's range; whole numbers for stepped parameters.
  AudioUnitParameterValue RandomValue(const ParameterDescription& parameter);

  // Sets the parameters, by name, that make the earliest and deepest dip, where the unit has them.
  void SetEarliestDeepestDip(HostComponent& unit) const;

  // Renders frames of signal in slices of at most slice frames, adding every output sample to
  // stats; returns the first failing status.
  static OSStatus RenderSignal(Renderer& renderer, TestSignal& signal, std::size_t frames, UInt32 slice, SampleStats& stats);
};
