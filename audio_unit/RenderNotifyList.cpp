#include "RenderNotifyList.h"

#include <algorithm>

namespace iplug
{

RenderNotifyList::RenderNotifyList(const RenderGate& gate)
  : mGate(gate)
{
}

RenderNotifyList::~RenderNotifyList() = default;

void RenderNotifyList::Add(const AURenderCallbackStruct& notify)
{
  std::unique_lock<std::mutex> editing(mEditing);
  auto next = mOwned ? std::make_unique<Entries>(*mOwned) : std::make_unique<Entries>();
  next->push_back(notify);
  Publish(std::move(next), editing);
}

void RenderNotifyList::Remove(AURenderCallback proc, void* refCon)
{
  std::unique_lock<std::mutex> editing(mEditing);
  if (!mOwned)
    return;
  const auto matches = [&](const AURenderCallbackStruct& entry) {
    return entry.inputProc == proc && entry.inputProcRefCon == refCon;
  };
  const auto found = std::find_if(mOwned->begin(), mOwned->end(), matches);
  if (found == mOwned->end())
    return;
  auto next = std::make_unique<Entries>(*mOwned);
  next->erase(next->begin() + (found - mOwned->begin()));
  Publish(std::move(next), editing);
}

void RenderNotifyList::Publish(std::unique_ptr<const Entries> next, std::unique_lock<std::mutex>& editing)
{
  mRetired.push_back(std::move(mOwned));
  mOwned = std::move(next);
  mCurrent.store(mOwned->empty() ? nullptr : mOwned.get());
  // A render calling us may be walking a replaced list right now: those wait for the next change made
  // outside a render.
  if (mGate.InRender())
    return;
  std::vector<std::unique_ptr<const Entries>> replaced;
  replaced.swap(mRetired);
  // Waiting with the list unlocked lets a render in flight change it too.
  editing.unlock();
  mGate.WaitForRender();
}

void RenderNotifyList::Notify(AudioUnitRenderActionFlags phase, const AudioTimeStamp* time, UInt32 outputBusNumber,
                              UInt32 nFrames, AudioBufferList* ioData) const
{
  const Entries* entries = mCurrent.load();
  if (!entries)
    return;
  for (const AURenderCallbackStruct& notify : *entries)
  {
    AudioUnitRenderActionFlags flags = phase;
    notify.inputProc(notify.inputProcRefCon, &flags, time, outputBusNumber, nFrames, ioData);
  }
}

} // namespace iplug
