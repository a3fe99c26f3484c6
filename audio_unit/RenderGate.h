#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

namespace iplug
{

// Keeps the host's render thread and its other threads apart without the render thread ever waiting.
// A render marks itself running (an odd count) for its whole length. A host thread that changes what a render
// reads either publishes a new copy and waits for the render in flight to end before freeing the old one
// (WaitForRender), or holds the gate for a reconfiguration (buses, formats, connections, block size), during
// which a starting render turns back at once instead of waiting. Host threads that reconfigure at the same
// time take turns. Calls made from inside a render on its own thread (a host callback calling back) never
// wait for themselves.
class RenderGate
{
public:
  RenderGate() = default;
  RenderGate(const RenderGate&) = delete;
  RenderGate& operator=(const RenderGate&) = delete;

  // Starts a render; false when a reconfiguration holds the gate, and the render must then touch nothing
  // (the gate is already left). [audio-thread]
  bool EnterRender();
  // Ends the render EnterRender started. [audio-thread]
  void LeaveRender();
  // Whether the calling thread is inside a render now. [any-thread]
  bool InRender() const;
  // Returns once no render that was running at the call is still running; at once inside a render. [main-thread]
  void WaitForRender() const;

  // Holds the gate for the scope: later renders turn back, the one in flight is waited for. Nests on one thread.
  // [main-thread]
  class Reconfiguration
  {
  public:
    // Closes gate, waiting for a render in flight. [main-thread]
    explicit Reconfiguration(RenderGate& gate);
    ~Reconfiguration();
    Reconfiguration(const Reconfiguration&) = delete;
    Reconfiguration& operator=(const Reconfiguration&) = delete;

  private:
    RenderGate& mGate;
    bool mHeld; // false when made inside a render, which cannot hold off itself
  };

private:
  std::atomic<uint64_t> mRenderCount{0};             // odd while a render runs
  std::atomic<std::thread::id> mRenderThread{};      // the thread of the latest render
  std::atomic<int> mReconfigurations{0};             // reconfiguration scopes open now
  std::recursive_mutex mReconfigureTurn;             // host threads reconfigure one at a time; never the render thread
};

} // namespace iplug
