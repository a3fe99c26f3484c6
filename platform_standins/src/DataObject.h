#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFData.h>

#include <vector>

namespace standin {

// A byte buffer; a mutable one may grow up to its capacity (0 = without limit).
class DataObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kDataTypeID;

  DataObject(std::vector<UInt8> bytes, bool isMutable, CFIndex capacity);

  const std::vector<UInt8>& Bytes() const { return mBytes; }
  bool IsMutable() const { return mMutable; }
  UInt8* MutableBytes();
  void SetLength(CFIndex length);
  void Append(const UInt8* bytes, CFIndex length);

  bool Equals(const CFObject& other) const override;
  CFHashCode Hash() const override;
  std::string Describe() const override;

private:
  bool Fits(CFIndex length) const;

  std::vector<UInt8> mBytes;
  bool mMutable;
  CFIndex mCapacity;
};

// A new data object (caller owns) holding a copy of the bytes.
CFDataRef NewData(const void* bytes, size_t length);

}
