/* Absolute time: seconds relative to 1 January 2001 00:00:00 UTC. */
#ifndef __COREFOUNDATION_CFDATE__
#define __COREFOUNDATION_CFDATE__

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN

typedef double CFTimeInterval; /* seconds */
typedef CFTimeInterval CFAbsoluteTime; /* seconds since 2001-01-01 00:00:00 UTC */

/* Seconds from 1970-01-01 to 2001-01-01 (978307200). */
CF_EXPORT const CFTimeInterval kCFAbsoluteTimeIntervalSince1970;

/* The current wall-clock time. */
CF_EXPORT CFAbsoluteTime CFAbsoluteTimeGetCurrent(void);

typedef const struct __CFDate* CFDateRef;

/* Type ID of dates. */
CF_EXPORT CFTypeID CFDateGetTypeID(void);
/* A new date for the absolute time; caller owns. */
CF_EXPORT CFDateRef CFDateCreate(CFAllocatorRef allocator, CFAbsoluteTime at);
/* The absolute time of a date; 0 for a non-date. */
CF_EXPORT CFAbsoluteTime CFDateGetAbsoluteTime(CFDateRef theDate);

CF_EXTERN_C_END

#endif
