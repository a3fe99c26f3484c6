#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace iplug
{

// A periodic callback on the run loop of the thread that creates it (a host's main or UI thread): repeating,
// in the common modes, first firing at once. Created, fired and stopped on that thread; the callable runs
// there too.
class Timer
{
public:
  // What a firing calls; it receives the timer itself.
  using ITimerFunction = std::function<void(Timer& timer)>;

  // Creates and starts a timer that calls func now and then every periodMs milliseconds. Caller owns it.
  static std::unique_ptr<Timer> Create(ITimerFunction func, uint32_t periodMs);

  // Destroying a timer stops it.
  virtual ~Timer() = default;
  // Stops the timer for good; later calls do nothing.
  virtual void Stop() = 0;
};

} // namespace iplug
