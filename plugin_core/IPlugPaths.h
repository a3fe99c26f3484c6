#pragma once

#include "WDL_String.h"

// Where the plug-in, its host and the user's folders are, as the platform's bundle and folder
// services answer. Each writes a path into path; main thread.
namespace iplug
{

// The executable of the loaded bundle with bundleID; path unchanged when no such bundle is loaded.
void HostPath(WDL_String& path, const char* bundleID);
// The folder that contains the bundle with bundleID, followed by "/"; unchanged when not loaded.
void PluginPath(WDL_String& path, const char* bundleID);
// The resource folder of the bundle with bundleID; unchanged when not loaded.
void BundleResourcePath(WDL_String& path, const char* bundleID);
// The user's desktop folder.
void DesktopPath(WDL_String& path);
// The user's home folder.
void UserHomePath(WDL_String& path);
// The user's music folder.
void SharedMusicPath(WDL_String& path);
// The application-support folder of the user, or of the whole machine when isSystem.
void AppSupportPath(WDL_String& path, bool isSystem = false);
// The user's application-support folder followed by "/" and name.
void INIPath(WDL_String& path, const char* name);
// "<library>/Audio/Presets/<maker>/<plug-in>/" in the user's library, or the machine's when isSystem.
void VST3PresetsPath(WDL_String& path, const char* mfrName, const char* pluginName, bool isSystem = true);
// The shared container folder of an application group ("<user library>/Group Containers/<id>"); false when unknown.
bool AppGroupContainerPath(WDL_String& path, const char* appGroupID);
// Whether the host runs this plug-in as an app extension (the main bundle's identifier contains "AUv3").
bool IsOOPAuv3AppExtension();
// Whether the process runs in an app sandbox (its home folder lies in "Library/Containers/").
bool AppIsSandboxed();
// Whether the host runs plug-ins in a separate helper process (the process name contains "XPC").
bool IsXPCAuHost();

} // namespace iplug
