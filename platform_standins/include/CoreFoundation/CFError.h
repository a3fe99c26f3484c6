/* Error objects: a domain, a code and a description. */
#ifndef __COREFOUNDATION_CFERROR__
#define __COREFOUNDATION_CFERROR__

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN

typedef CFStringRef CFErrorDomain;
typedef struct __CFError* CFErrorRef;

/* Domain of errors with the Cocoa error codes (property-list errors use it). */
CF_EXPORT const CFErrorDomain kCFErrorDomainCocoa;
/* Domain of errors carrying an errno value. */
CF_EXPORT const CFErrorDomain kCFErrorDomainPOSIX;
/* Domain of errors carrying an OSStatus. */
CF_EXPORT const CFErrorDomain kCFErrorDomainOSStatus;

/* Type ID of errors. */
CF_EXPORT CFTypeID CFErrorGetTypeID(void);
/* The error's domain; not owned. NULL for a non-error. */
CF_EXPORT CFErrorDomain CFErrorGetDomain(CFErrorRef err);
/* The error's code; 0 for a non-error. */
CF_EXPORT CFIndex CFErrorGetCode(CFErrorRef err);
/* A new string describing the error; caller owns. NULL for a non-error. */
CF_EXPORT CFStringRef CFErrorCopyDescription(CFErrorRef err);

CF_EXTERN_C_END

#endif
