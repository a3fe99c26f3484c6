/* Ordered collections of pointer-sized values, with caller-supplied ownership callbacks. */
#ifndef __COREFOUNDATION_CFARRAY__
#define __COREFOUNDATION_CFARRAY__

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN

typedef const void* (*CFArrayRetainCallBack)(CFAllocatorRef allocator, const void* value);
typedef void (*CFArrayReleaseCallBack)(CFAllocatorRef allocator, const void* value);
typedef CFStringRef (*CFArrayCopyDescriptionCallBack)(const void* value);
typedef Boolean (*CFArrayEqualCallBack)(const void* value1, const void* value2);

typedef struct {
  CFIndex version;                               /* 0 */
  CFArrayRetainCallBack retain;                  /* called when a value enters the array; NULL = none */
  CFArrayReleaseCallBack release;                /* called when a value leaves the array; NULL = none */
  CFArrayCopyDescriptionCallBack copyDescription; /* describes a value (result owned by the array); NULL = address */
  CFArrayEqualCallBack equal;                    /* compares values; NULL = pointer identity */
} CFArrayCallBacks;

/* Callbacks for arrays of CF objects: CFRetain, CFRelease, CFCopyDescription, CFEqual. */
CF_EXPORT const CFArrayCallBacks kCFTypeArrayCallBacks;

typedef const struct __CFArray* CFArrayRef;
typedef struct __CFArray* CFMutableArrayRef;

/* Type ID of arrays. */
CF_EXPORT CFTypeID CFArrayGetTypeID(void);
/* A new immutable array of numValues values, each retained through the callbacks (NULL callbacks = none); caller owns; NULL for bad arguments. */
CF_EXPORT CFArrayRef CFArrayCreate(CFAllocatorRef allocator, const void** values, CFIndex numValues, const CFArrayCallBacks* callBacks);
/* A new empty mutable array holding at most capacity values (0 = no limit); the callbacks are copied; caller owns. */
CF_EXPORT CFMutableArrayRef CFArrayCreateMutable(CFAllocatorRef allocator, CFIndex capacity, const CFArrayCallBacks* callBacks);
/* Number of values; 0 for a non-array. */
CF_EXPORT CFIndex CFArrayGetCount(CFArrayRef theArray);
/* The value at idx, not retained for the caller; NULL for an index out of range or a non-array. */
CF_EXPORT const void* CFArrayGetValueAtIndex(CFArrayRef theArray, CFIndex idx);
/* Appends value (retained through the callbacks); ignored for an immutable or full array. */
CF_EXPORT void CFArrayAppendValue(CFMutableArrayRef theArray, const void* value);
/* Removes (and releases) the value at idx; ignored for a bad index or an immutable array. */
CF_EXPORT void CFArrayRemoveValueAtIndex(CFMutableArrayRef theArray, CFIndex idx);
/* Removes (and releases) every value of a mutable array. */
CF_EXPORT void CFArrayRemoveAllValues(CFMutableArrayRef theArray);

CF_EXTERN_C_END

#endif
