#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <string>

namespace standin {

// Retain callback of the CF-type collection callbacks.
const void* RetainCFValue(CFAllocatorRef allocator, const void* value);
// Release callback of the CF-type collection callbacks.
void ReleaseCFValue(CFAllocatorRef allocator, const void* value);
// The description of one collection value, through the callback when there is one, else its address.
std::string DescribeValue(CFStringRef (*copyDescription)(const void* value), const void* value);

}
