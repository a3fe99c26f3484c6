/* Basic scalar types shared by every platform interface, with the platform's widths. */
#ifndef __MACTYPES__
#define __MACTYPES__

typedef unsigned char UInt8;
typedef signed char SInt8;
typedef unsigned short UInt16;
typedef signed short SInt16;
typedef unsigned int UInt32;
typedef signed int SInt32;
typedef unsigned long long UInt64;
typedef signed long long SInt64;

typedef float Float32;
typedef double Float64;

typedef unsigned char Boolean;

typedef SInt32 OSStatus; /* 32-bit status code: 0 (noErr) for success, negative for errors */
typedef SInt16 OSErr;    /* 16-bit status code of the older services */

typedef UInt32 FourCharCode; /* four ASCII characters packed big-endian: 'aufx' is 0x61756678 */
typedef FourCharCode OSType;

typedef UInt8 Byte;
typedef unsigned long ByteCount;
typedef unsigned long ItemCount;
typedef UInt16 UniChar;

typedef char* Ptr;
typedef Ptr* Handle;

enum { noErr = 0 };

#endif
