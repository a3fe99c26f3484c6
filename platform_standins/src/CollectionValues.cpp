#include "CollectionValues.h"

#include "StringObject.h"

#include <cstdio>

namespace standin {

const void* RetainCFValue(CFAllocatorRef, const void* value)
{
  return CFRetain(value);
}

void ReleaseCFValue(CFAllocatorRef, const void* value)
{
  CFRelease(value);
}

std::string DescribeValue(CFStringRef (*copyDescription)(const void* value), const void* value)
{
  if (copyDescription)
  {
    CFStringRef description = copyDescription(value);
    std::optional<std::string> text = StringValue(description);
    CFRelease(description);
    if (text)
      return *text;
  }
  char address[32];
  std::snprintf(address, sizeof(address), "<%p>", value);
  return address;
}

}
