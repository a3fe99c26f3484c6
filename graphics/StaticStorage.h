#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

#include "WDL_Mutex.h"
#include "WDL_PtrList.h"
#include "WDL_String.h"

namespace iplug::igraphics {

// A process-wide cache of objects of type T keyed by resource name and scale (bitmaps, SVG documents,
// font data). Owns what it holds. Callers hold mCacheLock (through Accessor) around every use; the lock
// is recursive, so a holder may call other operations that take it again. [main-thread]
template <class T>
class StaticStorage
{
public:
  // One cached object and the key it was added under.
  struct DataKey
  {
    uint64_t hash = 0;         // standard string hash of the key text (name followed by "-%.1fx" of scale)
    WDL_String name;           // resource name exactly as passed in
    double scale = 1.0;        // scale it was added at
    std::unique_ptr<T> data;   // the cached object, owned
  };

  // Holds the cache's lock for its own lifetime.
  class Accessor : private WDL_MutexLock
  {
  public:
    // Locks storage's mutex until destruction.
    explicit Accessor(StaticStorage& storage) : WDL_MutexLock(&storage.mCacheLock) {}
  };

  StaticStorage() = default;
  StaticStorage(const StaticStorage&) = delete;
  StaticStorage& operator=(const StaticStorage&) = delete;
  // Deletes every entry and its object.
  ~StaticStorage() { Clear(); }

  // The key text of (name, scale): controlKnob.png at 2 gives "controlKnob.png-2.0x". A null name is "".
  static void KeyText(WDL_String& text, const char* name, double scale)
  {
    text.SetFormatted(static_cast<int>(std::strlen(name ? name : "")) + 64, "%s-%.1fx", name ? name : "", scale);
  }

  // The hash of the key text of (name, scale).
  static uint64_t Hash(const char* name, double scale)
  {
    WDL_String text;
    KeyText(text, name, scale);
    return std::hash<std::string_view>{}(std::string_view(text.Get(), static_cast<size_t>(text.GetLength())));
  }

  // The first object added under exactly (name, scale): equal hash, equal scale and byte-equal name; or null.
  T* Find(const char* name, double scale = 1.0)
  {
    WDL_MutexLock lock(&mCacheLock);
    const uint64_t hash = Hash(name, scale);
    const char* wanted = name ? name : "";
    for (int i = 0; i < mEntries.GetSize(); ++i)
    {
      DataKey* key = mEntries.Get(i);
      if (key->hash == hash && key->scale == scale && std::strcmp(key->name.Get(), wanted) == 0)
        return key->data.get();
    }
    return nullptr;
  }

  // Whether an entry holds data.
  bool Contains(const T* data)
  {
    WDL_MutexLock lock(&mCacheLock);
    for (int i = 0; i < mEntries.GetSize(); ++i)
      if (mEntries.Get(i)->data.get() == data)
        return true;
    return false;
  }

  // Appends data (ownership taken) under (name, scale) without looking for an existing entry. Null is ignored.
  void Add(T* data, const char* name, double scale = 1.0)
  {
    if (!data)
      return;
    WDL_MutexLock lock(&mCacheLock);
    auto* key = new DataKey;
    key->hash = Hash(name, scale);
    key->name.Set(name ? name : "");
    key->scale = scale;
    key->data.reset(data);
    mEntries.Add(key);
  }

  // Deletes the entry holding data and data with it; false when no entry holds it.
  bool Remove(T* data)
  {
    WDL_MutexLock lock(&mCacheLock);
    for (int i = 0; i < mEntries.GetSize(); ++i)
    {
      if (mEntries.Get(i)->data.get() == data)
      {
        mEntries.Delete(i, true);
        return true;
      }
    }
    return false;
  }

  // Deletes every entry and its object.
  void Clear()
  {
    WDL_MutexLock lock(&mCacheLock);
    mEntries.Empty(true);
  }

  // Number of entries.
  int Size()
  {
    WDL_MutexLock lock(&mCacheLock);
    return mEntries.GetSize();
  }

  // One more graphics context uses the cache.
  void Retain()
  {
    WDL_MutexLock lock(&mCacheLock);
    ++mInstanceCount;
  }

  // One graphics context stopped using the cache; the last one empties it. Extra calls keep the count at 0.
  void Release()
  {
    WDL_MutexLock lock(&mCacheLock);
    if (mInstanceCount > 0)
      --mInstanceCount;
    if (mInstanceCount == 0)
      Clear();
  }

  // Number of graphics contexts using the cache.
  int InstanceCount()
  {
    WDL_MutexLock lock(&mCacheLock);
    return mInstanceCount;
  }

private:
  int mInstanceCount = 0;
  WDL_Mutex mCacheLock;
  WDL_PtrList<DataKey> mEntries;
};

} // namespace iplug::igraphics
