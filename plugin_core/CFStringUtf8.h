#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <cstddef>
#include <string>

namespace iplug
{
// The UTF-8 text of a Core Foundation string; empty for null, a non-string or text that cannot be converted.
// Header-only, so the host program and the tests can share it without linking the plug-in. Any thread.
inline std::string CFStringUtf8(CFTypeRef string)
{
  if (!string || CFGetTypeID(string) != CFStringGetTypeID())
    return {};
  const auto text = static_cast<CFStringRef>(string);
  const CFIndex capacity = CFStringGetMaximumSizeForEncoding(CFStringGetLength(text), kCFStringEncodingUTF8) + 1;
  if (capacity <= 1)
    return {};
  std::string result(static_cast<std::size_t>(capacity), '\0');
  if (!CFStringGetCString(text, result.data(), capacity, kCFStringEncodingUTF8))
    return {};
  result.resize(std::char_traits<char>::length(result.c_str()));
  return result;
}
} // namespace iplug
