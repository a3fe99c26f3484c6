#include "TimerObject.h"

#include "Export.h"
#include "RunLoopObject.h"

#include <algorithm>

namespace standin {

namespace {

// A tiny positive interval would keep the loop busy forever.
constexpr CFTimeInterval kMinimumInterval = 0.0001;

}

TimerObject::TimerObject(CFAbsoluteTime fireDate, CFTimeInterval interval, CFRunLoopTimerCallBack callout, const CFRunLoopTimerContext* context)
  : CFObject(kTypeID)
  , mInterval(interval > 0.0 ? std::max(interval, kMinimumInterval) : 0.0)
  , mCallout(callout)
  , mContext(context ? *context : CFRunLoopTimerContext{0, nullptr, nullptr, nullptr, nullptr})
  , mFireDate(fireDate)
{
  if (mContext.retain && mContext.info)
    mContext.info = const_cast<void*>(mContext.retain(mContext.info));
}

TimerObject::~TimerObject()
{
  ReleaseInfo();
}

CFAbsoluteTime TimerObject::NextFireDate()
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  return mFireDate;
}

void TimerObject::SetNextFireDate(CFAbsoluteTime fireDate)
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  mFireDate = fireDate;
  if (mRunLoop)
    mRunLoop->WakeLocked();
}

bool TimerObject::IsValid()
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  return mValid;
}

void TimerObject::Invalidate()
{
  RunLoopObject* runLoop = nullptr;
  {
    std::lock_guard<std::mutex> lock(RunLoopMutex());
    if (!mValid)
      return;
    mValid = false;
    runLoop = mRunLoop;
    if (runLoop)
      runLoop->ForgetTimerLocked(this);
    mRunLoop = nullptr;
    mModes.clear();
  }
  ReleaseInfo();
  if (runLoop)
    Release();
}

void TimerObject::CallOut()
{
  mCallout(ToRef<CFRunLoopTimerRef>(this), mContext.info);
}

void TimerObject::ReleaseInfo()
{
  if (mInfoReleased)
    return;
  mInfoReleased = true;
  if (mContext.release && mContext.info)
    mContext.release(mContext.info);
}

}

using standin::CFObject;
using standin::RunLoopObject;
using standin::TimerObject;

STANDIN_EXPORT CFTypeID CFRunLoopTimerGetTypeID(void)
{
  return TimerObject::kTypeID;
}

STANDIN_EXPORT CFRunLoopTimerRef CFRunLoopTimerCreate(CFAllocatorRef, CFAbsoluteTime fireDate, CFTimeInterval interval, CFOptionFlags, CFIndex, CFRunLoopTimerCallBack callout, CFRunLoopTimerContext* context)
{
  if (!callout)
    return nullptr;
  return standin::ToRef<CFRunLoopTimerRef>(new TimerObject(fireDate, interval, callout, context));
}

STANDIN_EXPORT CFAbsoluteTime CFRunLoopTimerGetNextFireDate(CFRunLoopTimerRef timer)
{
  TimerObject* object = CFObject::Cast<TimerObject>(timer);
  return object ? object->NextFireDate() : 0.0;
}

STANDIN_EXPORT void CFRunLoopTimerSetNextFireDate(CFRunLoopTimerRef timer, CFAbsoluteTime fireDate)
{
  if (TimerObject* object = CFObject::Cast<TimerObject>(timer))
    object->SetNextFireDate(fireDate);
}

STANDIN_EXPORT CFTimeInterval CFRunLoopTimerGetInterval(CFRunLoopTimerRef timer)
{
  TimerObject* object = CFObject::Cast<TimerObject>(timer);
  return object ? object->Interval() : 0.0;
}

STANDIN_EXPORT Boolean CFRunLoopTimerDoesRepeat(CFRunLoopTimerRef timer)
{
  TimerObject* object = CFObject::Cast<TimerObject>(timer);
  return object && object->Interval() > 0.0;
}

STANDIN_EXPORT void CFRunLoopTimerInvalidate(CFRunLoopTimerRef timer)
{
  if (TimerObject* object = CFObject::Cast<TimerObject>(timer))
    object->Invalidate();
}

STANDIN_EXPORT Boolean CFRunLoopTimerIsValid(CFRunLoopTimerRef timer)
{
  TimerObject* object = CFObject::Cast<TimerObject>(timer);
  return object && object->IsValid();
}
