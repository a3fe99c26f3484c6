#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFNumber.h>

namespace standin {

// A number stored as a 64-bit integer or a double, with the fixed-width type it was made as.
class NumberObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kNumberTypeID;

  // Reads *value as type; null for an unknown type.
  static NumberObject* Create(CFNumberType type, const void* value);

  CFNumberType Type() const { return mType; }
  bool IsFloat() const { return mType == kCFNumberFloat32Type || mType == kCFNumberFloat64Type; }
  SInt64 IntegerValue() const { return mInteger; }
  double FloatValue() const { return mFloat; }

  // Writes the value as type; false when the conversion lost information or the type is unknown.
  bool GetValue(CFNumberType type, void* out) const;
  // -1, 0 or 1; NaN orders first and equals NaN.
  int Compare(const NumberObject& other) const;

  bool Equals(const CFObject& other) const override;
  CFHashCode Hash() const override;
  std::string Describe() const override;

private:
  NumberObject(CFNumberType type, SInt64 integer, double floating);

  CFNumberType mType;
  SInt64 mInteger;
  double mFloat;
};

// The two boolean constants.
class BooleanObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kBooleanTypeID;

  explicit BooleanObject(bool value);

  bool Value() const { return mValue; }
  std::string Describe() const override { return mValue ? "true" : "false"; }

private:
  bool mValue;
};

}
