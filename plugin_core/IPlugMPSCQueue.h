#pragma once

#include <atomic>
#include <bit>
#include <cstddef>
#include <vector>

namespace iplug
{

// A multi-producer, single-consumer ring of fixed capacity, for values that several host threads send to
// one reader. A producer claims the next slot by advancing the shared write position with a compare-and-swap,
// fills it, then publishes it through the slot's own sequence number; the consumer takes slots strictly in
// claim order and hands each one back by moving its sequence number a lap ahead. Nobody waits on a lock:
// a full ring refuses the item. Slots are allocated once at construction; Push and Pop copy T and never
// allocate.
template <class T>
class IPlugMPSCQueue
{
public:
  // A ring that holds up to capacity items (rounded up to a power of two, at least 1). Main thread, at construction.
  explicit IPlugMPSCQueue(int capacity)
    : mSlots(std::bit_ceil(static_cast<std::size_t>(capacity < 1 ? 1 : capacity)))
    , mMask(mSlots.size() - 1)
  {
    for (std::size_t i = 0; i < mSlots.size(); ++i)
      mSlots[i].mSequence.store(i, std::memory_order_relaxed);
  }
  IPlugMPSCQueue(const IPlugMPSCQueue&) = delete;
  IPlugMPSCQueue& operator=(const IPlugMPSCQueue&) = delete;

  // Copies item into the ring; false (item dropped) when full. Any thread, several at once.
  bool Push(const T& item)
  {
    std::size_t position = mWritePosition.load(std::memory_order_relaxed);
    for (;;)
    {
      Slot& slot = mSlots[position & mMask];
      const std::size_t sequence = slot.mSequence.load(std::memory_order_acquire);
      if (sequence == position)
      {
        if (mWritePosition.compare_exchange_weak(position, position + 1, std::memory_order_relaxed))
        {
          slot.mItem = item;
          slot.mSequence.store(position + 1, std::memory_order_release);
          return true;
        }
      }
      else if (sequence < position)
      {
        return false;
      }
      else
      {
        position = mWritePosition.load(std::memory_order_relaxed);
      }
    }
  }

  // Copies the oldest published item out; false when there is none. Consumer thread only.
  bool Pop(T& item)
  {
    const std::size_t position = mReadPosition.load(std::memory_order_relaxed);
    Slot& slot = mSlots[position & mMask];
    if (slot.mSequence.load(std::memory_order_acquire) != position + 1)
      return false;
    item = slot.mItem;
    slot.mSequence.store(position + mSlots.size(), std::memory_order_release);
    mReadPosition.store(position + 1, std::memory_order_release);
    return true;
  }

  // Number of claimed items not yet popped; a snapshot on every thread.
  std::size_t ElementsAvailable() const
  {
    const std::size_t read = mReadPosition.load(std::memory_order_acquire);
    const std::size_t write = mWritePosition.load(std::memory_order_acquire);
    return write > read ? write - read : 0;
  }

  // Largest number of items the ring holds.
  std::size_t Capacity() const { return mSlots.size(); }

private:
  // One item and the position at which it may next be written (equal) or read (one more).
  struct Slot
  {
    std::atomic<std::size_t> mSequence{0};
    T mItem{};
  };

  std::vector<Slot> mSlots;
  std::size_t mMask;
  std::atomic<std::size_t> mWritePosition{0};
  std::atomic<std::size_t> mReadPosition{0};
};

} // namespace iplug
