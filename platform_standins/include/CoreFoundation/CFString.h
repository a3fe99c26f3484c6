/* Immutable Unicode strings. Text crosses this interface as C strings in a named encoding. */
#ifndef __COREFOUNDATION_CFSTRING__
#define __COREFOUNDATION_CFSTRING__

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFDictionary.h>

CF_EXTERN_C_BEGIN

typedef UInt32 CFStringEncoding;
enum {
  kCFStringEncodingMacRoman = 0,
  kCFStringEncodingWindowsLatin1 = 0x0500,
  kCFStringEncodingISOLatin1 = 0x0201,
  kCFStringEncodingNextStepLatin = 0x0B01,
  kCFStringEncodingASCII = 0x0600,
  kCFStringEncodingUnicode = 0x0100,
  kCFStringEncodingUTF8 = 0x08000100,
  kCFStringEncodingNonLossyASCII = 0x0BFF
};
#define kCFStringEncodingInvalidId (0xffffffffU)

typedef CFOptionFlags CFStringCompareFlags;
enum {
  kCFCompareCaseInsensitive = 1,
  kCFCompareBackwards = 4,
  kCFCompareAnchored = 8,
  kCFCompareNonliteral = 16,
  kCFCompareLocalized = 32,
  kCFCompareNumerically = 64
};

/* A constant string for a UTF-8 literal: never needs releasing, never goes away. */
#define CFSTR(cStr) __CFStringMakeConstantString("" cStr "")

/* The process-wide constant string with these UTF-8 contents (behind CFSTR); NULL for invalid UTF-8. Not owned. */
CF_EXPORT CFStringRef __CFStringMakeConstantString(const char* cStr);

/* Type ID of strings. */
CF_EXPORT CFTypeID CFStringGetTypeID(void);
/* A new string from a NUL-terminated C string in UTF-8, ASCII or ISO Latin-1; caller owns; NULL if the bytes are not valid in that encoding. */
CF_EXPORT CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr, CFStringEncoding encoding);
/* A new string with the same contents; caller owns; NULL for a non-string. */
CF_EXPORT CFStringRef CFStringCreateCopy(CFAllocatorRef alloc, CFStringRef theString);
/* A new string from a printf-style format (plus %@ for any CF object, its description); caller owns; NULL for an unsupported conversion (%n, %S, positional). formatOptions is ignored. */
CF_EXPORT CFStringRef CFStringCreateWithFormat(CFAllocatorRef alloc, CFDictionaryRef formatOptions, CFStringRef format, ...);
/* As CFStringCreateWithFormat with a va_list. */
CF_EXPORT CFStringRef CFStringCreateWithFormatAndArguments(CFAllocatorRef alloc, CFDictionaryRef formatOptions, CFStringRef format, va_list arguments);
/* Length in UTF-16 code units; 0 for a non-string. */
CF_EXPORT CFIndex CFStringGetLength(CFStringRef theString);
/* Copies the text NUL-terminated into buffer; false (buffer untouched or partly written) if it does not fit in bufferSize bytes or cannot be represented in the encoding. */
CF_EXPORT Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize, CFStringEncoding encoding);
/* The string's own NUL-terminated text when it is available in that encoding without conversion, else NULL. Not owned; valid while the string lives. */
CF_EXPORT const char* CFStringGetCStringPtr(CFStringRef theString, CFStringEncoding encoding);
/* Bytes (without the NUL) needed at most for length UTF-16 units in the encoding; kCFNotFound for an unsupported encoding. */
CF_EXPORT CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding);
/* Orders two strings by code point; kCFCompareCaseInsensitive folds ASCII and Latin-1 letters, kCFCompareNumerically compares digit runs by value. Other flags are ignored. */
CF_EXPORT CFComparisonResult CFStringCompare(CFStringRef theString1, CFStringRef theString2, CFStringCompareFlags compareOptions);

CF_EXTERN_C_END

#endif
