#pragma once

#include <AudioToolbox/AudioUnitUtilities.h>

#include <mutex>
#include <string>
#include <vector>

namespace standin {
class RunLoopObject;
}

// An event listener: the host's function, where it runs, and the events it subscribed to.
struct AUListenerBase {
  struct Subscription {
    void* object;
    AudioUnitEvent event;
  };

  AUEventListenerProc proc;
  void* refCon;
  standin::RunLoopObject* runLoop; // retained; null: events are delivered on the notifying thread
  std::string mode;
  std::vector<Subscription> subscriptions;
};

namespace standin {

// The live listeners, so that events reach every subscription and stale handles are refused.
class ListenerTable {
public:
  static ListenerTable& Instance();

  AUListenerBase* Create(AUEventListenerProc proc, void* refCon, RunLoopObject* runLoop, const std::string& mode);
  OSStatus Subscribe(AUListenerBase* listener, void* object, const AudioUnitEvent& event);
  OSStatus Unsubscribe(AUListenerBase* listener, void* object, const AudioUnitEvent& event);
  void Notify(AUListenerBase* sendingListener, void* sendingObject, const AudioUnitEvent& event);
  OSStatus Dispose(AUListenerBase* listener);

private:
  ListenerTable() = default;

  bool IsLiveLocked(AUListenerBase* listener) const;

  std::mutex mMutex;
  std::vector<AUListenerBase*> mListeners;
};

}
