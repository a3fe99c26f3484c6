#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFRunLoop.h>

#include <set>
#include <string>

namespace standin {

class RunLoopObject;

// A run-loop timer. Its schedule (fire date, validity, run loop and modes) is guarded by the run-loop
// mutex; the run loop it belongs to holds one reference to it.
class TimerObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kRunLoopTimerTypeID;

  TimerObject(CFAbsoluteTime fireDate, CFTimeInterval interval, CFRunLoopTimerCallBack callout, const CFRunLoopTimerContext* context);
  ~TimerObject() override;

  CFTimeInterval Interval() const { return mInterval; }
  CFAbsoluteTime NextFireDate();
  void SetNextFireDate(CFAbsoluteTime fireDate);
  bool IsValid();
  // Removes the timer from its run loop and releases its context info; takes the run-loop mutex.
  void Invalidate();

private:
  friend class RunLoopObject;

  void CallOut();
  void ReleaseInfo();

  const CFTimeInterval mInterval;
  const CFRunLoopTimerCallBack mCallout;
  CFRunLoopTimerContext mContext;
  bool mInfoReleased = false;

  CFAbsoluteTime mFireDate;
  bool mValid = true;
  RunLoopObject* mRunLoop = nullptr;
  std::set<std::string> mModes;
};

}
