#include "Timer_impl.h"

namespace iplug
{

std::unique_ptr<Timer> Timer::Create(ITimerFunction func, uint32_t periodMs)
{
  return std::make_unique<Timer_impl>(std::move(func), periodMs);
}

Timer_impl::Timer_impl(ITimerFunction func, uint32_t periodMs)
  : mTimerFunc(std::move(func))
  , mIntervalMs(periodMs)
{
  CFRunLoopTimerContext context{};
  context.info = this;
  const CFTimeInterval interval = mIntervalMs / 1000.0;
  mOSTimer = CFRunLoopTimerCreate(kCFAllocatorDefault, CFAbsoluteTimeGetCurrent(), interval, 0, 0, TimerProc, &context);
  if (mOSTimer)
    CFRunLoopAddTimer(CFRunLoopGetCurrent(), mOSTimer, kCFRunLoopCommonModes);
}

Timer_impl::~Timer_impl()
{
  Stop();
}

void Timer_impl::Stop()
{
  if (!mOSTimer)
    return;
  CFRunLoopTimerInvalidate(mOSTimer);
  CFRelease(mOSTimer);
  mOSTimer = nullptr;
}

void Timer_impl::TimerProc(CFRunLoopTimerRef /*timer*/, void* info)
{
  auto* self = static_cast<Timer_impl*>(info);
  if (self->mTimerFunc)
    self->mTimerFunc(*self);
}

} // namespace iplug
