#pragma once

#include <cstring>

#include "IByteChunk.h"

namespace iplug
{

// Copies src (null: empty) into a NUL-terminated field of dstSize (>= 1) bytes, never splitting a UTF-8 sequence.
inline void CopyPresetName(char* dst, int dstSize, const char* src)
{
  const char* text = src ? src : "";
  const std::size_t capacity = static_cast<std::size_t>(dstSize);
  std::size_t length = strnlen(text, capacity);
  if (length == capacity)
  {
    length = capacity - 1;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
      --length;
  }
  std::memmove(dst, text, length);
  dst[length] = '\0';
}

// One preset slot: a name and the serialized state it recalls. Owned by the plug-in's list; main thread only.
struct IPreset
{
  // Size of the name field, terminator included.
  static constexpr int kNameSize = 256;

  // A new slot holds no state and is named "empty".
  IPreset() { SetName("empty"); }

  // Replaces the name; longer names are cut to kNameSize - 1 bytes at a UTF-8 character boundary.
  void SetName(const char* name) { CopyPresetName(mName, kNameSize, name); }

  bool mInitialized = false; // the slot holds a state that can be recalled
  char mName[kNameSize];     // NUL-terminated name
  IByteChunk mChunk;         // serialized state, in the plug-in's SerializeState layout
};

} // namespace iplug
