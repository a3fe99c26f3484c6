// Feeds arbitrary bytes to the XML property-list reader. Whatever it refuses must come with an error;
// whatever it accepts must write back and read again to an equal property list.

#include <CoreFoundation/CoreFoundation.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  CFDataRef bytes = CFDataCreate(nullptr, data, static_cast<CFIndex>(size));
  CFErrorRef error = nullptr;
  CFPropertyListRef plist = CFPropertyListCreateWithData(nullptr, bytes, kCFPropertyListMutableContainersAndLeaves, nullptr, &error);
  CFRelease(bytes);
  if (!plist)
  {
    if (!error || CFErrorGetCode(error) != kCFPropertyListReadCorruptError)
      std::abort();
    CFRelease(error);
    return 0;
  }
  CFDataRef written = CFPropertyListCreateData(nullptr, plist, kCFPropertyListXMLFormat_v1_0, 0, nullptr);
  if (!written)
    std::abort();
  CFPropertyListRef reread = CFPropertyListCreateWithData(nullptr, written, kCFPropertyListImmutable, nullptr, nullptr);
  if (!reread || !CFEqual(plist, reread))
    std::abort();
  CFRelease(reread);
  CFRelease(written);
  CFRelease(plist);
  return 0;
}
