#include "RenderGate.h"

namespace iplug
{

bool RenderGate::EnterRender()
{
  mRenderThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
  mRenderCount.fetch_add(1);
  if (mReconfigurations.load() == 0)
    return true;
  mRenderCount.fetch_add(1);
  return false;
}

void RenderGate::LeaveRender()
{
  mRenderCount.fetch_add(1);
}

bool RenderGate::InRender() const
{
  return (mRenderCount.load() & 1) != 0 && mRenderThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

void RenderGate::WaitForRender() const
{
  if (InRender())
    return;
  const uint64_t running = mRenderCount.load();
  if ((running & 1) == 0)
    return;
  while (mRenderCount.load() == running)
    std::this_thread::yield();
}

RenderGate::Reconfiguration::Reconfiguration(RenderGate& gate)
  : mGate(gate)
  , mHeld(!gate.InRender())
{
  if (!mHeld)
    return;
  mGate.mReconfigureTurn.lock();
  mGate.mReconfigurations.fetch_add(1);
  mGate.WaitForRender();
}

RenderGate::Reconfiguration::~Reconfiguration()
{
  if (!mHeld)
    return;
  mGate.mReconfigurations.fetch_sub(1);
  mGate.mReconfigureTurn.unlock();
}

} // namespace iplug
