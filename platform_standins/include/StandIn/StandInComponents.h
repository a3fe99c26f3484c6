/* Extension of this system's platform stand-ins, not part of the platform's interface: registers the
   audio components of a bundle that lies outside the components folders, as a test or a development
   host needs. Components in ~/.local/lib/Audio/Plug-Ins/Components and
   /usr/local/lib/Audio/Plug-Ins/Components are found without it. */
#ifndef StandIn_StandInComponents_h
#define StandIn_StandInComponents_h

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN

/* Registers every valid entry of the AudioComponents array in bundlePath/Contents/Info.plist (a bundle
   registered before adds nothing); *outCount (may be NULL) gets the number of components added.
   noErr, kAudio_ParamError for a NULL path, kAudio_FileNotFoundError when bundlePath is not a directory,
   invalidComponentID when the bundle (newly registered) has no valid entry: missing or malformed
   Info.plist, or entries lacking type, subtype, manufacturer, name or factoryFunction. */
extern OSStatus StandInRegisterComponentBundle(const char* bundlePath, UInt32* outCount);

CF_EXTERN_C_END

#endif
