/* Core Foundation base: object references, reference counting, allocators. */
#ifndef __COREFOUNDATION_CFBASE__
#define __COREFOUNDATION_CFBASE__

#include <MacTypes.h>
#include <stdarg.h>
#include <stddef.h>

#ifdef __cplusplus
#define CF_EXTERN_C_BEGIN extern "C" {
#define CF_EXTERN_C_END }
#else
#define CF_EXTERN_C_BEGIN
#define CF_EXTERN_C_END
#endif

#define CF_EXPORT extern
#define CF_INLINE static inline

CF_EXTERN_C_BEGIN

typedef unsigned long CFTypeID;
typedef unsigned long CFOptionFlags;
typedef unsigned long CFHashCode;
typedef signed long CFIndex;

typedef const void* CFTypeRef;
typedef const struct __CFString* CFStringRef;
typedef struct __CFString* CFMutableStringRef;
typedef CFTypeRef CFPropertyListRef;
typedef const struct __CFAllocator* CFAllocatorRef;

typedef CFIndex CFComparisonResult;
enum { kCFCompareLessThan = -1, kCFCompareEqualTo = 0, kCFCompareGreaterThan = 1 };

typedef CFComparisonResult (*CFComparatorFunction)(const void* val1, const void* val2, void* context);

enum { kCFNotFound = -1 };

typedef struct {
  CFIndex location;
  CFIndex length;
} CFRange; /* a span of items: first index and count */

CF_INLINE CFRange CFRangeMake(CFIndex loc, CFIndex len) { CFRange range = {loc, len}; return range; }

/* The default allocator; NULL everywhere an allocator is asked for means the same. */
CF_EXPORT const CFAllocatorRef kCFAllocatorDefault;
/* The system allocator (malloc and free underneath). */
CF_EXPORT const CFAllocatorRef kCFAllocatorSystemDefault;
/* An allocator that explicitly uses malloc and free. */
CF_EXPORT const CFAllocatorRef kCFAllocatorMalloc;
/* An allocator that allocates nothing and frees nothing. */
CF_EXPORT const CFAllocatorRef kCFAllocatorNull;

/* Type ID of allocators. */
CF_EXPORT CFTypeID CFAllocatorGetTypeID(void);
/* The current default allocator (the system allocator); not owned by the caller. */
CF_EXPORT CFAllocatorRef CFAllocatorGetDefault(void);
/* Allocates size bytes with the allocator (NULL = default); NULL for size <= 0 or kCFAllocatorNull. Free with CFAllocatorDeallocate. */
CF_EXPORT void* CFAllocatorAllocate(CFAllocatorRef allocator, CFIndex size, CFOptionFlags hint);
/* Frees memory obtained from CFAllocatorAllocate with the same allocator; NULL ptr is ignored. */
CF_EXPORT void CFAllocatorDeallocate(CFAllocatorRef allocator, void* ptr);

/* The type ID of any Core Foundation object; 0 for NULL or something that is not one. */
CF_EXPORT CFTypeID CFGetTypeID(CFTypeRef cf);
/* A new string naming the type ("CFString", ...); caller owns; NULL for an unknown ID. */
CF_EXPORT CFStringRef CFCopyTypeIDDescription(CFTypeID type_id);
/* Adds one reference and returns cf; NULL is passed through. Thread-safe. */
CF_EXPORT CFTypeRef CFRetain(CFTypeRef cf);
/* Drops one reference, destroying the object at zero; NULL is ignored. Thread-safe. */
CF_EXPORT void CFRelease(CFTypeRef cf);
/* Current reference count (a very large number for constants); 0 for NULL. */
CF_EXPORT CFIndex CFGetRetainCount(CFTypeRef cf);
/* True when both are objects of the same type with equal contents. False if either is NULL. */
CF_EXPORT Boolean CFEqual(CFTypeRef cf1, CFTypeRef cf2);
/* A hash consistent with CFEqual; 0 for NULL. */
CF_EXPORT CFHashCode CFHash(CFTypeRef cf);
/* A new human-readable description of the object; caller owns; NULL for NULL. */
CF_EXPORT CFStringRef CFCopyDescription(CFTypeRef cf);
/* The allocator the object was made with (always the system allocator here); not owned. */
CF_EXPORT CFAllocatorRef CFGetAllocator(CFTypeRef cf);

CF_EXTERN_C_END

#endif
