/* Byte buffers as objects. */
#ifndef __COREFOUNDATION_CFDATA__
#define __COREFOUNDATION_CFDATA__

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN

typedef const struct __CFData* CFDataRef;
typedef struct __CFData* CFMutableDataRef;

/* Type ID of data objects. */
CF_EXPORT CFTypeID CFDataGetTypeID(void);
/* A new immutable copy of length bytes; caller owns; NULL for a negative length or NULL bytes with length > 0. */
CF_EXPORT CFDataRef CFDataCreate(CFAllocatorRef allocator, const UInt8* bytes, CFIndex length);
/* A new empty mutable buffer holding at most capacity bytes (0 = no limit); caller owns. */
CF_EXPORT CFMutableDataRef CFDataCreateMutable(CFAllocatorRef allocator, CFIndex capacity);
/* Number of bytes; 0 for a non-data object. */
CF_EXPORT CFIndex CFDataGetLength(CFDataRef theData);
/* The bytes, valid until the data changes or is released; NULL for a non-data object or no bytes. */
CF_EXPORT const UInt8* CFDataGetBytePtr(CFDataRef theData);
/* Writable bytes of a mutable buffer; NULL for an immutable one. */
CF_EXPORT UInt8* CFDataGetMutableBytePtr(CFMutableDataRef theData);
/* Copies the bytes of range into buffer; nothing is copied when the range is not inside the data. */
CF_EXPORT void CFDataGetBytes(CFDataRef theData, CFRange range, UInt8* buffer);
/* Resizes a mutable buffer; new bytes are zero. Ignored beyond the capacity. */
CF_EXPORT void CFDataSetLength(CFMutableDataRef theData, CFIndex length);
/* Appends length bytes to a mutable buffer; ignored beyond the capacity. */
CF_EXPORT void CFDataAppendBytes(CFMutableDataRef theData, const UInt8* bytes, CFIndex length);

CF_EXTERN_C_END

#endif
