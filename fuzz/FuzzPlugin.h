#pragma once

#include <cstdlib>
#include <vector>

#include "IPluginBase.h"

namespace iplug::fuzz
{
// The product's parameter layout and identity on the bare plug-in base: an on/off enum and four 0..1 doubles.
class FuzzPlugin : public IPluginBase
{
public:
  static constexpr int kUniqueID = 0x78686D32; // "xhm2"

  FuzzPlugin(int nPresets, bool stateChunks)
    : IPluginBase(5, nPresets)
  {
    GetParam(0)->InitEnum("Duck", 1, {"Bypassed", "Ducking"});
    GetParam(1)->InitDouble("Period", 0.5, 0., 1., 0.01);
    GetParam(2)->InitDouble("Random", 0.5, 0., 1., 0.01);
    GetParam(3)->InitDouble("Duration", 0.5, 0., 1., 0.01);
    GetParam(4)->InitDouble("Depth", 1., 0., 1., 0.01);
    mUniqueID = kUniqueID;
    mVersion = 0x00010102;
    mStateChunks = stateChunks;
  }

  // Parameters and presets: what a refused input must leave exactly as it was.
  IByteChunk Snapshot() const
  {
    IByteChunk snapshot;
    SerializeParams(snapshot);
    SerializePresets(snapshot);
    const int32_t current = GetCurrentPresetIdx();
    snapshot.Put(&current);
    return snapshot;
  }
};

// Stops the fuzzer with a crash report when a property does not hold.
inline void Require(bool condition)
{
  if (!condition)
    std::abort();
}
} // namespace iplug::fuzz
