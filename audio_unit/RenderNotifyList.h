#pragma once

#include <AudioUnit/AudioUnit.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "RenderGate.h"

namespace iplug
{

// The host's render notifications, in the order added (duplicates allowed). Host threads change the list
// while the render thread calls it, so every change publishes a new copy with one atomic store, and the
// copy it replaced is freed only once no render can still be reading it; the render thread never waits.
class RenderNotifyList
{
public:
  // An empty list whose renders are tracked by gate (which must outlive the list). [main-thread]
  explicit RenderNotifyList(const RenderGate& gate);
  ~RenderNotifyList();
  RenderNotifyList(const RenderNotifyList&) = delete;
  RenderNotifyList& operator=(const RenderNotifyList&) = delete;

  // Appends a notification. [main-thread]
  void Add(const AURenderCallbackStruct& notify);
  // Removes the first notification with this function and reference; nothing when there is none. [main-thread]
  void Remove(AURenderCallback proc, void* refCon);
  // Calls every notification in order with the given phase flag; results are ignored. [audio-thread]
  void Notify(AudioUnitRenderActionFlags phase, const AudioTimeStamp* time, UInt32 outputBusNumber, UInt32 nFrames,
              AudioBufferList* ioData) const;

private:
  using Entries = std::vector<AURenderCallbackStruct>;

  // Makes next the list renders read, then (outside a render) unlocks editing and frees every replaced list
  // once no render reads it.
  void Publish(std::unique_ptr<const Entries> next, std::unique_lock<std::mutex>& editing);

  const RenderGate& mGate;
  std::atomic<const Entries*> mCurrent{nullptr};          // what renders read: mOwned, or null when empty
  std::unique_ptr<const Entries> mOwned;                  // the published list
  std::vector<std::unique_ptr<const Entries>> mRetired;   // replaced lists not yet freed
  std::mutex mEditing;                                    // host threads change the list one at a time
};

} // namespace iplug
