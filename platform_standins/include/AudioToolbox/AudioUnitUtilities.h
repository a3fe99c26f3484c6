/* Event listeners: how hosts hear about parameter gestures, value changes and property changes that a
   unit (or another listener) announces with AUEventListenerNotify. A listener made with a run loop gets
   its events when that run loop runs in the listener's mode, in the order they were posted; one made
   without gets them at once, on the notifying thread. Every event is delivered: none are coalesced, so
   the notification interval and the value granularity are not used. */
#ifndef AudioToolbox_AudioUnitUtilities_h
#define AudioToolbox_AudioUnitUtilities_h

#include <AudioUnit/AudioUnit.h>
#include <CoreFoundation/CFRunLoop.h>

CF_EXTERN_C_BEGIN

typedef UInt32 AudioUnitEventType;
enum {
  kAudioUnitEvent_ParameterValueChange = 0,
  kAudioUnitEvent_BeginParameterChangeGesture = 1,
  kAudioUnitEvent_EndParameterChangeGesture = 2,
  kAudioUnitEvent_PropertyChange = 3
};

struct AudioUnitEvent {
  AudioUnitEventType mEventType;
  union {
    AudioUnitParameter mParameter; /* for the three parameter event types */
    AudioUnitProperty mProperty;   /* for kAudioUnitEvent_PropertyChange */
  } mArgument;
};
typedef struct AudioUnitEvent AudioUnitEvent;

#define kAUParameterListener_AnyParameter 0xFFFFFFFF

typedef struct AUListenerBase* AUParameterListenerRef;
typedef AUParameterListenerRef AUEventListenerRef;

/* Receives one event. inParameterValue is the parameter's value read from the unit at delivery (value-change events; 0 otherwise); inEventHostTime is the posting time in nanoseconds of the monotonic clock. */
typedef void (*AUEventListenerProc)(void* inCallbackRefCon, void* inObject, const AudioUnitEvent* inEvent, UInt64 inEventHostTime, AudioUnitParameterValue inParameterValue);

/* Makes a listener (*outListener; dispose with AUListenerDispose) whose proc runs on inRunLoop in inRunLoopMode (NULL run loop: on the notifying thread). kAudio_ParamError for a NULL proc or outListener. */
extern OSStatus AUEventListenerCreate(AUEventListenerProc inProc, void* inCallbackRefCon, CFRunLoopRef inRunLoop, CFStringRef inRunLoopMode, Float32 inNotificationInterval, Float32 inValueChangeGranularity, AUEventListenerRef* outListener);
/* Subscribes the listener to events like inEvent (same type, unit, scope, element, and parameter or property; kAUParameterListener_AnyParameter matches every parameter); inObject is handed back with each event. */
extern OSStatus AUEventListenerAddEventType(AUEventListenerRef inListener, void* inObject, const AudioUnitEvent* inEvent);
/* Ends a subscription made with the same object and event. */
extern OSStatus AUEventListenerRemoveEventType(AUEventListenerRef inListener, void* inObject, const AudioUnitEvent* inEvent);
/* Announces an event to every subscribed listener except inSendingListener (for inSendingObject, or all its objects when that is NULL). Any thread. */
extern OSStatus AUEventListenerNotify(AUEventListenerRef inSendingListener, void* inSendingObject, const AudioUnitEvent* inEvent);
/* Disposes of a listener; its undelivered events are dropped. */
extern OSStatus AUListenerDispose(AUParameterListenerRef inListener);

static_assert(sizeof(AudioUnitEvent) == 32, "AudioUnitEvent is 32 bytes");

CF_EXTERN_C_END

#endif
