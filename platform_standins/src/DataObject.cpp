#include "DataObject.h"

#include "Export.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>

namespace standin {

DataObject::DataObject(std::vector<UInt8> bytes, bool isMutable, CFIndex capacity)
  : CFObject(kTypeID)
  , mBytes(std::move(bytes))
  , mMutable(isMutable)
  , mCapacity(capacity)
{
}

UInt8* DataObject::MutableBytes()
{
  return mMutable ? mBytes.data() : nullptr;
}

bool DataObject::Fits(CFIndex length) const
{
  return length >= 0 && (mCapacity == 0 || length <= mCapacity);
}

void DataObject::SetLength(CFIndex length)
{
  if (mMutable && Fits(length))
    mBytes.resize(static_cast<size_t>(length), 0);
}

void DataObject::Append(const UInt8* bytes, CFIndex length)
{
  if (!mMutable || !bytes || length <= 0 || !Fits(static_cast<CFIndex>(mBytes.size()) + length))
    return;
  mBytes.insert(mBytes.end(), bytes, bytes + length);
}

bool DataObject::Equals(const CFObject& other) const
{
  return mBytes == static_cast<const DataObject&>(other).mBytes;
}

CFHashCode DataObject::Hash() const
{
  return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(mBytes.data()), mBytes.size()));
}

std::string DataObject::Describe() const
{
  std::string text = "{length = " + std::to_string(mBytes.size()) + ", bytes = 0x";
  for (UInt8 byte : mBytes)
  {
    char hex[3];
    std::snprintf(hex, sizeof(hex), "%02x", byte);
    text += hex;
  }
  return text + "}";
}

CFDataRef NewData(const void* bytes, size_t length)
{
  const auto* first = static_cast<const UInt8*>(bytes);
  return ToRef<CFDataRef>(new DataObject(std::vector<UInt8>(first, first + length), false, 0));
}

}

using standin::CFObject;
using standin::DataObject;

STANDIN_EXPORT CFTypeID CFDataGetTypeID(void)
{
  return DataObject::kTypeID;
}

STANDIN_EXPORT CFDataRef CFDataCreate(CFAllocatorRef, const UInt8* bytes, CFIndex length)
{
  if (length < 0 || (!bytes && length > 0))
    return nullptr;
  return standin::NewData(bytes, static_cast<size_t>(length));
}

STANDIN_EXPORT CFMutableDataRef CFDataCreateMutable(CFAllocatorRef, CFIndex capacity)
{
  if (capacity < 0)
    return nullptr;
  return standin::ToRef<CFMutableDataRef>(new DataObject({}, true, capacity));
}

STANDIN_EXPORT CFIndex CFDataGetLength(CFDataRef theData)
{
  DataObject* data = CFObject::Cast<DataObject>(theData);
  return data ? static_cast<CFIndex>(data->Bytes().size()) : 0;
}

STANDIN_EXPORT const UInt8* CFDataGetBytePtr(CFDataRef theData)
{
  DataObject* data = CFObject::Cast<DataObject>(theData);
  return (data && !data->Bytes().empty()) ? data->Bytes().data() : nullptr;
}

STANDIN_EXPORT UInt8* CFDataGetMutableBytePtr(CFMutableDataRef theData)
{
  DataObject* data = CFObject::Cast<DataObject>(theData);
  return data ? data->MutableBytes() : nullptr;
}

STANDIN_EXPORT void CFDataGetBytes(CFDataRef theData, CFRange range, UInt8* buffer)
{
  DataObject* data = CFObject::Cast<DataObject>(theData);
  if (!data || !buffer || range.location < 0 || range.length <= 0)
    return;
  const auto size = static_cast<CFIndex>(data->Bytes().size());
  if (range.location > size || range.length > size - range.location)
    return;
  std::memcpy(buffer, data->Bytes().data() + range.location, static_cast<size_t>(range.length));
}

STANDIN_EXPORT void CFDataSetLength(CFMutableDataRef theData, CFIndex length)
{
  if (DataObject* data = CFObject::Cast<DataObject>(theData))
    data->SetLength(length);
}

STANDIN_EXPORT void CFDataAppendBytes(CFMutableDataRef theData, const UInt8* bytes, CFIndex length)
{
  if (DataObject* data = CFObject::Cast<DataObject>(theData))
    data->Append(bytes, length);
}
