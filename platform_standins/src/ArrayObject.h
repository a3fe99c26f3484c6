#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFArray.h>

#include <vector>

namespace standin {

// An ordered list of values owned through the caller's callbacks. Values need not be CF objects.
class ArrayObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kArrayTypeID;

  // callBacks may be null (values are neither retained nor released).
  ArrayObject(const CFArrayCallBacks* callBacks, bool isMutable, CFIndex capacity);
  ~ArrayObject() override;

  CFIndex Count() const { return static_cast<CFIndex>(mValues.size()); }
  const void* At(CFIndex index) const;
  bool IsMutable() const { return mMutable; }
  // True when the values are CF objects held with kCFTypeArrayCallBacks.
  bool HoldsCFTypes() const;

  // Appends regardless of mutability (for building immutable arrays); false when full.
  bool Add(const void* value);
  void RemoveAt(CFIndex index);
  void RemoveAll();

  bool Equals(const CFObject& other) const override;
  CFHashCode Hash() const override { return mValues.size(); }
  std::string Describe() const override;

private:
  CFArrayCallBacks mCallBacks;
  std::vector<const void*> mValues;
  bool mMutable;
  CFIndex mCapacity;
};

}
