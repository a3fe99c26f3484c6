// Feeds arbitrary bytes to the state and preset-list readers: no out-of-bounds access, positions stay inside the
// chunk, and a refused preset list leaves parameters and presets untouched.
#include <cstddef>
#include <cstdint>

#include "FuzzPlugin.h"

using iplug::IByteChunk;
using iplug::fuzz::FuzzPlugin;
using iplug::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1)
    return 0;
  // The first byte picks the preset count and the start position; the rest is the chunk.
  const int nPresets = data[0] & 0x3;
  const int startPos = (data[0] >> 2) & 0xF;
  IByteChunk chunk;
  chunk.PutBytes(data + 1, static_cast<int>(size - 1));

  FuzzPlugin plugin(nPresets, (data[0] & 0x40) != 0);
  const int paramsEnd = plugin.UnserializeParams(chunk, startPos);
  Require(paramsEnd == -1 || (paramsEnd == startPos + 40 && paramsEnd <= chunk.Size()));

  plugin.MakeDefaultPreset("Before", 1);
  const IByteChunk before = plugin.Snapshot();
  const int presetsEnd = plugin.UnserializePresets(chunk, startPos);
  // Without preset slots nothing is read and the start position comes back as it was.
  Require(presetsEnd == startPos || presetsEnd <= chunk.Size());
  if (presetsEnd < 0)
    Require(plugin.Snapshot().IsEqual(before));
  return 0;
}
