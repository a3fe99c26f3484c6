#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace iplug
{
// One short MIDI message, copied by value through queues.
struct IMidiMsg
{
  int32_t mOffset; // sample offset within the current block
  uint8_t mStatus; // status byte
  uint8_t mData1;  // first data byte
  uint8_t mData2;  // second data byte

  // Builds a message; all fields default to 0.
  IMidiMsg(int32_t offset = 0, uint8_t status = 0, uint8_t data1 = 0, uint8_t data2 = 0)
    : mOffset(offset), mStatus(status), mData1(data1), mData2(data2)
  {
  }
};

// A SysEx message that borrows its bytes: valid only during the call it is passed to.
struct ISysEx
{
  int32_t mOffset;      // sample offset within the current block
  const uint8_t* mData; // the message bytes, not owned (null when empty)
  int32_t mSize;        // number of bytes at mData

  // Builds a message view over size bytes at data.
  ISysEx(int32_t offset = 0, const uint8_t* data = nullptr, int32_t size = 0)
    : mOffset(offset), mData(data), mSize(size)
  {
  }
};

// The queued form of a SysEx message: a fixed-size copy, so it can cross threads without allocating.
struct SysExData
{
  static constexpr int kMaxSize = 512; // bytes kept; longer messages are cut

  int32_t mOffset = 0;          // sample offset within the block
  int32_t mSize = 0;            // number of valid bytes in mData (0 to kMaxSize)
  uint8_t mData[kMaxSize] = {}; // the copied bytes; the unused tail is zero

  // Copies at most kMaxSize of the size bytes at data (a null data or negative size copies nothing);
  // mSize records what was actually kept, so readers never see beyond the copy.
  SysExData(int32_t offset = 0, int32_t size = 0, const void* data = nullptr) : mOffset(offset)
  {
    if (!data || size <= 0)
      return;
    mSize = std::min<int32_t>(size, kMaxSize);
    std::memcpy(mData, data, static_cast<std::size_t>(mSize));
  }
};
} // namespace iplug
