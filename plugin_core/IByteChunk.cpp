#include "IByteChunk.h"

namespace iplug
{

int IByteChunk::PutBytes(const void* data, int size)
{
  const int oldSize = Size();
  if (size <= 0 || !data)
    return oldSize;
  // Appending a chunk to itself: growing may move the bytes being copied.
  const auto* source = static_cast<const uint8_t*>(data);
  const bool fromSelf = oldSize > 0 && source >= GetData() && source < GetData() + oldSize;
  const std::ptrdiff_t selfOffset = fromSelf ? source - GetData() : 0;
  if (static_cast<long long>(oldSize) + size > 0x7fffffff || !mBytes.Resize(oldSize + size, false))
    return -1;
  if (fromSelf)
    source = GetData() + selfOffset;
  std::memcpy(GetData() + oldSize, source, static_cast<std::size_t>(size));
  return Size();
}

int IByteChunk::PutStr(const char* text)
{
  const auto length = static_cast<int32_t>(text ? std::strlen(text) : 0);
  const int sizeAfterLength = Put(&length);
  if (sizeAfterLength < 0)
    return -1;
  return PutBytes(text, length);
}

int IByteChunk::GetStr(WDL_String& text, int startPos) const
{
  int32_t length = 0;
  const int dataPos = Get(&length, startPos);
  if (dataPos < 0)
    return -1;
  if (length <= 0)
  {
    text.Set("");
    return dataPos;
  }
  const int endPos = CheckedEnd(dataPos, length);
  if (endPos < 0)
    return -1;
  // The text stops at the first NUL inside the stored length.
  text.Set(reinterpret_cast<const char*>(GetData() + dataPos), length);
  return endPos;
}

int IByteChunk::Resize(int newSize)
{
  const int oldSize = Size();
  if (newSize < 0)
    newSize = 0;
  if (!mBytes.Resize(newSize, false))
    return oldSize;
  if (newSize > oldSize)
    std::memset(GetData() + oldSize, 0, static_cast<std::size_t>(newSize - oldSize));
  return newSize;
}

bool IByteChunk::IsEqual(const IByteChunk& other) const
{
  return Size() == other.Size() && (Size() == 0 || std::memcmp(GetData(), other.GetData(), static_cast<std::size_t>(Size())) == 0);
}

int IByteChunk::CheckedEnd(int startPos, int size) const
{
  if (startPos < 0 || size < 0)
    return -1;
  const long long endPos = static_cast<long long>(startPos) + size;
  return endPos > Size() ? -1 : static_cast<int>(endPos);
}

} // namespace iplug
