#pragma once

#include <MacTypes.h>

#include <cstring>

namespace iplug
{
// Copies the record a host passed with a property set; false when the pointer is null or the data is
// shorter than the record, so a short or missing buffer is never read past its end.
template <class T>
bool ReadRecord(const void* data, UInt32 dataSize, T& record)
{
  if (!data || dataSize < sizeof(T))
    return false;
  std::memcpy(&record, data, sizeof(T));
  return true;
}
} // namespace iplug
