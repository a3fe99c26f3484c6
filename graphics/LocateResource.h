#pragma once

#include "WDL_String.h"

// Finding resource files: in the plug-in bundle's resource directory, in the shared resources folder
// under the user's music folder, or as a plain path. [main-thread]
namespace iplug
{

// Where a resource was found.
enum EResourceLocation : int
{
  kNotFound = 0,     // nowhere
  kAbsolutePath = 1, // the result is a file path
  kWinBinary = 2     // compiled into the module; never produced on this platform
};

// Looks for the resource name with extension type (without the dot) in the bundle with bundleID, then in the
// shared folder under sharedResourcesSubPath, then at name taken as a path; result receives the file's path.
// pModule is ignored on this platform. kNotFound for a null or empty name or when nothing exists.
EResourceLocation LocateResource(const char* name, const char* type, WDL_String& result, const char* bundleID,
                                 void* pModule, const char* sharedResourcesSubPath);

// The path of name in the resource directory of the bundle with bundleID, when name's extension equals type
// ignoring case and a file exists there; otherwise false with result emptied. Directories in name are kept.
// Inside an app extension the resources lie beside the extension's containing bundle instead.
bool GetResourcePathFromBundle(const char* name, const char* type, WDL_String& result, const char* bundleID);

// The path <music folder>/<subfolder>/Resources/<last component of name>, when name's extension equals type
// ignoring case and a file exists there; otherwise false with result emptied.
bool GetResourcePathFromSharedLocation(const char* name, const char* type, WDL_String& result,
                                       const char* sharedResourcesSubPath);

} // namespace iplug
