#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFRunLoop.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace standin {

class TimerObject;

// One mutex guards every run loop and timer: their state refers to each other, and no user code ever
// runs while it is held.
std::mutex& RunLoopMutex();

// A thread's run loop: timers and sources, each in a set of modes, run only by that thread.
class RunLoopObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kRunLoopTypeID;

  static constexpr const char* kDefaultMode = "kCFRunLoopDefaultMode";
  static constexpr const char* kCommonModes = "kCFRunLoopCommonModes";

  static RunLoopObject* Main();
  static RunLoopObject* Current();

  RunLoopObject();
  ~RunLoopObject() override;

  void AddCommonMode(const std::string& mode);
  CFRunLoopRunResult Run(const std::string& mode, CFTimeInterval seconds, bool returnAfterSourceHandled);
  void Stop();
  void WakeUp();

  void AddTimer(TimerObject* timer, const std::string& mode);
  void RemoveTimer(TimerObject* timer, const std::string& mode);
  bool ContainsTimer(TimerObject* timer, const std::string& mode);
  // With the run-loop mutex held: drops the timer without releasing it (the caller does).
  void ForgetTimerLocked(TimerObject* timer);
  // With the run-loop mutex held: makes a sleeping run re-examine its timers.
  void WakeLocked();

  // A source: work posted from any thread by its owner, run in the loop's thread in mode.
  void AddSource(const void* owner, const std::string& mode);
  // Removes the owner's source and drops its undelivered work.
  void RemoveSource(const void* owner);
  void Post(const void* owner, std::function<void()> work);

private:
  struct Source {
    const void* owner;
    std::string mode;
    std::deque<std::function<void()>> pending;
  };

  bool ModeMatches(const std::string& scheduledMode, const std::string& runMode) const;
  bool TimerMatches(const TimerObject& timer, const std::string& runMode) const;
  bool HasWorkLocked(const std::string& mode) const;
  size_t PendingLocked(const std::string& mode) const;
  std::optional<CFAbsoluteTime> NextFireDateLocked(const std::string& mode) const;
  void FireDueTimers(std::unique_lock<std::mutex>& lock, const std::string& mode);
  bool RunSources(std::unique_lock<std::mutex>& lock, const std::string& mode);

  std::condition_variable mWake;
  std::vector<TimerObject*> mTimers;
  std::set<std::string> mCommonModes{kDefaultMode};
  std::vector<Source> mSources;
  bool mStopRequested = false;
  bool mWakeRequested = false;
};

}
