/* Numbers and booleans as objects. */
#ifndef __COREFOUNDATION_CFNUMBER__
#define __COREFOUNDATION_CFNUMBER__

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN

typedef const struct __CFBoolean* CFBooleanRef;

/* The two boolean constants; never released. */
CF_EXPORT const CFBooleanRef kCFBooleanTrue;
CF_EXPORT const CFBooleanRef kCFBooleanFalse;

/* Type ID of booleans. */
CF_EXPORT CFTypeID CFBooleanGetTypeID(void);
/* The value of a boolean; false for a non-boolean. */
CF_EXPORT Boolean CFBooleanGetValue(CFBooleanRef boolean);

typedef CFIndex CFNumberType;
enum {
  kCFNumberSInt8Type = 1,
  kCFNumberSInt16Type = 2,
  kCFNumberSInt32Type = 3,
  kCFNumberSInt64Type = 4,
  kCFNumberFloat32Type = 5,
  kCFNumberFloat64Type = 6,
  kCFNumberCharType = 7,
  kCFNumberShortType = 8,
  kCFNumberIntType = 9,
  kCFNumberLongType = 10,
  kCFNumberLongLongType = 11,
  kCFNumberFloatType = 12,
  kCFNumberDoubleType = 13,
  kCFNumberCFIndexType = 14,
  kCFNumberNSIntegerType = 15,
  kCFNumberCGFloatType = 16,
  kCFNumberMaxType = 16
};

typedef const struct __CFNumber* CFNumberRef;

/* Type ID of numbers. */
CF_EXPORT CFTypeID CFNumberGetTypeID(void);
/* A new number read from *valuePtr as theType; caller owns; NULL for an unknown type or NULL valuePtr. */
CF_EXPORT CFNumberRef CFNumberCreate(CFAllocatorRef allocator, CFNumberType theType, const void* valuePtr);
/* The stored type: one of the fixed-width types (SInt8/16/32/64, Float32/64); 0 for a non-number. */
CF_EXPORT CFNumberType CFNumberGetType(CFNumberRef number);
/* Byte size of the stored type; 0 for a non-number. */
CF_EXPORT CFIndex CFNumberGetByteSize(CFNumberRef number);
/* True when the stored type is a floating-point type. */
CF_EXPORT Boolean CFNumberIsFloatType(CFNumberRef number);
/* Writes the value converted to theType into *valuePtr; false when the conversion lost information (the nearest value is still written) or the arguments are bad. */
CF_EXPORT Boolean CFNumberGetValue(CFNumberRef number, CFNumberType theType, void* valuePtr);
/* Orders two numbers by value (NaN first, equal to NaN). */
CF_EXPORT CFComparisonResult CFNumberCompare(CFNumberRef number, CFNumberRef otherNumber, void* context);

CF_EXTERN_C_END

#endif
