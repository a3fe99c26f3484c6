#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include "Timer.h"

namespace iplug
{

// Timer on a Core Foundation run-loop timer added to the creating thread's run loop.
class Timer_impl final : public Timer
{
public:
  // Calls func every periodMs milliseconds on the main run loop until destroyed. [main-thread]
  Timer_impl(ITimerFunction func, uint32_t periodMs);
  ~Timer_impl() override;

  void Stop() override;
  // The run-loop timer behind it; null once stopped. Not owned by the caller. Main thread.
  CFRunLoopTimerRef OSTimer() const { return mOSTimer; }

private:
  // The run loop's callback; info is the Timer_impl.
  static void TimerProc(CFRunLoopTimerRef timer, void* info);

  CFRunLoopTimerRef mOSTimer = nullptr;
  ITimerFunction mTimerFunc;
  uint32_t mIntervalMs;
};

} // namespace iplug
