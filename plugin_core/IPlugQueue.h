#pragma once

#include <atomic>
#include <vector>

namespace iplug
{

// A single-producer, single-consumer ring of fixed capacity. Only the producer moves the write
// index and only the consumer moves the read index, so neither side ever waits: the producer
// publishes a slot with a release store of the write index, and the consumer acquires the write
// index before reading the slot. One slot always stays empty to tell full from empty. Slots are
// allocated once at construction; Push and Pop copy T and never allocate.
template <class T>
class IPlugQueue
{
public:
  // A ring that holds up to capacity items (capacity + 1 slots). Main thread, at construction.
  explicit IPlugQueue(int capacity) : mSlots(static_cast<std::size_t>(capacity < 0 ? 1 : capacity + 1)) {}
  IPlugQueue(const IPlugQueue&) = delete;
  IPlugQueue& operator=(const IPlugQueue&) = delete;

  // Copies item into the ring; false (item dropped) when full. Producer thread only.
  bool Push(const T& item)
  {
    const std::size_t write = mWriteIndex.load(std::memory_order_relaxed);
    const std::size_t next = Next(write);
    if (next == mReadIndex.load(std::memory_order_acquire))
      return false;
    mSlots[write] = item;
    mWriteIndex.store(next, std::memory_order_release);
    return true;
  }

  // Copies the oldest item out; false when empty. Consumer thread only.
  bool Pop(T& item)
  {
    const std::size_t read = mReadIndex.load(std::memory_order_relaxed);
    if (read == mWriteIndex.load(std::memory_order_acquire))
      return false;
    item = mSlots[read];
    mReadIndex.store(Next(read), std::memory_order_release);
    return true;
  }

  // Number of waiting items; exact on either side's own thread, a snapshot elsewhere.
  std::size_t ElementsAvailable() const
  {
    const std::size_t write = mWriteIndex.load(std::memory_order_acquire);
    const std::size_t read = mReadIndex.load(std::memory_order_acquire);
    return (write + mSlots.size() - read) % mSlots.size();
  }

  // Largest number of items the ring holds.
  std::size_t Capacity() const { return mSlots.size() - 1; }

private:
  std::size_t Next(std::size_t index) const { return (index + 1) % mSlots.size(); }

  std::vector<T> mSlots;
  std::atomic<std::size_t> mWriteIndex{0};
  std::atomic<std::size_t> mReadIndex{0};
};

// One parameter change on its way to the editor: the index and the real (not normalised) value.
struct ParamTuple
{
  int idx = -1; // parameter index; -1: none
  double value = 0.0; // value in the parameter's units
};

} // namespace iplug
