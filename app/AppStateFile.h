#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace iplug
{

// The standalone program's state file: the plug-in's serialized state (the bytes a host keeps in its
// project) behind a 16-byte header, all little-endian: the magic "TWAS", the format version 1, the plug-in's
// unique code and the length of the state, so a file cut short or made for another plug-in is recognised.

// The file's bytes for state of the plug-in with uniqueId. [any-thread]
std::vector<uint8_t> WrapAppState(uint32_t uniqueId, const std::vector<uint8_t>& state);
// The state inside file bytes; false with a short reason when the header is missing or wrong, names another
// plug-in, or the length disagrees with the bytes that follow. [any-thread]
bool UnwrapAppState(const uint8_t* bytes, size_t size, uint32_t uniqueId, std::vector<uint8_t>& state,
                    std::string& reason);

} // namespace iplug
