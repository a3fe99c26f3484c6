/* File-system references as returned by the Folder Manager. */
#ifndef __FILES__
#define __FILES__

#include <CoreFoundation/CFBase.h>
#include <CoreServices/MacErrors.h>

CF_EXTERN_C_BEGIN

typedef SInt16 FSVolumeRefNum;

struct FSRef {
  UInt8 hidden[80]; /* opaque; filled by FSFindFolder */
};
typedef struct FSRef FSRef;

/* Writes the NUL-terminated UTF-8 POSIX path of ref into path; paramErr for a NULL or unknown ref, pathTooLongErr when it does not fit in maxPathSize bytes. */
extern OSStatus FSRefMakePath(const FSRef* ref, UInt8* path, UInt32 maxPathSize);

CF_EXTERN_C_END

#endif
