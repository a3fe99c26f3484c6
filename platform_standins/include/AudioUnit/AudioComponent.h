/* Audio components: finding them, the factory contract, and their instances. */
#ifndef AudioUnit_AudioComponent_h
#define AudioUnit_AudioComponent_h

#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/Components.h>
#include <assert.h>

CF_EXTERN_C_BEGIN

typedef UInt32 AudioComponentFlags;
enum {
  kAudioComponentFlag_Unsearchable = 1,
  kAudioComponentFlag_SandboxSafe = 2,
  kAudioComponentFlag_IsV3AudioUnit = 4,
  kAudioComponentFlag_RequiresAsyncInstantiation = 8,
  kAudioComponentFlag_CanLoadInProcess = 0x10
};

struct AudioComponentDescription {
  OSType componentType;         /* 'aufx', ...; 0 matches any in a search */
  OSType componentSubType;      /* 0 matches any in a search */
  OSType componentManufacturer; /* 0 matches any in a search */
  UInt32 componentFlags;        /* 0 */
  UInt32 componentFlagsMask;    /* 0 */
};
typedef struct AudioComponentDescription AudioComponentDescription;

typedef struct OpaqueAudioComponent* AudioComponent;
typedef struct ComponentInstanceRecord* AudioComponentInstance;

/* A component method; each selector's method is called through its own full signature. */
typedef OSStatus (*AudioComponentMethod)(void* self, ...);

struct AudioComponentPlugInInterface {
  OSStatus (*Open)(void* self, AudioComponentInstance mInstance); /* called once after the factory; self is this interface */
  OSStatus (*Close)(void* self);                                   /* called once at disposal (also after a failed Open); frees everything */
  AudioComponentMethod (*Lookup)(SInt16 selector);                 /* the method for a selector, or NULL */
  void* reserved;                                                  /* NULL */
};
typedef struct AudioComponentPlugInInterface AudioComponentPlugInInterface;

/* A component's factory, named by "factoryFunction" in its bundle's AudioComponents entry. */
typedef AudioComponentPlugInInterface* (*AudioComponentFactoryFunction)(const AudioComponentDescription* inDesc);

enum {
  kAudioComponentErr_InstanceInvalidated = -66749,
  kAudioComponentErr_DuplicateDescription = -66752,
  kAudioComponentErr_UnsupportedType = -66751,
  kAudioComponentErr_TooManyInstances = -66750,
  kAudioComponentErr_NotPermitted = -66748,
  kAudioComponentErr_InitializationTimedOut = -66747,
  kAudioComponentErr_InvalidFormat = -66746
};

/* The next component after inComponent (NULL: the first) matching inDesc (zero fields match anything; NULL matches all); NULL when there is none. Starting a search (inComponent NULL) picks up bundles newly installed in the components folders. Not owned: components live for the whole process. */
extern AudioComponent AudioComponentFindNext(AudioComponent inComponent, const AudioComponentDescription* inDesc);
/* Number of components matching inDesc. */
extern UInt32 AudioComponentCount(const AudioComponentDescription* inDesc);
/* A new string with the component's name (*outName, caller owns); kAudio_ParamError for bad arguments. */
extern OSStatus AudioComponentCopyName(AudioComponent inComponent, CFStringRef* outName);
/* The component's description; kAudio_ParamError for bad arguments. */
extern OSStatus AudioComponentGetDescription(AudioComponent inComponent, AudioComponentDescription* outDesc);
/* The component's version (0xMMMMmmbb); kAudio_ParamError for bad arguments. */
extern OSStatus AudioComponentGetVersion(AudioComponent inComponent, UInt32* outVersion);
/* Makes an instance: loads the bundle's executable on first use, calls the factory, then Open. invalidComponentID when the code, the factory symbol or the instance cannot be had, or Open's status; *outInstance is NULL on failure. Dispose with AudioComponentInstanceDispose. */
extern OSStatus AudioComponentInstanceNew(AudioComponent inComponent, AudioComponentInstance* outInstance);
/* Calls the instance's Close and forgets it; badComponentInstance for an unknown instance. */
extern OSStatus AudioComponentInstanceDispose(AudioComponentInstance inInstance);
/* The component of an instance; NULL for an unknown instance. */
extern AudioComponent AudioComponentInstanceGetComponent(AudioComponentInstance inInstance);
/* True when the instance's Lookup serves the selector. */
extern Boolean AudioComponentInstanceCanDo(AudioComponentInstance inInstance, SInt16 inSelectorID);
/* Registers an in-process component with a factory function; returns it (lives for the whole process), or NULL for bad arguments. */
extern AudioComponent AudioComponentRegister(const AudioComponentDescription* inDesc, CFStringRef inName, UInt32 inVersion, AudioComponentFactoryFunction inFactory);

static_assert(sizeof(AudioComponentDescription) == 20, "AudioComponentDescription is 20 bytes");
static_assert(sizeof(AudioComponentPlugInInterface) == 32, "AudioComponentPlugInInterface is 32 bytes");

CF_EXTERN_C_END

#endif
