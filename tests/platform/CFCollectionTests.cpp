// Data buffers, arrays and dictionaries.

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(CFDataBuffers, HoldACopyOfTheirBytes)
{
  UInt8 bytes[] = {1, 2, 3, 4};
  CFOwned<CFDataRef> data(CFDataCreate(nullptr, bytes, 4));
  bytes[0] = 9;
  ASSERT_EQ(CFDataGetLength(data), 4);
  EXPECT_EQ(CFDataGetBytePtr(data)[0], 1);
  UInt8 middle[2] = {};
  CFDataGetBytes(data, CFRangeMake(1, 2), middle);
  EXPECT_EQ(middle[0], 2);
  EXPECT_EQ(middle[1], 3);

  CFOwned<CFDataRef> empty(CFDataCreate(nullptr, nullptr, 0));
  EXPECT_EQ(CFDataGetLength(empty), 0);
  EXPECT_EQ(CFDataCreate(nullptr, nullptr, 3), nullptr);
  EXPECT_EQ(CFDataCreate(nullptr, bytes, -1), nullptr);
}

TEST(CFDataBuffers, MutableBuffersGrowWithZerosUpToTheirCapacity)
{
  const UInt8 bytes[] = {7, 8};
  CFOwned<CFMutableDataRef> data(CFDataCreateMutable(nullptr, 6));
  CFDataAppendBytes(data, bytes, 2);
  CFDataSetLength(data, 5);
  ASSERT_EQ(CFDataGetLength(data), 5);
  EXPECT_EQ(CFDataGetBytePtr(data)[1], 8);
  EXPECT_EQ(CFDataGetBytePtr(data)[4], 0);
  CFDataAppendBytes(data, bytes, 2);
  EXPECT_EQ(CFDataGetLength(data), 5) << "appending past the capacity is refused";
  CFDataGetMutableBytePtr(data)[0] = 42;
  EXPECT_EQ(CFDataGetBytePtr(data)[0], 42);
}

TEST(CFDataBuffers, RangesOutsideTheDataCopyNothing)
{
  const UInt8 bytes[] = {1, 2, 3};
  CFOwned<CFDataRef> data(CFDataCreate(nullptr, bytes, 3));
  UInt8 out[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  CFDataGetBytes(data, CFRangeMake(2, 2), out);
  CFDataGetBytes(data, CFRangeMake(-1, 1), out);
  CFDataGetBytes(data, CFRangeMake(4, 1), out);
  EXPECT_EQ(out[0], 0xAA);
  EXPECT_EQ(out[1], 0xAA);
}

TEST(CFArrays, KeepOrderAndRefuseIndicesOutsideThem)
{
  const void* values[] = {CFSTR("a"), CFSTR("b"), CFSTR("c")};
  CFOwned<CFArrayRef> array(CFArrayCreate(nullptr, values, 3, &kCFTypeArrayCallBacks));
  ASSERT_EQ(CFArrayGetCount(array), 3);
  EXPECT_EQ(CFArrayGetValueAtIndex(array, 2), CFSTR("c"));
  EXPECT_EQ(CFArrayGetValueAtIndex(array, 3), nullptr);
  EXPECT_EQ(CFArrayGetValueAtIndex(array, -1), nullptr);
  EXPECT_EQ(CFArrayCreate(nullptr, nullptr, 2, &kCFTypeArrayCallBacks), nullptr);

  CFOwned<CFMutableArrayRef> mutableArray(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
  for (const void* value : values)
    CFArrayAppendValue(mutableArray, value);
  EXPECT_TRUE(CFEqual(array, mutableArray));
  CFArrayRemoveValueAtIndex(mutableArray, 1);
  CFArrayRemoveValueAtIndex(mutableArray, 5);
  EXPECT_EQ(CFArrayGetValueAtIndex(mutableArray, 1), CFSTR("c"));
  CFArrayRemoveAllValues(mutableArray);
  EXPECT_EQ(CFArrayGetCount(mutableArray), 0);
}

TEST(CFArrays, WithoutCallbacksHoldPlainPointers)
{
  int a = 1;
  int b = 2;
  const void* values[] = {&a, &b};
  CFOwned<CFArrayRef> array(CFArrayCreate(nullptr, values, 2, nullptr));
  EXPECT_EQ(CFArrayGetValueAtIndex(array, 1), &b);
}

TEST(CFDictionaries, FindKeysByValueNotByIdentity)
{
  CFOwned<CFMutableDictionaryRef> dictionary(CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
  CFOwned<CFStringRef> key(MakeString("name"));
  CFOwned<CFStringRef> sameKey(MakeString("name"));
  CFDictionarySetValue(dictionary, key, CFSTR("first"));
  CFDictionarySetValue(dictionary, sameKey, CFSTR("second"));
  EXPECT_EQ(CFDictionaryGetCount(dictionary), 1);
  EXPECT_EQ(CFDictionaryGetValue(dictionary, CFSTR("name")), CFSTR("second"));
  CFDictionaryAddValue(dictionary, key, CFSTR("third"));
  EXPECT_EQ(CFDictionaryGetValue(dictionary, key), CFSTR("second")) << "AddValue never replaces";

  const void* found = nullptr;
  EXPECT_TRUE(CFDictionaryGetValueIfPresent(dictionary, CFSTR("name"), &found));
  EXPECT_EQ(found, CFSTR("second"));
  EXPECT_FALSE(CFDictionaryGetValueIfPresent(dictionary, CFSTR("missing"), &found));
  EXPECT_FALSE(CFDictionaryContainsKey(dictionary, CFSTR("missing")));
  EXPECT_EQ(CFDictionaryGetValue(dictionary, nullptr), nullptr);
}

TEST(CFDictionaries, ListTheirPairsAndCompareByContents)
{
  const void* keys[] = {CFSTR("a"), CFSTR("b")};
  const void* values[] = {CFSTR("1"), CFSTR("2")};
  CFOwned<CFDictionaryRef> dictionary(CFDictionaryCreate(nullptr, keys, values, 2, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
  const void* listedKeys[2] = {};
  const void* listedValues[2] = {};
  CFDictionaryGetKeysAndValues(dictionary, listedKeys, listedValues);
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(CFDictionaryGetValue(dictionary, listedKeys[i]), listedValues[i]);

  CFOwned<CFMutableDictionaryRef> copy(CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
  CFDictionarySetValue(copy, CFSTR("b"), CFSTR("2"));
  CFDictionarySetValue(copy, CFSTR("a"), CFSTR("1"));
  EXPECT_TRUE(CFEqual(dictionary, copy));
  CFDictionarySetValue(copy, CFSTR("a"), CFSTR("changed"));
  EXPECT_FALSE(CFEqual(dictionary, copy));

  CFOwned<CFStringRef> description(CFCopyDescription(dictionary));
  EXPECT_EQ(Utf8(description), "{\n    a = 1;\n    b = 2;\n}");
}

TEST(CFDictionaries, HoldNoMorePairsThanTheirCapacity)
{
  CFOwned<CFMutableDictionaryRef> dictionary(CFDictionaryCreateMutable(nullptr, 1, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
  CFOwned<CFStringRef> value(MakeString("value"));
  CFDictionarySetValue(dictionary, CFSTR("a"), value);
  CFDictionarySetValue(dictionary, CFSTR("b"), value);
  EXPECT_EQ(CFDictionaryGetCount(dictionary), 1);
  EXPECT_EQ(CFGetRetainCount(value), 2) << "the refused value is not kept";
  EXPECT_EQ(CFDictionaryCreateMutable(nullptr, -1, nullptr, nullptr), nullptr);
}

}
