#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFDictionary.h>

#include <unordered_map>
#include <utility>
#include <vector>

namespace standin {

// A hash map of keys to values, both owned through the caller's callbacks.
class DictionaryObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kDictionaryTypeID;

  // Either callbacks pointer may be null (neither retained nor released, compared by address).
  DictionaryObject(const CFDictionaryKeyCallBacks* keyCallBacks, const CFDictionaryValueCallBacks* valueCallBacks, bool isMutable, CFIndex capacity);
  ~DictionaryObject() override;

  CFIndex Count() const { return static_cast<CFIndex>(mEntries.size()); }
  bool IsMutable() const { return mMutable; }
  // True when keys and values are CF objects held with the kCFType... callbacks.
  bool HoldsCFTypes() const;
  // The value of key; false when absent.
  bool Find(const void* key, const void** value) const;
  std::vector<std::pair<const void*, const void*>> Entries() const;

  // Sets regardless of mutability (for building immutable dictionaries); false when full.
  bool Set(const void* key, const void* value);
  void Remove(const void* key);

  bool Equals(const CFObject& other) const override;
  CFHashCode Hash() const override { return mEntries.size(); }
  std::string Describe() const override;

private:
  struct KeyHash {
    CFDictionaryHashCallBack hash;
    size_t operator()(const void* key) const;
  };
  struct KeyEqual {
    CFDictionaryEqualCallBack equal;
    bool operator()(const void* a, const void* b) const;
  };

  CFDictionaryKeyCallBacks mKeyCallBacks;
  CFDictionaryValueCallBacks mValueCallBacks;
  std::unordered_map<const void*, const void*, KeyHash, KeyEqual> mEntries;
  bool mMutable;
  CFIndex mCapacity;
};

}
