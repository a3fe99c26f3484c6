#include "ArrayObject.h"

#include "Export.h"
#include "CollectionValues.h"
#include "StringObject.h"

#include <cstdio>

STANDIN_EXPORT const CFArrayCallBacks kCFTypeArrayCallBacks = {0, standin::RetainCFValue, standin::ReleaseCFValue, CFCopyDescription, CFEqual};

namespace standin {

ArrayObject::ArrayObject(const CFArrayCallBacks* callBacks, bool isMutable, CFIndex capacity)
  : CFObject(kTypeID)
  , mCallBacks(callBacks ? *callBacks : CFArrayCallBacks{0, nullptr, nullptr, nullptr, nullptr})
  , mMutable(isMutable)
  , mCapacity(capacity)
{
}

ArrayObject::~ArrayObject()
{
  RemoveAll();
}

const void* ArrayObject::At(CFIndex index) const
{
  return (index >= 0 && index < Count()) ? mValues[static_cast<size_t>(index)] : nullptr;
}

bool ArrayObject::HoldsCFTypes() const
{
  return mCallBacks.retain == kCFTypeArrayCallBacks.retain && mCallBacks.release == kCFTypeArrayCallBacks.release;
}

bool ArrayObject::Add(const void* value)
{
  if (mCapacity > 0 && Count() >= mCapacity)
    return false;
  mValues.push_back(mCallBacks.retain ? mCallBacks.retain(kCFAllocatorSystemDefault, value) : value);
  return true;
}

void ArrayObject::RemoveAt(CFIndex index)
{
  if (index < 0 || index >= Count())
    return;
  const void* value = mValues[static_cast<size_t>(index)];
  mValues.erase(mValues.begin() + index);
  if (mCallBacks.release)
    mCallBacks.release(kCFAllocatorSystemDefault, value);
}

void ArrayObject::RemoveAll()
{
  std::vector<const void*> values;
  values.swap(mValues);
  if (!mCallBacks.release)
    return;
  for (const void* value : values)
    mCallBacks.release(kCFAllocatorSystemDefault, value);
}

bool ArrayObject::Equals(const CFObject& other) const
{
  const auto& array = static_cast<const ArrayObject&>(other);
  if (Count() != array.Count())
    return false;
  for (size_t i = 0; i < mValues.size(); ++i)
  {
    const void* a = mValues[i];
    const void* b = array.mValues[i];
    const bool same = mCallBacks.equal ? mCallBacks.equal(a, b) : a == b;
    if (!same)
      return false;
  }
  return true;
}

std::string ArrayObject::Describe() const
{
  std::string text = "(\n";
  for (size_t i = 0; i < mValues.size(); ++i)
  {
    text += "    " + DescribeValue(mCallBacks.copyDescription, mValues[i]);
    text += i + 1 < mValues.size() ? ",\n" : "\n";
  }
  return text + ")";
}

}

using standin::ArrayObject;
using standin::CFObject;

namespace {

ArrayObject* MutableArray(CFMutableArrayRef ref)
{
  ArrayObject* array = CFObject::Cast<ArrayObject>(ref);
  return (array && array->IsMutable()) ? array : nullptr;
}

}

STANDIN_EXPORT CFTypeID CFArrayGetTypeID(void)
{
  return ArrayObject::kTypeID;
}

STANDIN_EXPORT CFArrayRef CFArrayCreate(CFAllocatorRef, const void** values, CFIndex numValues, const CFArrayCallBacks* callBacks)
{
  if (numValues < 0 || (!values && numValues > 0))
    return nullptr;
  auto* array = new ArrayObject(callBacks, false, 0);
  for (CFIndex i = 0; i < numValues; ++i)
    array->Add(values[i]);
  return standin::ToRef<CFArrayRef>(array);
}

STANDIN_EXPORT CFMutableArrayRef CFArrayCreateMutable(CFAllocatorRef, CFIndex capacity, const CFArrayCallBacks* callBacks)
{
  if (capacity < 0)
    return nullptr;
  return standin::ToRef<CFMutableArrayRef>(new ArrayObject(callBacks, true, capacity));
}

STANDIN_EXPORT CFIndex CFArrayGetCount(CFArrayRef theArray)
{
  ArrayObject* array = CFObject::Cast<ArrayObject>(theArray);
  return array ? array->Count() : 0;
}

STANDIN_EXPORT const void* CFArrayGetValueAtIndex(CFArrayRef theArray, CFIndex idx)
{
  ArrayObject* array = CFObject::Cast<ArrayObject>(theArray);
  return array ? array->At(idx) : nullptr;
}

STANDIN_EXPORT void CFArrayAppendValue(CFMutableArrayRef theArray, const void* value)
{
  if (ArrayObject* array = MutableArray(theArray))
    array->Add(value);
}

STANDIN_EXPORT void CFArrayRemoveValueAtIndex(CFMutableArrayRef theArray, CFIndex idx)
{
  if (ArrayObject* array = MutableArray(theArray))
    array->RemoveAt(idx);
}

STANDIN_EXPORT void CFArrayRemoveAllValues(CFMutableArrayRef theArray)
{
  if (ArrayObject* array = MutableArray(theArray))
    array->RemoveAll();
}
