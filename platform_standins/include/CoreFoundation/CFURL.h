/* URLs, mainly file URLs standing for paths in the file system. */
#ifndef __COREFOUNDATION_CFURL__
#define __COREFOUNDATION_CFURL__

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFString.h>

CF_EXTERN_C_BEGIN

typedef CFIndex CFURLPathStyle;
enum { kCFURLPOSIXPathStyle = 0, kCFURLHFSPathStyle = 1, kCFURLWindowsPathStyle = 2 };

typedef const struct __CFURL* CFURLRef;

/* Type ID of URLs. */
CF_EXPORT CFTypeID CFURLGetTypeID(void);
/* A new URL from an absolute, percent-encoded URL string, or a relative one resolved against a file baseURL (and stored resolved); caller owns; NULL for characters a URL may not contain, a broken escape, a file URL naming a remote host, or a relative string without a file base. */
CF_EXPORT CFURLRef CFURLCreateWithString(CFAllocatorRef allocator, CFStringRef URLString, CFURLRef baseURL);
/* A new file URL for a POSIX path (a relative path is taken from the current directory); caller owns; NULL for an empty path or another path style. */
CF_EXPORT CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef allocator, CFStringRef filePath, CFURLPathStyle pathStyle, Boolean isDirectory);
/* As CFURLCreateWithFileSystemPath from bufLen bytes of UTF-8 path. */
CF_EXPORT CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef allocator, const UInt8* buffer, CFIndex bufLen, Boolean isDirectory);
/* A new URL with one path component appended (a directory when isDirectory); caller owns; NULL for a non-file URL. */
CF_EXPORT CFURLRef CFURLCreateCopyAppendingPathComponent(CFAllocatorRef allocator, CFURLRef url, CFStringRef pathComponent, Boolean isDirectory);
/* A new URL of the directory that contains url's last path component; caller owns; NULL for a non-file URL. */
CF_EXPORT CFURLRef CFURLCreateCopyDeletingLastPathComponent(CFAllocatorRef allocator, CFURLRef url);
/* The URL's absolute string; not owned, lives as long as the URL. */
CF_EXPORT CFStringRef CFURLGetString(CFURLRef anURL);
/* A new string with the decoded POSIX path of a file URL (no trailing slash except for "/"); caller owns; NULL for other URLs or styles. */
CF_EXPORT CFStringRef CFURLCopyFileSystemPath(CFURLRef anURL, CFURLPathStyle pathStyle);
/* A new string with the last path component of a file URL; caller owns; NULL for other URLs. */
CF_EXPORT CFStringRef CFURLCopyLastPathComponent(CFURLRef url);
/* Writes the NUL-terminated UTF-8 path of a file URL into buffer; false if it does not fit in maxBufLen bytes or the URL is not a file URL. */
CF_EXPORT Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer, CFIndex maxBufLen);
/* True when the URL's path ends with a slash (names a directory). */
CF_EXPORT Boolean CFURLHasDirectoryPath(CFURLRef anURL);

CF_EXTERN_C_END

#endif
