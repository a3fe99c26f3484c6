#pragma once

#include <CoreFoundation/CFRunLoop.h>

namespace iplug::igraphics {

// The editor's frame timer. It runs on the run loop of the thread that starts it: the thread that opened the
// editor and drives it (a host's UI thread, which need not be the process's first thread; an LV2 host's idle
// calls turn that thread's run loop). [ui-thread]
class LinuxFrameTimer
{
public:
  // Called every tick with the info given to Start.
  using TickFunc = void (*)(void* info);

  LinuxFrameTimer() = default;
  ~LinuxFrameTimer();
  LinuxFrameTimer(const LinuxFrameTimer&) = delete;
  LinuxFrameTimer& operator=(const LinuxFrameTimer&) = delete;

  // Starts calling tick(info) every interval seconds on the calling thread's run loop; false when the run loop
  // cannot take a timer. Does nothing while running.
  bool Start(double interval, TickFunc tick, void* info);
  // Stops the ticks; none arrives after this returns.
  void Stop();
  // Whether the timer is running.
  bool IsRunning() const { return mTimer != nullptr; }

private:
  static void TimerProc(CFRunLoopTimerRef timer, void* info);

  CFRunLoopTimerRef mTimer = nullptr;
  TickFunc mTick = nullptr;
  void* mInfo = nullptr;
};

} // namespace iplug::igraphics
