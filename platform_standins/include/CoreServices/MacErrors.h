/* Status codes of the Carbon-era services used here. */
#ifndef __MACERRORS__
#define __MACERRORS__

#include <MacTypes.h>

enum {
  unimpErr = -4,
  fnfErr = -43,
  paramErr = -50,
  permErr = -54,
  memFullErr = -108,
  dirNFErr = -120,
  pathTooLongErr = -2095,
  invalidComponentID = -3000,
  validInstancesExist = -3001,
  coreFoundationUnknownErr = -4960
};

enum {
  badComponentInstance = (SInt32)0x80008001,
  badComponentSelector = (SInt32)0x80008002
};

#endif
