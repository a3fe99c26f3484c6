#pragma once

#include <cstdint>

namespace iplug
{
// Packs a four-character code such as "aufx", first character in the most significant byte, as the platform
// stores component types, subtypes and manufacturers. Header-only, so the host program can share it without
// linking the plug-in. Any thread.
constexpr uint32_t FourCC(const char (&code)[5])
{
  return static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(code[3]));
}
} // namespace iplug
