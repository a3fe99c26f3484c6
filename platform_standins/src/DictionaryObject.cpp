#include "DictionaryObject.h"

#include "Export.h"
#include "CollectionValues.h"
#include "StringObject.h"

#include <algorithm>
#include <cstdio>
#include <functional>

STANDIN_EXPORT const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks = {0, standin::RetainCFValue, standin::ReleaseCFValue, CFCopyDescription, CFEqual, CFHash};
STANDIN_EXPORT const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks = {0, standin::RetainCFValue, standin::ReleaseCFValue, CFCopyDescription, CFEqual};

namespace standin {

size_t DictionaryObject::KeyHash::operator()(const void* key) const
{
  return hash ? hash(key) : std::hash<const void*>()(key);
}

bool DictionaryObject::KeyEqual::operator()(const void* a, const void* b) const
{
  return a == b || (equal && equal(a, b));
}

DictionaryObject::DictionaryObject(const CFDictionaryKeyCallBacks* keyCallBacks, const CFDictionaryValueCallBacks* valueCallBacks, bool isMutable, CFIndex capacity)
  : CFObject(kTypeID)
  , mKeyCallBacks(keyCallBacks ? *keyCallBacks : CFDictionaryKeyCallBacks{0, nullptr, nullptr, nullptr, nullptr, nullptr})
  , mValueCallBacks(valueCallBacks ? *valueCallBacks : CFDictionaryValueCallBacks{0, nullptr, nullptr, nullptr, nullptr})
  , mEntries(0, KeyHash{mKeyCallBacks.hash}, KeyEqual{mKeyCallBacks.equal})
  , mMutable(isMutable)
  , mCapacity(capacity)
{
}

DictionaryObject::~DictionaryObject()
{
  for (const auto& [key, value] : mEntries)
  {
    if (mKeyCallBacks.release)
      mKeyCallBacks.release(kCFAllocatorSystemDefault, key);
    if (mValueCallBacks.release)
      mValueCallBacks.release(kCFAllocatorSystemDefault, value);
  }
}

bool DictionaryObject::HoldsCFTypes() const
{
  return mKeyCallBacks.retain == kCFTypeDictionaryKeyCallBacks.retain && mKeyCallBacks.release == kCFTypeDictionaryKeyCallBacks.release
      && mValueCallBacks.retain == kCFTypeDictionaryValueCallBacks.retain && mValueCallBacks.release == kCFTypeDictionaryValueCallBacks.release;
}

bool DictionaryObject::Find(const void* key, const void** value) const
{
  const auto found = mEntries.find(key);
  if (found == mEntries.end())
    return false;
  if (value)
    *value = found->second;
  return true;
}

std::vector<std::pair<const void*, const void*>> DictionaryObject::Entries() const
{
  return {mEntries.begin(), mEntries.end()};
}

bool DictionaryObject::Set(const void* key, const void* value)
{
  const void* newValue = mValueCallBacks.retain ? mValueCallBacks.retain(kCFAllocatorSystemDefault, value) : value;
  const auto found = mEntries.find(key);
  if (found != mEntries.end())
  {
    const void* oldValue = found->second;
    found->second = newValue;
    if (mValueCallBacks.release)
      mValueCallBacks.release(kCFAllocatorSystemDefault, oldValue);
    return true;
  }
  if (mCapacity > 0 && Count() >= mCapacity)
  {
    if (mValueCallBacks.release)
      mValueCallBacks.release(kCFAllocatorSystemDefault, newValue);
    return false;
  }
  const void* newKey = mKeyCallBacks.retain ? mKeyCallBacks.retain(kCFAllocatorSystemDefault, key) : key;
  mEntries.emplace(newKey, newValue);
  return true;
}

void DictionaryObject::Remove(const void* key)
{
  const auto found = mEntries.find(key);
  if (found == mEntries.end())
    return;
  const void* oldKey = found->first;
  const void* oldValue = found->second;
  mEntries.erase(found);
  if (mKeyCallBacks.release)
    mKeyCallBacks.release(kCFAllocatorSystemDefault, oldKey);
  if (mValueCallBacks.release)
    mValueCallBacks.release(kCFAllocatorSystemDefault, oldValue);
}

bool DictionaryObject::Equals(const CFObject& other) const
{
  const auto& dictionary = static_cast<const DictionaryObject&>(other);
  if (Count() != dictionary.Count())
    return false;
  for (const auto& [key, value] : mEntries)
  {
    const void* otherValue = nullptr;
    if (!dictionary.Find(key, &otherValue))
      return false;
    const bool same = mValueCallBacks.equal ? mValueCallBacks.equal(value, otherValue) : value == otherValue;
    if (!same)
      return false;
  }
  return true;
}

std::string DictionaryObject::Describe() const
{
  std::vector<std::string> lines;
  for (const auto& [key, value] : mEntries)
    lines.push_back("    " + DescribeValue(mKeyCallBacks.copyDescription, key) + " = " + DescribeValue(mValueCallBacks.copyDescription, value) + ";\n");
  std::sort(lines.begin(), lines.end());
  std::string text = "{\n";
  for (const std::string& line : lines)
    text += line;
  return text + "}";
}

}

using standin::CFObject;
using standin::DictionaryObject;

namespace {

DictionaryObject* MutableDictionary(CFMutableDictionaryRef ref)
{
  DictionaryObject* dictionary = CFObject::Cast<DictionaryObject>(ref);
  return (dictionary && dictionary->IsMutable()) ? dictionary : nullptr;
}

}

STANDIN_EXPORT CFTypeID CFDictionaryGetTypeID(void)
{
  return DictionaryObject::kTypeID;
}

STANDIN_EXPORT CFDictionaryRef CFDictionaryCreate(CFAllocatorRef, const void** keys, const void** values, CFIndex numValues, const CFDictionaryKeyCallBacks* keyCallBacks, const CFDictionaryValueCallBacks* valueCallBacks)
{
  if (numValues < 0 || ((!keys || !values) && numValues > 0))
    return nullptr;
  auto* dictionary = new DictionaryObject(keyCallBacks, valueCallBacks, false, 0);
  for (CFIndex i = 0; i < numValues; ++i)
    dictionary->Set(keys[i], values[i]);
  return standin::ToRef<CFDictionaryRef>(dictionary);
}

STANDIN_EXPORT CFMutableDictionaryRef CFDictionaryCreateMutable(CFAllocatorRef, CFIndex capacity, const CFDictionaryKeyCallBacks* keyCallBacks, const CFDictionaryValueCallBacks* valueCallBacks)
{
  if (capacity < 0)
    return nullptr;
  return standin::ToRef<CFMutableDictionaryRef>(new DictionaryObject(keyCallBacks, valueCallBacks, true, capacity));
}

STANDIN_EXPORT CFIndex CFDictionaryGetCount(CFDictionaryRef theDict)
{
  DictionaryObject* dictionary = CFObject::Cast<DictionaryObject>(theDict);
  return dictionary ? dictionary->Count() : 0;
}

STANDIN_EXPORT const void* CFDictionaryGetValue(CFDictionaryRef theDict, const void* key)
{
  DictionaryObject* dictionary = CFObject::Cast<DictionaryObject>(theDict);
  const void* value = nullptr;
  return (dictionary && dictionary->Find(key, &value)) ? value : nullptr;
}

STANDIN_EXPORT Boolean CFDictionaryGetValueIfPresent(CFDictionaryRef theDict, const void* key, const void** value)
{
  DictionaryObject* dictionary = CFObject::Cast<DictionaryObject>(theDict);
  return dictionary && dictionary->Find(key, value);
}

STANDIN_EXPORT Boolean CFDictionaryContainsKey(CFDictionaryRef theDict, const void* key)
{
  DictionaryObject* dictionary = CFObject::Cast<DictionaryObject>(theDict);
  return dictionary && dictionary->Find(key, nullptr);
}

STANDIN_EXPORT void CFDictionaryGetKeysAndValues(CFDictionaryRef theDict, const void** keys, const void** values)
{
  DictionaryObject* dictionary = CFObject::Cast<DictionaryObject>(theDict);
  if (!dictionary)
    return;
  size_t i = 0;
  for (const auto& [key, value] : dictionary->Entries())
  {
    if (keys)
      keys[i] = key;
    if (values)
      values[i] = value;
    ++i;
  }
}

STANDIN_EXPORT void CFDictionarySetValue(CFMutableDictionaryRef theDict, const void* key, const void* value)
{
  if (DictionaryObject* dictionary = MutableDictionary(theDict))
    dictionary->Set(key, value);
}

STANDIN_EXPORT void CFDictionaryAddValue(CFMutableDictionaryRef theDict, const void* key, const void* value)
{
  DictionaryObject* dictionary = MutableDictionary(theDict);
  if (dictionary && !dictionary->Find(key, nullptr))
    dictionary->Set(key, value);
}

STANDIN_EXPORT void CFDictionaryRemoveValue(CFMutableDictionaryRef theDict, const void* key)
{
  if (DictionaryObject* dictionary = MutableDictionary(theDict))
    dictionary->Remove(key);
}
