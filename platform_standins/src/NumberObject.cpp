#include "NumberObject.h"

#include "Export.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace standin {

namespace {

// The fixed-width type a platform type is stored as; 0 for an unknown type.
CFNumberType StorageType(CFNumberType type)
{
  switch (type)
  {
    case kCFNumberSInt8Type:
    case kCFNumberCharType: return kCFNumberSInt8Type;
    case kCFNumberSInt16Type:
    case kCFNumberShortType: return kCFNumberSInt16Type;
    case kCFNumberSInt32Type:
    case kCFNumberIntType: return kCFNumberSInt32Type;
    case kCFNumberSInt64Type:
    case kCFNumberLongType:
    case kCFNumberLongLongType:
    case kCFNumberCFIndexType:
    case kCFNumberNSIntegerType: return kCFNumberSInt64Type;
    case kCFNumberFloat32Type:
    case kCFNumberFloatType: return kCFNumberFloat32Type;
    case kCFNumberFloat64Type:
    case kCFNumberDoubleType:
    case kCFNumberCGFloatType: return kCFNumberFloat64Type;
    default: return 0;
  }
}

template <class T>
T Load(const void* value)
{
  T result;
  std::memcpy(&result, value, sizeof(T));
  return result;
}

template <class T>
void Store(void* out, T value)
{
  std::memcpy(out, &value, sizeof(T));
}

// An integer value narrowed to T, saturating; false when it does not fit.
template <class T>
bool StoreInteger(void* out, SInt64 value)
{
  const SInt64 low = std::numeric_limits<T>::min();
  const SInt64 high = std::numeric_limits<T>::max();
  Store<T>(out, static_cast<T>(value < low ? low : (value > high ? high : value)));
  return value >= low && value <= high;
}

// A floating value converted to an integer T, truncated toward zero and saturated; false unless exact.
template <class T>
bool StoreIntegerFromFloat(void* out, double value)
{
  if (std::isnan(value))
  {
    Store<T>(out, T(0));
    return false;
  }
  const long double low = std::numeric_limits<T>::min();
  const long double high = std::numeric_limits<T>::max();
  const long double truncated = std::trunc(static_cast<long double>(value));
  T result = truncated < low ? std::numeric_limits<T>::min() : (truncated > high ? std::numeric_limits<T>::max() : static_cast<T>(truncated));
  Store<T>(out, result);
  return static_cast<long double>(result) == static_cast<long double>(value);
}

long double AsLongDouble(const NumberObject& number)
{
  return number.IsFloat() ? static_cast<long double>(number.FloatValue()) : static_cast<long double>(number.IntegerValue());
}

}

NumberObject::NumberObject(CFNumberType type, SInt64 integer, double floating)
  : CFObject(kTypeID)
  , mType(type)
  , mInteger(integer)
  , mFloat(floating)
{
}

NumberObject* NumberObject::Create(CFNumberType type, const void* value)
{
  const CFNumberType storage = StorageType(type);
  if (!storage || !value)
    return nullptr;
  switch (storage)
  {
    case kCFNumberSInt8Type: return new NumberObject(storage, Load<SInt8>(value), 0.0);
    case kCFNumberSInt16Type: return new NumberObject(storage, Load<SInt16>(value), 0.0);
    case kCFNumberSInt32Type: return new NumberObject(storage, Load<SInt32>(value), 0.0);
    case kCFNumberSInt64Type: return new NumberObject(storage, Load<SInt64>(value), 0.0);
    case kCFNumberFloat32Type: return new NumberObject(storage, 0, Load<Float32>(value));
    default: return new NumberObject(storage, 0, Load<Float64>(value));
  }
}

bool NumberObject::GetValue(CFNumberType type, void* out) const
{
  const CFNumberType target = StorageType(type);
  if (!target || !out)
    return false;
  if (target == kCFNumberFloat64Type)
  {
    const double value = IsFloat() ? mFloat : static_cast<double>(mInteger);
    Store<Float64>(out, value);
    return IsFloat() || static_cast<long double>(value) == static_cast<long double>(mInteger);
  }
  if (target == kCFNumberFloat32Type)
  {
    const double source = IsFloat() ? mFloat : static_cast<double>(mInteger);
    const auto value = static_cast<Float32>(source);
    Store<Float32>(out, value);
    if (std::isnan(source))
      return true;
    return IsFloat() ? static_cast<double>(value) == mFloat : static_cast<long double>(value) == static_cast<long double>(mInteger);
  }
  if (IsFloat())
  {
    switch (target)
    {
      case kCFNumberSInt8Type: return StoreIntegerFromFloat<SInt8>(out, mFloat);
      case kCFNumberSInt16Type: return StoreIntegerFromFloat<SInt16>(out, mFloat);
      case kCFNumberSInt32Type: return StoreIntegerFromFloat<SInt32>(out, mFloat);
      default: return StoreIntegerFromFloat<SInt64>(out, mFloat);
    }
  }
  switch (target)
  {
    case kCFNumberSInt8Type: return StoreInteger<SInt8>(out, mInteger);
    case kCFNumberSInt16Type: return StoreInteger<SInt16>(out, mInteger);
    case kCFNumberSInt32Type: return StoreInteger<SInt32>(out, mInteger);
    default: return StoreInteger<SInt64>(out, mInteger);
  }
}

int NumberObject::Compare(const NumberObject& other) const
{
  const bool nanA = IsFloat() && std::isnan(mFloat);
  const bool nanB = other.IsFloat() && std::isnan(other.mFloat);
  if (nanA || nanB)
    return nanA == nanB ? 0 : (nanA ? -1 : 1);
  if (!IsFloat() && !other.IsFloat())
    return mInteger < other.mInteger ? -1 : (mInteger > other.mInteger ? 1 : 0);
  const long double a = AsLongDouble(*this);
  const long double b = AsLongDouble(other);
  return a < b ? -1 : (a > b ? 1 : 0);
}

bool NumberObject::Equals(const CFObject& other) const
{
  return Compare(static_cast<const NumberObject&>(other)) == 0;
}

CFHashCode NumberObject::Hash() const
{
  if (!IsFloat())
    return std::hash<SInt64>()(mInteger);
  if (std::isnan(mFloat))
    return 0;
  const double truncated = std::trunc(mFloat);
  if (truncated == mFloat && std::fabs(mFloat) < 9.2e18)
    return std::hash<SInt64>()(static_cast<SInt64>(mFloat));
  return std::hash<double>()(mFloat);
}

std::string NumberObject::Describe() const
{
  if (!IsFloat())
    return std::to_string(mInteger);
  char text[32];
  const auto result = std::to_chars(text, text + sizeof(text), mFloat);
  return std::string(text, result.ptr);
}

BooleanObject::BooleanObject(bool value)
  : CFObject(kTypeID)
  , mValue(value)
{
  MakeConstant();
}

namespace {

BooleanObject gTrue(true);
BooleanObject gFalse(false);

}

}

using standin::BooleanObject;
using standin::CFObject;
using standin::NumberObject;

STANDIN_EXPORT const CFBooleanRef kCFBooleanTrue = standin::ToRef<CFBooleanRef>(&standin::gTrue);
STANDIN_EXPORT const CFBooleanRef kCFBooleanFalse = standin::ToRef<CFBooleanRef>(&standin::gFalse);

STANDIN_EXPORT CFTypeID CFBooleanGetTypeID(void)
{
  return BooleanObject::kTypeID;
}

STANDIN_EXPORT Boolean CFBooleanGetValue(CFBooleanRef boolean)
{
  BooleanObject* object = CFObject::Cast<BooleanObject>(boolean);
  return object && object->Value();
}

STANDIN_EXPORT CFTypeID CFNumberGetTypeID(void)
{
  return NumberObject::kTypeID;
}

STANDIN_EXPORT CFNumberRef CFNumberCreate(CFAllocatorRef, CFNumberType theType, const void* valuePtr)
{
  return standin::ToRef<CFNumberRef>(NumberObject::Create(theType, valuePtr));
}

STANDIN_EXPORT CFNumberType CFNumberGetType(CFNumberRef number)
{
  NumberObject* object = CFObject::Cast<NumberObject>(number);
  return object ? object->Type() : 0;
}

STANDIN_EXPORT CFIndex CFNumberGetByteSize(CFNumberRef number)
{
  NumberObject* object = CFObject::Cast<NumberObject>(number);
  if (!object)
    return 0;
  switch (object->Type())
  {
    case kCFNumberSInt8Type: return 1;
    case kCFNumberSInt16Type: return 2;
    case kCFNumberSInt32Type:
    case kCFNumberFloat32Type: return 4;
    default: return 8;
  }
}

STANDIN_EXPORT Boolean CFNumberIsFloatType(CFNumberRef number)
{
  NumberObject* object = CFObject::Cast<NumberObject>(number);
  return object && object->IsFloat();
}

STANDIN_EXPORT Boolean CFNumberGetValue(CFNumberRef number, CFNumberType theType, void* valuePtr)
{
  NumberObject* object = CFObject::Cast<NumberObject>(number);
  return object && object->GetValue(theType, valuePtr);
}

STANDIN_EXPORT CFComparisonResult CFNumberCompare(CFNumberRef number, CFNumberRef otherNumber, void*)
{
  NumberObject* a = CFObject::Cast<NumberObject>(number);
  NumberObject* b = CFObject::Cast<NumberObject>(otherNumber);
  if (!a || !b)
    return a ? kCFCompareGreaterThan : (b ? kCFCompareLessThan : kCFCompareEqualTo);
  return a->Compare(*b);
}
