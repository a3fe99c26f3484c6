/* The Component Manager's instance records and parameter blocks, as audio components still use them. */
#ifndef __COMPONENTS__
#define __COMPONENTS__

#include <CoreFoundation/CFBase.h>
#include <CoreServices/MacErrors.h>

CF_EXTERN_C_BEGIN

typedef struct ComponentRecord* Component;
typedef struct ComponentInstanceRecord* ComponentInstance;
typedef SInt32 ComponentResult;

struct ComponentParameters {
  UInt8 flags;      /* call flags */
  UInt8 paramSize;  /* bytes of parameters */
  SInt16 what;      /* the selector */
#if __LP64__
  UInt32 padding;
#endif
  long params[1];   /* the call's arguments, one pointer-sized slot each */
};
typedef struct ComponentParameters ComponentParameters;

enum {
  kComponentOpenSelect = -1,
  kComponentCloseSelect = -2,
  kComponentCanDoSelect = -3,
  kComponentVersionSelect = -4,
  kComponentRegisterSelect = -5,
  kComponentTargetSelect = -6,
  kComponentUnregisterSelect = -7
};

/* The storage of an instance: for an audio component instance, the AudioComponentPlugInInterface its factory returned, until replaced with SetComponentInstanceStorage. NULL for an unknown instance. */
extern Handle GetComponentInstanceStorage(ComponentInstance aComponentInstance);
/* Replaces the storage of an instance; ignored for an unknown instance. */
extern void SetComponentInstanceStorage(ComponentInstance aComponentInstance, Handle theStorage);

CF_EXTERN_C_END

#endif
