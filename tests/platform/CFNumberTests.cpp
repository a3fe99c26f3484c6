// Numbers and booleans: every stored type, conversions between them, equality across types.

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

template <class T>
T ValueOf(CFNumberRef number, CFNumberType type, bool* exact = nullptr)
{
  T value{};
  const bool lossless = CFNumberGetValue(number, type, &value);
  if (exact)
    *exact = lossless;
  return value;
}

template <class T>
CFNumberRef Make(CFNumberType type, T value)
{
  return CFNumberCreate(nullptr, type, &value);
}

TEST(CFNumberValues, EveryTypeRoundTripsAndReportsItsStorageType)
{
  CFOwned<CFNumberRef> int8(Make<SInt8>(kCFNumberSInt8Type, -100));
  CFOwned<CFNumberRef> int16(Make<SInt16>(kCFNumberShortType, 30000));
  CFOwned<CFNumberRef> int32(Make<SInt32>(kCFNumberIntType, -2000000000));
  CFOwned<CFNumberRef> int64(Make<SInt64>(kCFNumberLongLongType, std::numeric_limits<SInt64>::min()));
  CFOwned<CFNumberRef> float32(Make<Float32>(kCFNumberFloatType, 0.25f));
  CFOwned<CFNumberRef> float64(Make<Float64>(kCFNumberDoubleType, 1.0 / 3.0));

  EXPECT_EQ(CFNumberGetType(int8), kCFNumberSInt8Type);
  EXPECT_EQ(CFNumberGetType(int16), kCFNumberSInt16Type);
  EXPECT_EQ(CFNumberGetType(int32), kCFNumberSInt32Type);
  EXPECT_EQ(CFNumberGetType(int64), kCFNumberSInt64Type);
  EXPECT_EQ(CFNumberGetType(float32), kCFNumberFloat32Type);
  EXPECT_EQ(CFNumberGetType(float64), kCFNumberFloat64Type);
  EXPECT_EQ(CFNumberGetByteSize(int16), 2);
  EXPECT_TRUE(CFNumberIsFloatType(float32));
  EXPECT_FALSE(CFNumberIsFloatType(int64));

  EXPECT_EQ(ValueOf<SInt8>(int8, kCFNumberSInt8Type), -100);
  EXPECT_EQ(ValueOf<SInt16>(int16, kCFNumberSInt16Type), 30000);
  EXPECT_EQ(ValueOf<SInt32>(int32, kCFNumberSInt32Type), -2000000000);
  EXPECT_EQ(ValueOf<SInt64>(int64, kCFNumberSInt64Type), std::numeric_limits<SInt64>::min());
  EXPECT_EQ(ValueOf<Float32>(float32, kCFNumberFloat32Type), 0.25f);
  EXPECT_EQ(ValueOf<Float64>(float64, kCFNumberFloat64Type), 1.0 / 3.0);
}

TEST(CFNumberValues, LossyConversionsReportFalseAndStoreTheNearestValue)
{
  CFOwned<CFNumberRef> fraction(Make<Float64>(kCFNumberFloat64Type, 3.7));
  CFOwned<CFNumberRef> large(Make<SInt32>(kCFNumberSInt32Type, 300));
  CFOwned<CFNumberRef> huge(Make<Float64>(kCFNumberFloat64Type, 1e20));
  CFOwned<CFNumberRef> tenth(Make<Float64>(kCFNumberFloat64Type, 0.1));
  CFOwned<CFNumberRef> big(Make<SInt64>(kCFNumberSInt64Type, (SInt64(1) << 53) + 1));
  bool exact = true;

  EXPECT_EQ(ValueOf<SInt32>(fraction, kCFNumberSInt32Type, &exact), 3);
  EXPECT_FALSE(exact);
  EXPECT_EQ(ValueOf<SInt8>(large, kCFNumberSInt8Type, &exact), 127);
  EXPECT_FALSE(exact);
  EXPECT_EQ(ValueOf<SInt64>(huge, kCFNumberSInt64Type, &exact), std::numeric_limits<SInt64>::max());
  EXPECT_FALSE(exact);
  EXPECT_FLOAT_EQ(ValueOf<Float32>(tenth, kCFNumberFloat32Type, &exact), 0.1f);
  EXPECT_FALSE(exact);
  ValueOf<Float64>(big, kCFNumberFloat64Type, &exact);
  EXPECT_FALSE(exact);
  EXPECT_EQ(ValueOf<SInt16>(large, kCFNumberSInt16Type, &exact), 300);
  EXPECT_TRUE(exact);
}

TEST(CFNumberValues, EqualValuesAreEqualWhateverTheirTypes)
{
  CFOwned<CFNumberRef> integer(Make<SInt32>(kCFNumberSInt32Type, 5));
  CFOwned<CFNumberRef> real(Make<Float64>(kCFNumberFloat64Type, 5.0));
  CFOwned<CFNumberRef> other(Make<Float64>(kCFNumberFloat64Type, 5.5));
  CFOwned<CFNumberRef> nan1(Make<Float64>(kCFNumberFloat64Type, std::nan("")));
  CFOwned<CFNumberRef> nan2(Make<Float32>(kCFNumberFloat32Type, std::nanf("")));
  EXPECT_TRUE(CFEqual(integer, real));
  EXPECT_EQ(CFHash(integer), CFHash(real));
  EXPECT_FALSE(CFEqual(integer, other));
  EXPECT_EQ(CFNumberCompare(integer, other, nullptr), kCFCompareLessThan);
  EXPECT_EQ(CFNumberCompare(other, integer, nullptr), kCFCompareGreaterThan);
  EXPECT_TRUE(CFEqual(nan1, nan2));
  EXPECT_EQ(CFNumberCompare(nan1, integer, nullptr), kCFCompareLessThan);
}

TEST(CFNumberValues, BooleansAreTwoConstants)
{
  EXPECT_TRUE(CFBooleanGetValue(kCFBooleanTrue));
  EXPECT_FALSE(CFBooleanGetValue(kCFBooleanFalse));
  EXPECT_EQ(CFGetTypeID(kCFBooleanTrue), CFBooleanGetTypeID());
  EXPECT_FALSE(CFEqual(kCFBooleanTrue, kCFBooleanFalse));
}

TEST(CFNumberBadInput, UnknownTypesAndMissingValuesGiveNull)
{
  SInt32 value = 1;
  EXPECT_EQ(CFNumberCreate(nullptr, 0, &value), nullptr);
  EXPECT_EQ(CFNumberCreate(nullptr, 17, &value), nullptr);
  EXPECT_EQ(CFNumberCreate(nullptr, kCFNumberSInt32Type, nullptr), nullptr);
  CFOwned<CFNumberRef> number(Make<SInt32>(kCFNumberSInt32Type, 1));
  EXPECT_FALSE(CFNumberGetValue(number, 99, &value));
  EXPECT_FALSE(CFNumberGetValue(number, kCFNumberSInt32Type, nullptr));
  EXPECT_EQ(CFNumberGetType(nullptr), 0);
}

}
