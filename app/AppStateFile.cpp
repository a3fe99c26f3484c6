#include "AppStateFile.h"

namespace iplug
{
namespace
{
  constexpr uint8_t kMagic[4] = {'T', 'W', 'A', 'S'};
  constexpr uint32_t kVersion = 1;
  constexpr size_t kHeaderSize = 16;

  void PutU32(std::vector<uint8_t>& out, uint32_t value)
  {
    for (int i = 0; i < 4; ++i)
      out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }

  uint32_t GetU32(const uint8_t* in)
  {
    return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 | static_cast<uint32_t>(in[2]) << 16 |
           static_cast<uint32_t>(in[3]) << 24;
  }
}

std::vector<uint8_t> WrapAppState(uint32_t uniqueId, const std::vector<uint8_t>& state)
{
  std::vector<uint8_t> bytes(kMagic, kMagic + 4);
  PutU32(bytes, kVersion);
  PutU32(bytes, uniqueId);
  PutU32(bytes, static_cast<uint32_t>(state.size()));
  bytes.insert(bytes.end(), state.begin(), state.end());
  return bytes;
}

bool UnwrapAppState(const uint8_t* bytes, size_t size, uint32_t uniqueId, std::vector<uint8_t>& state,
                    std::string& reason)
{
  if (!bytes || size < kHeaderSize)
  {
    reason = "it is shorter than its header";
    return false;
  }
  if (bytes[0] != kMagic[0] || bytes[1] != kMagic[1] || bytes[2] != kMagic[2] || bytes[3] != kMagic[3] ||
      GetU32(bytes + 4) != kVersion)
  {
    reason = "it is not a state file";
    return false;
  }
  if (GetU32(bytes + 8) != uniqueId)
  {
    reason = "it holds another plug-in's state";
    return false;
  }
  const uint32_t length = GetU32(bytes + 12);
  if (length != size - kHeaderSize)
  {
    reason = "it is " + std::to_string(size - kHeaderSize) + " bytes of state where its header says " +
             std::to_string(length);
    return false;
  }
  state.assign(bytes + kHeaderSize, bytes + size);
  return true;
}

} // namespace iplug
