#include "ListenerTable.h"

#include "Export.h"
#include "RunLoopObject.h"
#include "StringObject.h"

#include <algorithm>
#include <chrono>

namespace standin {

namespace {

bool IsParameterEvent(AudioUnitEventType type)
{
  return type == kAudioUnitEvent_ParameterValueChange || type == kAudioUnitEvent_BeginParameterChangeGesture || type == kAudioUnitEvent_EndParameterChangeGesture;
}

// Whether a posted event reaches a subscription to the subscribed event.
bool Reaches(const AudioUnitEvent& posted, const AudioUnitEvent& subscribed)
{
  if (posted.mEventType != subscribed.mEventType)
    return false;
  if (IsParameterEvent(posted.mEventType))
  {
    const AudioUnitParameter& a = posted.mArgument.mParameter;
    const AudioUnitParameter& b = subscribed.mArgument.mParameter;
    const bool anyParameter = b.mParameterID == kAUParameterListener_AnyParameter;
    return a.mAudioUnit == b.mAudioUnit && (anyParameter || a.mParameterID == b.mParameterID) && a.mScope == b.mScope && a.mElement == b.mElement;
  }
  if (posted.mEventType == kAudioUnitEvent_PropertyChange)
  {
    const AudioUnitProperty& a = posted.mArgument.mProperty;
    const AudioUnitProperty& b = subscribed.mArgument.mProperty;
    return a.mAudioUnit == b.mAudioUnit && a.mPropertyID == b.mPropertyID && a.mScope == b.mScope && a.mElement == b.mElement;
  }
  return false;
}

bool SameSubscription(const AUListenerBase::Subscription& subscription, void* object, const AudioUnitEvent& event)
{
  return subscription.object == object && Reaches(event, subscription.event) && Reaches(subscription.event, event);
}

UInt64 HostTimeNow()
{
  return static_cast<UInt64>(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
}

// Hands one event to a listener's function; a value change carries the parameter's value read now.
void Deliver(AUEventListenerProc proc, void* refCon, void* object, const AudioUnitEvent& event, UInt64 hostTime)
{
  AudioUnitParameterValue value = 0.0f;
  if (event.mEventType == kAudioUnitEvent_ParameterValueChange)
  {
    const AudioUnitParameter& parameter = event.mArgument.mParameter;
    if (AudioUnitGetParameter(parameter.mAudioUnit, parameter.mParameterID, parameter.mScope, parameter.mElement, &value) != noErr)
      value = 0.0f;
  }
  proc(refCon, object, &event, hostTime, value);
}

}

ListenerTable& ListenerTable::Instance()
{
  static auto* table = new ListenerTable();
  return *table;
}

bool ListenerTable::IsLiveLocked(AUListenerBase* listener) const
{
  return listener && std::find(mListeners.begin(), mListeners.end(), listener) != mListeners.end();
}

AUListenerBase* ListenerTable::Create(AUEventListenerProc proc, void* refCon, RunLoopObject* runLoop, const std::string& mode)
{
  auto* listener = new AUListenerBase{proc, refCon, runLoop, mode, {}};
  if (runLoop)
  {
    runLoop->Retain();
    runLoop->AddSource(listener, mode);
  }
  std::lock_guard<std::mutex> lock(mMutex);
  mListeners.push_back(listener);
  return listener;
}

OSStatus ListenerTable::Subscribe(AUListenerBase* listener, void* object, const AudioUnitEvent& event)
{
  std::lock_guard<std::mutex> lock(mMutex);
  if (!IsLiveLocked(listener))
    return kAudio_ParamError;
  const bool known = std::any_of(listener->subscriptions.begin(), listener->subscriptions.end(), [&](const auto& subscription) { return SameSubscription(subscription, object, event); });
  if (!known)
    listener->subscriptions.push_back({object, event});
  return noErr;
}

OSStatus ListenerTable::Unsubscribe(AUListenerBase* listener, void* object, const AudioUnitEvent& event)
{
  std::lock_guard<std::mutex> lock(mMutex);
  if (!IsLiveLocked(listener))
    return kAudio_ParamError;
  auto& subscriptions = listener->subscriptions;
  subscriptions.erase(std::remove_if(subscriptions.begin(), subscriptions.end(), [&](const auto& subscription) { return SameSubscription(subscription, object, event); }), subscriptions.end());
  return noErr;
}

void ListenerTable::Notify(AUListenerBase* sendingListener, void* sendingObject, const AudioUnitEvent& event)
{
  struct Immediate {
    AUEventListenerProc proc;
    void* refCon;
    void* object;
  };
  const UInt64 hostTime = HostTimeNow();
  std::vector<Immediate> immediate;
  {
    std::lock_guard<std::mutex> lock(mMutex);
    for (AUListenerBase* listener : mListeners)
    {
      for (const auto& subscription : listener->subscriptions)
      {
        const bool isSender = listener == sendingListener && (!sendingObject || subscription.object == sendingObject);
        if (isSender || !Reaches(event, subscription.event))
          continue;
        if (!listener->runLoop)
        {
          immediate.push_back({listener->proc, listener->refCon, subscription.object});
          continue;
        }
        AUEventListenerProc proc = listener->proc;
        void* refCon = listener->refCon;
        void* object = subscription.object;
        listener->runLoop->Post(listener, [proc, refCon, object, event, hostTime] { Deliver(proc, refCon, object, event, hostTime); });
      }
    }
  }
  for (const Immediate& delivery : immediate)
    Deliver(delivery.proc, delivery.refCon, delivery.object, event, hostTime);
}

OSStatus ListenerTable::Dispose(AUListenerBase* listener)
{
  {
    std::lock_guard<std::mutex> lock(mMutex);
    if (!IsLiveLocked(listener))
      return kAudio_ParamError;
    mListeners.erase(std::remove(mListeners.begin(), mListeners.end(), listener), mListeners.end());
  }
  if (listener->runLoop)
  {
    listener->runLoop->RemoveSource(listener);
    listener->runLoop->Release();
  }
  delete listener;
  return noErr;
}

}

using standin::ListenerTable;

STANDIN_EXPORT OSStatus AUEventListenerCreate(AUEventListenerProc inProc, void* inCallbackRefCon, CFRunLoopRef inRunLoop, CFStringRef inRunLoopMode, Float32, Float32, AUEventListenerRef* outListener)
{
  if (!inProc || !outListener)
    return kAudio_ParamError;
  standin::RunLoopObject* runLoop = standin::CFObject::Cast<standin::RunLoopObject>(inRunLoop);
  if (inRunLoop && !runLoop)
    return kAudio_ParamError;
  const std::string mode = standin::StringValue(inRunLoopMode).value_or(standin::RunLoopObject::kDefaultMode);
  *outListener = ListenerTable::Instance().Create(inProc, inCallbackRefCon, runLoop, mode);
  return noErr;
}

STANDIN_EXPORT OSStatus AUEventListenerAddEventType(AUEventListenerRef inListener, void* inObject, const AudioUnitEvent* inEvent)
{
  if (!inEvent)
    return kAudio_ParamError;
  return ListenerTable::Instance().Subscribe(inListener, inObject, *inEvent);
}

STANDIN_EXPORT OSStatus AUEventListenerRemoveEventType(AUEventListenerRef inListener, void* inObject, const AudioUnitEvent* inEvent)
{
  if (!inEvent)
    return kAudio_ParamError;
  return ListenerTable::Instance().Unsubscribe(inListener, inObject, *inEvent);
}

STANDIN_EXPORT OSStatus AUEventListenerNotify(AUEventListenerRef inSendingListener, void* inSendingObject, const AudioUnitEvent* inEvent)
{
  if (!inEvent)
    return kAudio_ParamError;
  ListenerTable::Instance().Notify(inSendingListener, inSendingObject, *inEvent);
  return noErr;
}

STANDIN_EXPORT OSStatus AUListenerDispose(AUParameterListenerRef inListener)
{
  return ListenerTable::Instance().Dispose(inListener);
}
