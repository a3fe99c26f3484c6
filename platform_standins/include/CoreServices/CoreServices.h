/* Core Services: the Component Manager records and the Folder Manager. */
#ifndef __CORESERVICES__
#define __CORESERVICES__

#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/Components.h>
#include <CoreServices/Files.h>
#include <CoreServices/Folders.h>
#include <CoreServices/MacErrors.h>

#endif
