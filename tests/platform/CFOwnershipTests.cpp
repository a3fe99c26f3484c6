// Reference counting and the platform's ownership rule: Create and Copy hand the caller a reference it
// must release; Get hands out a reference it does not own.

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The same object under another reference type, as a confused caller might pass it.
template <class T>
T As(CFTypeRef ref)
{
  return static_cast<T>(const_cast<void*>(ref));
}

TEST(CFOwnership, CreatedObjectsStartWithOneReferenceOwnedByTheCaller)
{
  CFStringRef string = MakeString("owned");
  EXPECT_EQ(CFGetRetainCount(string), 1);
  EXPECT_EQ(CFRetain(string), string);
  EXPECT_EQ(CFGetRetainCount(string), 2);
  CFRelease(string);
  EXPECT_EQ(CFGetRetainCount(string), 1);
  CFRelease(string);
}

TEST(CFOwnership, CollectionsRetainWhatTheyHoldAndReleaseItWhenItLeaves)
{
  CFOwned<CFStringRef> key(MakeString("key"));
  CFOwned<CFStringRef> value(MakeString("value"));
  {
    CFOwned<CFMutableDictionaryRef> dictionary(CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    CFDictionarySetValue(dictionary, key, value);
    EXPECT_EQ(CFGetRetainCount(key), 2);
    EXPECT_EQ(CFGetRetainCount(value), 2);
    CFDictionaryRemoveValue(dictionary, key);
    EXPECT_EQ(CFGetRetainCount(key), 1);
    EXPECT_EQ(CFGetRetainCount(value), 1);
    CFDictionarySetValue(dictionary, key, value);
  }
  EXPECT_EQ(CFGetRetainCount(key), 1);
  EXPECT_EQ(CFGetRetainCount(value), 1);

  {
    CFOwned<CFMutableArrayRef> array(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    CFArrayAppendValue(array, value);
    CFArrayAppendValue(array, value);
    EXPECT_EQ(CFGetRetainCount(value), 3);
    CFArrayRemoveValueAtIndex(array, 0);
    EXPECT_EQ(CFGetRetainCount(value), 2);
  }
  EXPECT_EQ(CFGetRetainCount(value), 1);
}

TEST(CFOwnership, GetFunctionsLeaveTheReferenceCountAlone)
{
  CFOwned<CFStringRef> key(MakeString("k"));
  CFOwned<CFStringRef> value(MakeString("v"));
  const void* keys[] = {key.get()};
  const void* values[] = {value.get()};
  CFOwned<CFDictionaryRef> dictionary(CFDictionaryCreate(nullptr, keys, values, 1, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
  const CFIndex before = CFGetRetainCount(value);
  EXPECT_EQ(CFDictionaryGetValue(dictionary, key), value.get());
  EXPECT_EQ(CFGetRetainCount(value), before);

  CFOwned<CFURLRef> url(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/tmp/x"), kCFURLPOSIXPathStyle, false));
  CFStringRef urlString = CFURLGetString(url);
  const CFIndex urlStringCount = CFGetRetainCount(urlString);
  EXPECT_EQ(CFURLGetString(url), urlString);
  EXPECT_EQ(CFGetRetainCount(urlString), urlStringCount);
}

TEST(CFOwnership, CopyFunctionsReturnNewReferences)
{
  CFOwned<CFStringRef> original(MakeString("text"));
  CFOwned<CFStringRef> copy(CFStringCreateCopy(nullptr, original));
  CFOwned<CFStringRef> description(CFCopyDescription(original));
  EXPECT_EQ(CFGetRetainCount(copy), 1);
  EXPECT_EQ(CFGetRetainCount(description), 1);
  EXPECT_EQ(CFGetRetainCount(original), 1);
  EXPECT_TRUE(CFEqual(copy, original));
  EXPECT_EQ(Utf8(description), "text");
}

TEST(CFOwnership, ConstantsAreSharedAndSurviveReleases)
{
  CFStringRef constant = CFSTR("a constant");
  EXPECT_EQ(CFSTR("a constant"), constant);
  CFRelease(constant);
  CFRelease(constant);
  EXPECT_EQ(Utf8(constant), "a constant");
  EXPECT_GT(CFGetRetainCount(kCFBooleanTrue), 1000000);
  CFRelease(kCFBooleanTrue);
  EXPECT_TRUE(CFBooleanGetValue(kCFBooleanTrue));
}

// A record that is not a CF object, held by an array through its own callbacks (as factory presets are).
struct Preset {
  int number;
  int references;
};

const void* RetainPreset(CFAllocatorRef, const void* value)
{
  ++static_cast<Preset*>(const_cast<void*>(value))->references;
  return value;
}

void ReleasePreset(CFAllocatorRef, const void* value)
{
  --static_cast<Preset*>(const_cast<void*>(value))->references;
}

CFStringRef DescribePreset(const void* value)
{
  return CFStringCreateWithFormat(nullptr, nullptr, CFSTR("preset %d"), static_cast<const Preset*>(value)->number);
}

Boolean EqualPresets(const void* a, const void* b)
{
  return static_cast<const Preset*>(a)->number == static_cast<const Preset*>(b)->number;
}

TEST(CFOwnership, CustomArrayCallbacksOwnValuesThatAreNotCFObjects)
{
  CFArrayCallBacks callbacks = {0, RetainPreset, ReleasePreset, DescribePreset, EqualPresets};
  Preset first = {1, 1};
  Preset second = {2, 1};
  Preset sameAsSecond = {2, 1};
  {
    CFOwned<CFMutableArrayRef> array(CFArrayCreateMutable(nullptr, 2, &callbacks));
    CFArrayAppendValue(array, &first);
    CFArrayAppendValue(array, &second);
    CFArrayAppendValue(array, &sameAsSecond);
    EXPECT_EQ(CFArrayGetCount(array), 2) << "a capacity of 2 holds two values";
    EXPECT_EQ(first.references, 2);
    EXPECT_EQ(sameAsSecond.references, 1);
    EXPECT_EQ(CFArrayGetValueAtIndex(array, 1), &second);

    CFOwned<CFStringRef> description(CFCopyDescription(array));
    EXPECT_EQ(Utf8(description), "(\n    preset 1,\n    preset 2\n)");

    CFOwned<CFMutableArrayRef> other(CFArrayCreateMutable(nullptr, 0, &callbacks));
    Preset otherFirst = {1, 1};
    CFArrayAppendValue(other, &otherFirst);
    CFArrayAppendValue(other, &sameAsSecond);
    EXPECT_TRUE(CFEqual(array, other));
  }
  EXPECT_EQ(first.references, 1);
  EXPECT_EQ(second.references, 1);
  EXPECT_EQ(sameAsSecond.references, 1);
}

TEST(CFOwnership, EveryTypeHasItsOwnNamedTypeID)
{
  const CFTypeID ids[] = {CFStringGetTypeID(), CFNumberGetTypeID(), CFBooleanGetTypeID(), CFDataGetTypeID(), CFArrayGetTypeID(), CFDictionaryGetTypeID(), CFDateGetTypeID(), CFErrorGetTypeID(), CFURLGetTypeID(), CFBundleGetTypeID(), CFRunLoopGetTypeID(), CFRunLoopTimerGetTypeID(), CFAllocatorGetTypeID()};
  for (size_t i = 0; i < std::size(ids); ++i)
  {
    for (size_t j = i + 1; j < std::size(ids); ++j)
      EXPECT_NE(ids[i], ids[j]);
  }
  CFOwned<CFStringRef> name(CFCopyTypeIDDescription(CFDictionaryGetTypeID()));
  EXPECT_EQ(Utf8(name), "CFDictionary");
  EXPECT_EQ(CFGetTypeID(CFSTR("x")), CFStringGetTypeID());
  EXPECT_EQ(CFCopyTypeIDDescription(9999), nullptr);
}

TEST(CFOwnership, AllocatorsHandOutAndTakeBackMemory)
{
  void* block = CFAllocatorAllocate(kCFAllocatorDefault, 64, 0);
  ASSERT_NE(block, nullptr);
  CFAllocatorDeallocate(kCFAllocatorDefault, block);
  EXPECT_EQ(CFAllocatorAllocate(kCFAllocatorNull, 64, 0), nullptr);
  EXPECT_EQ(CFAllocatorAllocate(kCFAllocatorSystemDefault, 0, 0), nullptr);
  EXPECT_EQ(CFAllocatorGetDefault(), kCFAllocatorSystemDefault);
  EXPECT_EQ(CFGetTypeID(kCFAllocatorMalloc), CFAllocatorGetTypeID());
}

TEST(CFBadInput, ReleasedReferencesAreRecognisedWithoutReadingThem)
{
  CFStringRef text = CFStringCreateWithCString(nullptr, "gone", kCFStringEncodingUTF8);
  CFRelease(text);
  EXPECT_EQ(CFGetTypeID(text), 0u);
  EXPECT_EQ(CFGetRetainCount(text), 0);
  EXPECT_FALSE(CFEqual(text, text));
  int notAnObject[8] = {};
  EXPECT_EQ(CFGetTypeID(notAnObject), 0u) << "memory that never held an object is not one";
}

TEST(CFBadInput, NullOrWrongTypedObjectsGiveNullZeroOrNothing)
{
  CFOwned<CFStringRef> string(MakeString("not a container"));
  SInt32 number = 0;
  EXPECT_EQ(CFRetain(nullptr), nullptr);
  CFRelease(nullptr);
  EXPECT_EQ(CFGetTypeID(nullptr), 0u);
  EXPECT_EQ(CFGetRetainCount(nullptr), 0);
  EXPECT_FALSE(CFEqual(nullptr, string));
  EXPECT_FALSE(CFEqual(string, nullptr));
  EXPECT_EQ(CFHash(nullptr), 0u);
  EXPECT_EQ(CFCopyDescription(nullptr), nullptr);

  EXPECT_EQ(CFArrayGetCount(As<CFArrayRef>(string)), 0);
  EXPECT_EQ(CFArrayGetValueAtIndex(As<CFArrayRef>(string), 0), nullptr);
  EXPECT_EQ(CFDictionaryGetValue(As<CFDictionaryRef>(string), string), nullptr);
  EXPECT_FALSE(CFNumberGetValue(As<CFNumberRef>(string), kCFNumberSInt32Type, &number));
  EXPECT_EQ(CFDataGetBytePtr(As<CFDataRef>(string)), nullptr);
  EXPECT_EQ(CFStringGetLength(As<CFStringRef>(kCFBooleanTrue)), 0);
  EXPECT_FALSE(CFBooleanGetValue(As<CFBooleanRef>(string)));
  EXPECT_EQ(CFURLGetString(As<CFURLRef>(string)), nullptr);
  EXPECT_EQ(CFBundleGetIdentifier(As<CFBundleRef>(string)), nullptr);
  EXPECT_EQ(CFErrorGetCode(nullptr), 0);
  EXPECT_EQ(CFDateGetAbsoluteTime(nullptr), 0.0);
  CFArrayAppendValue(As<CFMutableArrayRef>(string), string);
  CFDictionarySetValue(nullptr, string, string);
  CFRunLoopTimerInvalidate(As<CFRunLoopTimerRef>(string));
  EXPECT_EQ(CFGetRetainCount(string), 1) << "nothing retained the string along the way";
}

TEST(CFBadInput, ImmutableObjectsIgnoreChanges)
{
  CFOwned<CFStringRef> value(MakeString("v"));
  const void* values[] = {value.get()};
  CFOwned<CFArrayRef> array(CFArrayCreate(nullptr, values, 1, &kCFTypeArrayCallBacks));
  CFArrayAppendValue(const_cast<CFMutableArrayRef>(array.get()), value);
  CFArrayRemoveAllValues(const_cast<CFMutableArrayRef>(array.get()));
  EXPECT_EQ(CFArrayGetCount(array), 1);

  const UInt8 bytes[] = {1, 2, 3};
  CFOwned<CFDataRef> data(CFDataCreate(nullptr, bytes, 3));
  CFDataAppendBytes(const_cast<CFMutableDataRef>(data.get()), bytes, 3);
  EXPECT_EQ(CFDataGetLength(data), 3);
  EXPECT_EQ(CFDataGetMutableBytePtr(const_cast<CFMutableDataRef>(data.get())), nullptr);
}

}
