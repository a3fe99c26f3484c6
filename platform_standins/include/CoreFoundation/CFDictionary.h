/* Key-value collections of pointer-sized keys and values, with caller-supplied ownership callbacks. */
#ifndef __COREFOUNDATION_CFDICTIONARY__
#define __COREFOUNDATION_CFDICTIONARY__

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN

typedef const void* (*CFDictionaryRetainCallBack)(CFAllocatorRef allocator, const void* value);
typedef void (*CFDictionaryReleaseCallBack)(CFAllocatorRef allocator, const void* value);
typedef CFStringRef (*CFDictionaryCopyDescriptionCallBack)(const void* value);
typedef Boolean (*CFDictionaryEqualCallBack)(const void* value1, const void* value2);
typedef CFHashCode (*CFDictionaryHashCallBack)(const void* value);

typedef struct {
  CFIndex version;                                    /* 0 */
  CFDictionaryRetainCallBack retain;                  /* NULL = none */
  CFDictionaryReleaseCallBack release;                /* NULL = none */
  CFDictionaryCopyDescriptionCallBack copyDescription; /* NULL = address */
  CFDictionaryEqualCallBack equal;                    /* NULL = pointer identity */
  CFDictionaryHashCallBack hash;                      /* NULL = pointer value */
} CFDictionaryKeyCallBacks;

typedef struct {
  CFIndex version;                                    /* 0 */
  CFDictionaryRetainCallBack retain;                  /* NULL = none */
  CFDictionaryReleaseCallBack release;                /* NULL = none */
  CFDictionaryCopyDescriptionCallBack copyDescription; /* NULL = address */
  CFDictionaryEqualCallBack equal;                    /* NULL = pointer identity */
} CFDictionaryValueCallBacks;

/* Key callbacks for CF object keys: CFRetain, CFRelease, CFCopyDescription, CFEqual, CFHash. */
CF_EXPORT const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks;
/* Value callbacks for CF object values: CFRetain, CFRelease, CFCopyDescription, CFEqual. */
CF_EXPORT const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks;

typedef const struct __CFDictionary* CFDictionaryRef;
typedef struct __CFDictionary* CFMutableDictionaryRef;

/* Type ID of dictionaries. */
CF_EXPORT CFTypeID CFDictionaryGetTypeID(void);
/* A new immutable dictionary of numValues pairs (a repeated key keeps its last value); caller owns; NULL for bad arguments. */
CF_EXPORT CFDictionaryRef CFDictionaryCreate(CFAllocatorRef allocator, const void** keys, const void** values, CFIndex numValues, const CFDictionaryKeyCallBacks* keyCallBacks, const CFDictionaryValueCallBacks* valueCallBacks);
/* A new empty mutable dictionary holding at most capacity pairs (0 = no limit); caller owns. */
CF_EXPORT CFMutableDictionaryRef CFDictionaryCreateMutable(CFAllocatorRef allocator, CFIndex capacity, const CFDictionaryKeyCallBacks* keyCallBacks, const CFDictionaryValueCallBacks* valueCallBacks);
/* Number of pairs; 0 for a non-dictionary. */
CF_EXPORT CFIndex CFDictionaryGetCount(CFDictionaryRef theDict);
/* The value for key, not retained for the caller; NULL when absent. */
CF_EXPORT const void* CFDictionaryGetValue(CFDictionaryRef theDict, const void* key);
/* True when key is present; its value (not retained) goes to *value when value is non-NULL. */
CF_EXPORT Boolean CFDictionaryGetValueIfPresent(CFDictionaryRef theDict, const void* key, const void** value);
/* True when key is present. */
CF_EXPORT Boolean CFDictionaryContainsKey(CFDictionaryRef theDict, const void* key);
/* Copies all keys and values (not retained) into arrays of CFDictionaryGetCount entries; either may be NULL. */
CF_EXPORT void CFDictionaryGetKeysAndValues(CFDictionaryRef theDict, const void** keys, const void** values);
/* Adds the pair or replaces the value of an existing key (the existing key object stays); ignored for an immutable or full dictionary. */
CF_EXPORT void CFDictionarySetValue(CFMutableDictionaryRef theDict, const void* key, const void* value);
/* Adds the pair only when key is absent. */
CF_EXPORT void CFDictionaryAddValue(CFMutableDictionaryRef theDict, const void* key, const void* value);
/* Removes (and releases) the pair of key, if present. */
CF_EXPORT void CFDictionaryRemoveValue(CFMutableDictionaryRef theDict, const void* key);

CF_EXTERN_C_END

#endif
