#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "WDL_HeapBuf.h"
#include "WDL_String.h"

namespace iplug
{

// A growable byte array into which state, presets and editor state are serialized. Values are
// stored in the machine's byte order (little-endian here) with no padding or tags. Readers take a
// start position and return the next one, or -1 when the chunk is too short. Not thread-safe.
class IByteChunk
{
public:
  IByteChunk() : mBytes(4096) {}

  // Appends the bytes of one trivially copyable value; returns the new size, or -1 when out of memory.
  template <class T>
  int Put(const T* pValue)
  {
    static_assert(std::is_trivially_copyable_v<T>, "only plain values go into a chunk");
    return PutBytes(pValue, static_cast<int>(sizeof(T)));
  }

  // Reads one value at startPos into *pValue; returns startPos + sizeof(T), or -1 (target untouched) when short.
  template <class T>
  int Get(T* pValue, int startPos) const
  {
    static_assert(std::is_trivially_copyable_v<T>, "only plain values come out of a chunk");
    const int endPos = CheckedEnd(startPos, static_cast<int>(sizeof(T)));
    if (endPos < 0)
      return -1;
    std::memcpy(pValue, GetData() + startPos, sizeof(T));
    return endPos;
  }

  // Appends a 32-bit byte length followed by the text's bytes (no terminator); returns the new size.
  int PutStr(const char* text);
  // Reads a string written by PutStr; returns the next position, or -1 (text untouched) when short.
  int GetStr(WDL_String& text, int startPos) const;
  // Appends size raw bytes; returns the new size, or -1 when out of memory.
  int PutBytes(const void* data, int size);
  // Appends all bytes of another chunk; returns the new size.
  int PutChunk(const IByteChunk* other) { return PutBytes(other->GetData(), other->Size()); }

  // Empties the chunk.
  void Clear() { mBytes.Resize(0, false); }
  // Number of bytes held.
  int Size() const { return mBytes.GetSize(); }
  // Sets the size; new bytes are zero. Returns the new size (the old one when out of memory).
  int Resize(int newSize);
  // The bytes (null while empty and never allocated).
  uint8_t* GetData() { return mBytes.Get(); }
  const uint8_t* GetData() const { return mBytes.Get(); }
  // True when both chunks hold the same bytes.
  bool IsEqual(const IByteChunk& other) const;

private:
  // startPos + size when those bytes lie inside the chunk, else -1.
  int CheckedEnd(int startPos, int size) const;

  WDL_TypedBuf<uint8_t> mBytes;
};

} // namespace iplug
