// Feeds arbitrary file bytes to the VST 2 program and bank loaders: no out-of-bounds access, and a refused file
// leaves parameters and presets untouched. Half of the modes wrap the bytes in a well-formed container with the
// right plug-in code so that the state and preset-list readers behind the container are reached as well.
#include <cstddef>
#include <cstdint>

#include "FuzzPlugin.h"
#include "VST2PresetFile.h"

using iplug::IByteChunk;
using iplug::VST2Bank;
using iplug::VST2Program;
using iplug::fuzz::FuzzPlugin;
using iplug::fuzz::Require;

namespace
{
  // A chunk-form program or bank file around payload.
  IByteChunk Wrap(bool bank, const uint8_t* payload, int size)
  {
    IByteChunk file;
    if (bank)
    {
      VST2Bank record;
      record.isChunk = true;
      record.fxID = FuzzPlugin::kUniqueID;
      record.numPrograms = 2;
      record.chunk.PutBytes(payload, size);
      iplug::WriteVST2Bank(record, file);
    }
    else
    {
      VST2Program record;
      record.isChunk = true;
      record.fxID = FuzzPlugin::kUniqueID;
      record.numParams = 5;
      record.chunk.PutBytes(payload, size);
      iplug::WriteVST2Program(record, file);
    }
    return file;
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1)
    return 0;
  const int mode = data[0] & 0x3;
  const bool bank = (mode & 1) != 0;
  const bool wrapped = (mode & 2) != 0;
  IByteChunk file;
  if (wrapped)
    file = Wrap(bank, data + 1, static_cast<int>(size - 1));
  else
    file.PutBytes(data + 1, static_cast<int>(size - 1));

  FuzzPlugin plugin(2, (data[0] & 0x4) != 0);
  plugin.MakePreset("Kept", 1, 0.25, 0.5, 0.75, 0.125);
  const IByteChunk before = plugin.Snapshot();
  const bool loaded = bank ? plugin.LoadBankFromFXBData(file.GetData(), file.Size())
                           : plugin.LoadPresetFromFXPData(file.GetData(), file.Size());
  if (!loaded)
    Require(plugin.Snapshot().IsEqual(before));
  return 0;
}
