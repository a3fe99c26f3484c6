#include "CFHelpers.h"

#include <cstring>
#include <memory>

#include "CFStringUtf8.h"
#include "IPreset.h"

namespace iplug
{
namespace
{
// The value of key (a UTF-8 literal) in dict, when dict is a dictionary; not owned.
CFTypeRef ValueForKey(CFDictionaryRef dict, const char* key)
{
  if (!dict || CFGetTypeID(dict) != CFDictionaryGetTypeID())
    return nullptr;
  CFStringRef keyStr = NewCFString(key);
  if (!keyStr)
    return nullptr;
  CFTypeRef value = CFDictionaryGetValue(dict, keyStr);
  CFRelease(keyStr);
  return value;
}

// Adds key -> value to dict and drops the caller's reference to value (the dictionary keeps its own).
void PutInDict(CFMutableDictionaryRef dict, const char* key, CFTypeRef value)
{
  CFStringRef keyStr = NewCFString(key);
  if (keyStr && value)
    CFDictionarySetValue(dict, keyStr, value);
  if (keyStr)
    CFRelease(keyStr);
  if (value)
    CFRelease(value);
}
} // namespace

WDL_String CFStringToUtf8(CFStringRef text)
{
  WDL_String result;
  result.Set(CFStringUtf8(text).c_str());
  return result;
}

CFStringRef NewCFString(const char* text)
{
  return CFStringCreateWithCString(kCFAllocatorDefault, text ? text : "", kCFStringEncodingUTF8);
}

void PutStrInDict(CFMutableDictionaryRef dict, const char* key, const char* value)
{
  PutInDict(dict, key, NewCFString(value));
}

void PutNumberInDict(CFMutableDictionaryRef dict, const char* key, SInt32 value)
{
  PutInDict(dict, key, CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt32Type, &value));
}

void PutDataInDict(CFMutableDictionaryRef dict, const char* key, const IByteChunk& chunk)
{
  PutInDict(dict, key, CFDataCreate(kCFAllocatorDefault, chunk.GetData(), chunk.Size()));
}

bool GetStrFromDict(CFDictionaryRef dict, const char* key, char* out, int outSize)
{
  if (outSize <= 0)
    return false;
  out[0] = '\0';
  const auto value = static_cast<CFStringRef>(ValueForKey(dict, key));
  if (!value || CFGetTypeID(value) != CFStringGetTypeID())
    return false;
  CopyPresetName(out, outSize, CFStringToUtf8(value).Get());
  return true;
}

bool GetInt32FromDict(CFDictionaryRef dict, const char* key, SInt32& value)
{
  const auto number = static_cast<CFNumberRef>(ValueForKey(dict, key));
  if (!number || CFGetTypeID(number) != CFNumberGetTypeID())
    return false;
  SInt32 read = 0;
  if (!CFNumberGetValue(number, kCFNumberSInt32Type, &read))
    return false;
  value = read;
  return true;
}

bool GetDataFromDict(CFDictionaryRef dict, const char* key, IByteChunk& chunk)
{
  const auto data = static_cast<CFDataRef>(ValueForKey(dict, key));
  if (!data || CFGetTypeID(data) != CFDataGetTypeID())
    return false;
  const CFIndex length = CFDataGetLength(data);
  if (length > 0x7fffffff)
    return false;
  const int size = static_cast<int>(length);
  if (chunk.Resize(size) != size)
    return false;
  if (size > 0)
    std::memcpy(chunk.GetData(), CFDataGetBytePtr(data), static_cast<std::size_t>(size));
  return true;
}
} // namespace iplug
