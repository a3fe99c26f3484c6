#pragma once

#include <cstring>
#include <new>

// A growable byte buffer. Capacity grows in whole multiples of the granularity so that
// repeated small resizes do not reallocate; a failed allocation keeps the old content.
// Not thread-safe; no allocation happens while a resize stays within the capacity.
// Memory comes from operator new so that allocation tracking sees every buffer.
class WDL_HeapBuf
{
public:
  // granularity: allocation step in bytes (values below 1 are taken as 1).
  explicit WDL_HeapBuf(int granularity = 4096) : mGranularity(granularity < 1 ? 1 : granularity) {}
  ~WDL_HeapBuf() { ::operator delete(mBuf); }
  WDL_HeapBuf(const WDL_HeapBuf& other) : mGranularity(other.mGranularity) { CopyFrom(other); }
  WDL_HeapBuf& operator=(const WDL_HeapBuf& other)
  {
    if (this != &other)
      CopyFrom(other);
    return *this;
  }

  // The content, or null while the buffer is empty and has never allocated.
  void* Get() const { return mBuf; }
  // Current size in bytes.
  int GetSize() const { return mSize; }
  // Allocated capacity in bytes.
  int GetCapacity() const { return mCapacity; }
  // Allocation step in bytes.
  int GetGranularity() const { return mGranularity; }

  // Sets the size in bytes (negative is 0) and returns the content, or null when growing failed
  // (the old content and size are kept). resizeDown releases surplus capacity when shrinking.
  void* Resize(int newSize, bool resizeDown = true)
  {
    if (newSize < 0)
      newSize = 0;
    const int wanted = RoundUp(newSize);
    if (newSize > mCapacity || (resizeDown && wanted < mCapacity))
    {
      if (!Reallocate(wanted, newSize < mSize ? newSize : mSize))
        return nullptr;
    }
    mSize = newSize;
    return mBuf;
  }

private:
  // Moves the first keep bytes into a block of capacity bytes (0 frees the block).
  bool Reallocate(int capacity, int keep)
  {
    void* block = nullptr;
    if (capacity > 0)
    {
      block = ::operator new(static_cast<std::size_t>(capacity), std::nothrow);
      if (!block)
        return false;
      if (keep > 0)
        std::memcpy(block, mBuf, static_cast<std::size_t>(keep));
    }
    ::operator delete(mBuf);
    mBuf = block;
    mCapacity = capacity;
    return true;
  }

  int RoundUp(int size) const
  {
    const long long steps = (static_cast<long long>(size) + mGranularity - 1) / mGranularity;
    const long long bytes = steps * mGranularity;
    return bytes > 0x7fffffff ? size : static_cast<int>(bytes);
  }

  void CopyFrom(const WDL_HeapBuf& other)
  {
    if (Resize(other.mSize, true) && other.mSize > 0)
      std::memcpy(mBuf, other.mBuf, static_cast<std::size_t>(other.mSize));
  }

  void* mBuf = nullptr;
  int mSize = 0;
  int mCapacity = 0;
  int mGranularity;
};

// Typed view of a WDL_HeapBuf: sizes count elements of T, which must be trivially copyable.
template <class T>
class WDL_TypedBuf
{
public:
  // granularity: allocation step in bytes.
  explicit WDL_TypedBuf(int granularity = 4096) : mHeap(granularity) {}

  // The elements, or null while empty and never allocated.
  T* Get() const { return static_cast<T*>(mHeap.Get()); }
  // Number of elements.
  int GetSize() const { return mHeap.GetSize() / static_cast<int>(sizeof(T)); }

  // Sets the number of elements; returns the elements, or null when growing failed (content kept).
  T* Resize(int count, bool resizeDown = true)
  {
    if (count < 0)
      count = 0;
    if (static_cast<long long>(count) * sizeof(T) > 0x7fffffff)
      return nullptr;
    return static_cast<T*>(mHeap.Resize(count * static_cast<int>(sizeof(T)), resizeDown));
  }

  // Appends one element; returns its address, or null when growing failed.
  T* Add(const T& value)
  {
    const int count = GetSize();
    if (!Resize(count + 1, false))
      return nullptr;
    T* slot = Get() + count;
    *slot = value;
    return slot;
  }

private:
  WDL_HeapBuf mHeap;
};
