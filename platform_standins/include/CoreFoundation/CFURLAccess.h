/* Reading and writing the bytes a file URL names. */
#ifndef __COREFOUNDATION_CFURLACCESS__
#define __COREFOUNDATION_CFURLACCESS__

#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFURL.h>

CF_EXTERN_C_BEGIN

enum {
  kCFURLUnknownError = -10L,
  kCFURLUnknownSchemeError = -11L,
  kCFURLResourceNotFoundError = -12L,
  kCFURLResourceAccessViolationError = -13L,
  kCFURLRemoteHostUnavailableError = -14L,
  kCFURLImproperArgumentsError = -15L,
  kCFURLUnknownPropertyKeyError = -16L,
  kCFURLPropertyKeyUnavailableError = -17L,
  kCFURLTimeoutError = -18L
};

/* Reads the whole file of a file URL into a new data object (*resourceData, caller owns). Resource properties are not provided: *properties is set to NULL. On failure returns false and the kCFURL...Error code in *errorCode. */
CF_EXPORT Boolean CFURLCreateDataAndPropertiesFromResource(CFAllocatorRef alloc, CFURLRef url, CFDataRef* resourceData, CFDictionaryRef* properties, CFArrayRef desiredProperties, SInt32* errorCode);
/* Replaces the file of a file URL with the bytes of dataToWrite (propertiesToWrite is ignored); false and a kCFURL...Error code on failure. */
CF_EXPORT Boolean CFURLWriteDataAndPropertiesToResource(CFURLRef url, CFDataRef dataToWrite, CFDictionaryRef propertiesToWrite, SInt32* errorCode);

CF_EXTERN_C_END

#endif
