/* Bundles: directories laid out as X.component/Contents/{Info.plist, MacOS/<executable>, Resources/}. */
#ifndef __COREFOUNDATION_CFBUNDLE__
#define __COREFOUNDATION_CFBUNDLE__

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFString.h>
#include <CoreFoundation/CFURL.h>

CF_EXTERN_C_BEGIN

typedef struct __CFBundle* CFBundleRef;

/* Standard Info.plist keys. */
CF_EXPORT const CFStringRef kCFBundleInfoDictionaryVersionKey;
CF_EXPORT const CFStringRef kCFBundleExecutableKey;
CF_EXPORT const CFStringRef kCFBundleIdentifierKey;
CF_EXPORT const CFStringRef kCFBundleVersionKey;
CF_EXPORT const CFStringRef kCFBundleNameKey;

/* Type ID of bundles. */
CF_EXPORT CFTypeID CFBundleGetTypeID(void);
/* The bundle of the running program; not owned. For a program at X.app/Contents/MacOS/prog it is X.app; for a plain executable it is the executable's directory, whose Info.plist (if any) gives the identifier (NULL identifier otherwise). */
CF_EXPORT CFBundleRef CFBundleGetMainBundle(void);
/* The already created or loaded bundle with that identifier, including any bundle whose executable is loaded in the process; not owned; NULL if none. */
CF_EXPORT CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef bundleID);
/* The bundle of the directory at bundleURL (one object per directory: an existing one is returned retained); caller owns; NULL when the directory does not exist. A missing or malformed Info.plist gives an empty info dictionary. */
CF_EXPORT CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleURL);
/* The CFBundleIdentifier of the bundle; not owned; NULL if absent. */
CF_EXPORT CFStringRef CFBundleGetIdentifier(CFBundleRef bundle);
/* The bundle's Info.plist dictionary (empty when missing or malformed); not owned. */
CF_EXPORT CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle);
/* The Info.plist value of key; not owned; NULL if absent. */
CF_EXPORT CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key);
/* A new URL of the bundle directory; caller owns. */
CF_EXPORT CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle);
/* A new URL of the resource directory (Contents/Resources, or the bundle directory itself for a flat bundle); caller owns. */
CF_EXPORT CFURLRef CFBundleCopyResourcesDirectoryURL(CFBundleRef bundle);
/* A new URL of the executable (Contents/MacOS/<CFBundleExecutable>); caller owns; NULL when the bundle names none. */
CF_EXPORT CFURLRef CFBundleCopyExecutableURL(CFBundleRef bundle);
/* A new URL of the existing resource file <resources>/[subDirName/]resourceName[.resourceType]; caller owns; NULL when there is no such file. */
CF_EXPORT CFURLRef CFBundleCopyResourceURL(CFBundleRef bundle, CFStringRef resourceName, CFStringRef resourceType, CFStringRef subDirName);
/* Loads the bundle's executable into the process (it stays loaded); true on success or when already loaded. */
CF_EXPORT Boolean CFBundleLoadExecutable(CFBundleRef bundle);
/* True when the bundle's executable is loaded. */
CF_EXPORT Boolean CFBundleIsExecutableLoaded(CFBundleRef bundle);
/* The address of the exported function functionName of the bundle's executable, loading it if needed; NULL if it cannot be loaded or has no such symbol. */
CF_EXPORT void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName);

CF_EXTERN_C_END

#endif
