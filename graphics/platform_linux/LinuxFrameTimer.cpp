#include "LinuxFrameTimer.h"

namespace iplug::igraphics {

LinuxFrameTimer::~LinuxFrameTimer()
{
  Stop();
}

bool LinuxFrameTimer::Start(double interval, TickFunc tick, void* info)
{
  if (mTimer)
    return true;
  mTick = tick;
  mInfo = info;
  CFRunLoopTimerContext context{};
  context.info = this;
  mTimer = CFRunLoopTimerCreate(kCFAllocatorDefault, CFAbsoluteTimeGetCurrent() + interval, interval, 0, 0, TimerProc,
                                &context);
  if (!mTimer)
    return false;
  // The current thread's run loop, not the main one: the thread that opened the editor is the one that turns
  // it, and the one whose GL and X calls the editor makes.
  CFRunLoopAddTimer(CFRunLoopGetCurrent(), mTimer, kCFRunLoopCommonModes);
  return true;
}

void LinuxFrameTimer::Stop()
{
  if (!mTimer)
    return;
  CFRunLoopTimerInvalidate(mTimer);
  CFRelease(mTimer);
  mTimer = nullptr;
}

void LinuxFrameTimer::TimerProc(CFRunLoopTimerRef /*timer*/, void* info)
{
  auto* self = static_cast<LinuxFrameTimer*>(info);
  self->mTick(self->mInfo);
}

} // namespace iplug::igraphics
