// Decodes arbitrary text as a preset blob: the chunk always has the requested size and decoding never writes past
// it; and encoding arbitrary bytes decodes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Base64.h"
#include "FuzzPlugin.h"

using iplug::fuzz::FuzzPlugin;
using iplug::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 2)
    return 0;
  // The first two bytes give the blob size; the rest is the text.
  const int blobSize = data[0] | ((data[1] & 0x0F) << 8);
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

  FuzzPlugin plugin(1, false);
  plugin.MakePresetFromBlob("Blob", text.c_str(), blobSize);
  Require(plugin.GetPreset(0)->mChunk.Size() == blobSize);
  plugin.RestorePreset(0);

  WDL_String encoded;
  iplug::Base64Encode(data + 2, static_cast<int>(size - 2), encoded);
  std::vector<uint8_t> decoded(size - 2 + 1, 0);
  const int count = iplug::Base64Decode(encoded.Get(), decoded.data(), static_cast<int>(decoded.size()));
  Require(count == static_cast<int>(size - 2));
  Require(std::memcmp(decoded.data(), data + 2, size - 2) == 0);
  return 0;
}
