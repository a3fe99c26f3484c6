#pragma once

#include <cstddef>
#include <vector>

// An ordered list of pointers. It owns nothing unless asked: the removing calls take a
// wantDelete flag that deletes the element as it leaves the list. Not thread-safe.
template <class T>
class WDL_PtrList
{
public:
  WDL_PtrList() = default;
  WDL_PtrList(const WDL_PtrList&) = delete;
  WDL_PtrList& operator=(const WDL_PtrList&) = delete;
  virtual ~WDL_PtrList() = default;

  // Number of pointers held.
  int GetSize() const { return static_cast<int>(mList.size()); }
  // The pointer at index, or null when index is out of range.
  T* Get(int index) const { return InRange(index) ? mList[static_cast<std::size_t>(index)] : nullptr; }
  // The underlying array of GetSize() pointers (null when empty).
  T* const* GetList() const { return mList.empty() ? nullptr : mList.data(); }
  // Index of the first occurrence of item, or -1.
  int Find(const T* item) const
  {
    for (std::size_t i = 0; i < mList.size(); ++i)
      if (mList[i] == item)
        return static_cast<int>(i);
    return -1;
  }

  // Appends item (null allowed) and returns it.
  T* Add(T* item)
  {
    mList.push_back(item);
    return item;
  }
  // Inserts item before index (clamped to [0, size]) and returns it.
  T* Insert(int index, T* item)
  {
    if (index < 0)
      index = 0;
    if (index > GetSize())
      index = GetSize();
    mList.insert(mList.begin() + index, item);
    return item;
  }
  // Replaces the pointer at index (the old one is not deleted); out of range does nothing.
  void Set(int index, T* item)
  {
    if (InRange(index))
      mList[static_cast<std::size_t>(index)] = item;
  }
  // Removes the pointer at index, deleting the element when wantDelete; out of range does nothing.
  void Delete(int index, bool wantDelete = false)
  {
    if (!InRange(index))
      return;
    T* item = mList[static_cast<std::size_t>(index)];
    mList.erase(mList.begin() + index);
    if (wantDelete)
      delete item;
  }
  // Removes the first occurrence of item (deleting it when wantDelete); returns whether it was found.
  bool DeletePtr(const T* item, bool wantDelete = false)
  {
    const int index = Find(item);
    if (index < 0)
      return false;
    Delete(index, wantDelete);
    return true;
  }
  // Removes every pointer, deleting the elements (last first) when wantDelete.
  void Empty(bool wantDelete = false)
  {
    if (wantDelete)
      for (std::size_t i = mList.size(); i-- > 0;)
        delete mList[i];
    mList.clear();
  }

private:
  bool InRange(int index) const { return index >= 0 && index < GetSize(); }

  std::vector<T*> mList;
};

// A WDL_PtrList that owns its elements: it deletes whatever it still holds when destroyed.
template <class T>
class WDL_PtrList_DeleteOnDestroy : public WDL_PtrList<T>
{
public:
  ~WDL_PtrList_DeleteOnDestroy() override { this->Empty(true); }
};
