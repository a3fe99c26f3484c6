// XML property lists: every type round-trips, the layout matches the platform's, bad input is refused.

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

CFDataRef DataOf(const std::string& text)
{
  return CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(text.data()), static_cast<CFIndex>(text.size()));
}

std::string TextOf(CFDataRef data)
{
  return std::string(reinterpret_cast<const char*>(CFDataGetBytePtr(data)), static_cast<size_t>(CFDataGetLength(data)));
}

template <class T>
CFNumberRef Number(CFNumberType type, T value)
{
  return CFNumberCreate(nullptr, type, &value);
}

// Sets key to value in dictionary and gives up the creator's reference to value.
void Put(CFMutableDictionaryRef dictionary, const char* key, CFTypeRef value)
{
  CFOwned<CFStringRef> keyString(MakeString(key));
  CFDictionarySetValue(dictionary, keyString, value);
  CFRelease(value);
}

CFMutableDictionaryRef NewDictionary()
{
  return CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
}

CFMutableArrayRef NewArray()
{
  return CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
}

CFPropertyListRef Read(const std::string& xml, CFOptionFlags options = kCFPropertyListImmutable, CFErrorRef* error = nullptr)
{
  CFOwned<CFDataRef> data(DataOf(xml));
  return CFPropertyListCreateWithData(nullptr, data, options, nullptr, error);
}

// Property list that holds every type, nested three levels deep.
CFDictionaryRef EveryType()
{
  CFMutableDictionaryRef root = NewDictionary();
  Put(root, "string", MakeString("Grüße <&> \"quoted\" 'single'\r\n\ttab \x01 control"));
  Put(root, "whitespace", MakeString("  "));
  Put(root, "empty string", MakeString(""));
  Put(root, "zero", Number<SInt64>(kCFNumberSInt64Type, 0));
  Put(root, "negative", Number<SInt32>(kCFNumberSInt32Type, -1));
  Put(root, "smallest", Number<SInt64>(kCFNumberSInt64Type, std::numeric_limits<SInt64>::min()));
  Put(root, "largest", Number<SInt64>(kCFNumberSInt64Type, std::numeric_limits<SInt64>::max()));
  Put(root, "tenth", Number<Float64>(kCFNumberFloat64Type, 0.1));
  Put(root, "tiny", Number<Float64>(kCFNumberFloat64Type, -2.5e-300));
  Put(root, "float", Number<Float32>(kCFNumberFloat32Type, 1.5f));
  Put(root, "infinity", Number<Float64>(kCFNumberFloat64Type, std::numeric_limits<double>::infinity()));
  Put(root, "minus infinity", Number<Float64>(kCFNumberFloat64Type, -std::numeric_limits<double>::infinity()));
  Put(root, "nan", Number<Float64>(kCFNumberFloat64Type, std::nan("")));
  Put(root, "yes", CFRetain(kCFBooleanTrue));
  Put(root, "no", CFRetain(kCFBooleanFalse));
  Put(root, "date", CFDateCreate(nullptr, 700000000.0));
  std::vector<UInt8> bytes(256);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<UInt8>(i);
  Put(root, "data", CFDataCreate(nullptr, bytes.data(), static_cast<CFIndex>(bytes.size())));
  Put(root, "empty data", CFDataCreate(nullptr, nullptr, 0));
  Put(root, "empty array", NewArray());
  Put(root, "empty dictionary", NewDictionary());

  CFMutableDictionaryRef inner = NewDictionary();
  CFMutableArrayRef list = NewArray();
  CFArrayAppendValue(list, CFSTR("first"));
  CFMutableDictionaryRef deepest = NewDictionary();
  Put(deepest, "level", Number<SInt32>(kCFNumberSInt32Type, 3));
  CFArrayAppendValue(list, deepest);
  CFRelease(deepest);
  Put(inner, "list", list);
  Put(root, "nested", inner);
  return root;
}

TEST(PropertyListRoundTrip, EveryTypeSurvivesWritingAndReading)
{
  CFOwned<CFDictionaryRef> original(EveryType());
  CFOwned<CFErrorRef> error;
  CFOwned<CFDataRef> xml(CFPropertyListCreateData(nullptr, original, kCFPropertyListXMLFormat_v1_0, 0, error.out()));
  ASSERT_NE(xml.get(), nullptr) << Utf8(CFErrorCopyDescription(error));
  CFPropertyListFormat format = 0;
  CFOwned<CFPropertyListRef> read(CFPropertyListCreateWithData(nullptr, xml, kCFPropertyListImmutable, &format, error.out()));
  ASSERT_NE(read.get(), nullptr) << TextOf(xml);
  EXPECT_EQ(format, kCFPropertyListXMLFormat_v1_0);
  EXPECT_TRUE(CFEqual(read, original)) << TextOf(xml);

  auto* readDictionary = static_cast<CFDictionaryRef>(read.get());
  EXPECT_EQ(Utf8(CFDictionaryGetValue(readDictionary, CFSTR("whitespace"))), "  ");
  EXPECT_EQ(CFGetTypeID(CFDictionaryGetValue(readDictionary, CFSTR("date"))), CFDateGetTypeID());
  EXPECT_EQ(CFGetTypeID(CFDictionaryGetValue(readDictionary, CFSTR("yes"))), CFBooleanGetTypeID());
}

TEST(PropertyListRoundTrip, WriterLaysOutTheDocumentAsThePlatformDoes)
{
  CFOwned<CFMutableDictionaryRef> root(NewDictionary());
  CFMutableArrayRef list = NewArray();
  CFArrayAppendValue(list, kCFBooleanTrue);
  CFArrayAppendValue(list, CFSTR("a<b"));
  Put(root, "b", list);
  Put(root, "a", Number<SInt32>(kCFNumberSInt32Type, 1));
  const UInt8 bytes[] = {0, 1, 2};
  Put(root, "c", CFDataCreate(nullptr, bytes, 3));
  Put(root, "d", Number<Float64>(kCFNumberFloat64Type, 0.5));
  Put(root, "e", NewDictionary());
  CFOwned<CFDataRef> xml(CFPropertyListCreateData(nullptr, root, kCFPropertyListXMLFormat_v1_0, 0, nullptr));
  EXPECT_EQ(TextOf(xml),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
            "<plist version=\"1.0\">\n"
            "<dict>\n"
            "\t<key>a</key>\n"
            "\t<integer>1</integer>\n"
            "\t<key>b</key>\n"
            "\t<array>\n"
            "\t\t<true/>\n"
            "\t\t<string>a&lt;b</string>\n"
            "\t</array>\n"
            "\t<key>c</key>\n"
            "\t<data>\n"
            "\tAAEC\n"
            "\t</data>\n"
            "\t<key>d</key>\n"
            "\t<real>0.5</real>\n"
            "\t<key>e</key>\n"
            "\t<dict/>\n"
            "</dict>\n"
            "</plist>\n");
}

TEST(PropertyListReading, ReadsAPlatformWrittenInfoPlist)
{
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\r\n"
      "<plist version=\"1.0\">\r\n<dict>\r\n"
      "  <!-- a comment -->\r\n"
      "  <key>CFBundleVersion</key> <string>10.2</string>\r\n"
      "  <key>count</key> <integer> 0x1F </integer>\r\n"
      "  <key>ratio</key> <real>+1e3</real>\r\n"
      "  <key>cdata</key> <string><![CDATA[<raw>]]> &amp; more</string>\r\n"
      "  <key>blob</key> <data>\r\n  AAEC\r\n  Aw==\r\n  </data>\r\n"
      "  <key>when</key> <date>2001-01-02T00:00:01Z</date>\r\n"
      "  <key>empty</key> <string/>\r\n"
      "</dict>\r\n</plist>\r\n";
  CFOwned<CFPropertyListRef> plist(Read(xml));
  ASSERT_NE(plist.get(), nullptr);
  auto* dictionary = static_cast<CFDictionaryRef>(plist.get());
  EXPECT_EQ(Utf8(CFDictionaryGetValue(dictionary, CFSTR("CFBundleVersion"))), "10.2");
  SInt32 count = 0;
  EXPECT_TRUE(CFNumberGetValue(static_cast<CFNumberRef>(CFDictionaryGetValue(dictionary, CFSTR("count"))), kCFNumberSInt32Type, &count));
  EXPECT_EQ(count, 31);
  Float64 ratio = 0.0;
  CFNumberGetValue(static_cast<CFNumberRef>(CFDictionaryGetValue(dictionary, CFSTR("ratio"))), kCFNumberFloat64Type, &ratio);
  EXPECT_EQ(ratio, 1000.0);
  EXPECT_EQ(Utf8(CFDictionaryGetValue(dictionary, CFSTR("cdata"))), "<raw> & more");
  EXPECT_EQ(CFDataGetLength(static_cast<CFDataRef>(CFDictionaryGetValue(dictionary, CFSTR("blob")))), 4);
  EXPECT_EQ(CFDateGetAbsoluteTime(static_cast<CFDateRef>(CFDictionaryGetValue(dictionary, CFSTR("when")))), 86401.0);
  EXPECT_EQ(Utf8(CFDictionaryGetValue(dictionary, CFSTR("empty"))), "");
}

TEST(PropertyListReading, AcceptsAValueWithoutThePlistElement)
{
  CFOwned<CFPropertyListRef> plist(Read("<array><integer>1</integer></array>"));
  ASSERT_NE(plist.get(), nullptr);
  EXPECT_EQ(CFArrayGetCount(static_cast<CFArrayRef>(plist.get())), 1);
}

TEST(PropertyListReading, MutabilityOptionsDecideWhatMayChange)
{
  const std::string xml = "<plist><dict><key>list</key><array/><key>bytes</key><data>AA==</data></dict></plist>";
  const UInt8 byte = 7;
  {
    CFOwned<CFPropertyListRef> plist(Read(xml, kCFPropertyListImmutable));
    auto* list = static_cast<CFMutableArrayRef>(const_cast<void*>(CFDictionaryGetValue(static_cast<CFDictionaryRef>(plist.get()), CFSTR("list"))));
    CFArrayAppendValue(list, CFSTR("x"));
    EXPECT_EQ(CFArrayGetCount(list), 0);
  }
  {
    CFOwned<CFPropertyListRef> plist(Read(xml, kCFPropertyListMutableContainers));
    auto* list = static_cast<CFMutableArrayRef>(const_cast<void*>(CFDictionaryGetValue(static_cast<CFDictionaryRef>(plist.get()), CFSTR("list"))));
    CFArrayAppendValue(list, CFSTR("x"));
    EXPECT_EQ(CFArrayGetCount(list), 1);
    auto* bytes = static_cast<CFMutableDataRef>(const_cast<void*>(CFDictionaryGetValue(static_cast<CFDictionaryRef>(plist.get()), CFSTR("bytes"))));
    CFDataAppendBytes(bytes, &byte, 1);
    EXPECT_EQ(CFDataGetLength(bytes), 1);
  }
  {
    CFOwned<CFPropertyListRef> plist(Read(xml, kCFPropertyListMutableContainersAndLeaves));
    auto* bytes = static_cast<CFMutableDataRef>(const_cast<void*>(CFDictionaryGetValue(static_cast<CFDictionaryRef>(plist.get()), CFSTR("bytes"))));
    CFDataAppendBytes(bytes, &byte, 1);
    EXPECT_EQ(CFDataGetLength(bytes), 2);
  }
}

TEST(PropertyListBadInput, EveryMalformedDocumentIsRefusedWithACorruptError)
{
  std::string deep;
  for (int i = 0; i < 300; ++i)
    deep += "<array>";
  for (int i = 0; i < 300; ++i)
    deep += "</array>";
  const std::vector<std::string> documents = {
      "",
      "hello, world",
      "bplist00\xD1\x01\x02",
      "<plist><dict><key>a</key><string>unclosed</dict></plist>",
      "<plist><unknown/></plist>",
      "<plist></plist>",
      "<plist><true/><false/></plist>",
      "<plist>text<true/></plist>",
      "<plist><dict><key>a</key></dict></plist>",
      "<plist><dict><string>no key</string><true/></dict></plist>",
      "<plist><dict><key><b/></key><true/></dict></plist>",
      "<plist><dict>stray<key>a</key><true/></dict></plist>",
      "<plist><integer>9223372036854775808</integer></plist>",
      "<plist><integer>12abc</integer></plist>",
      "<plist><integer></integer></plist>",
      "<plist><real>abc</real></plist>",
      "<plist><real>1e99999</real></plist>",
      "<plist><data>@@@@</data></plist>",
      "<plist><data>QUJD=QQ==</data></plist>",
      "<plist><date>2001-13-01T00:00:00Z</date></plist>",
      "<plist><date>yesterday</date></plist>",
      "<plist><true>yes</true></plist>",
      "<plist><string>\xC3\x28</string></plist>",
      "<plist><string><i>element</i></string></plist>",
      deep,
  };
  for (const std::string& document : documents)
  {
    CFErrorRef error = nullptr;
    CFPropertyListRef plist = Read(document, kCFPropertyListImmutable, &error);
    EXPECT_EQ(plist, nullptr) << document;
    ASSERT_NE(error, nullptr) << document;
    EXPECT_EQ(CFErrorGetCode(error), kCFPropertyListReadCorruptError);
    EXPECT_TRUE(CFEqual(CFErrorGetDomain(error), kCFErrorDomainCocoa));
    CFOwned<CFStringRef> description(CFErrorCopyDescription(error));
    EXPECT_FALSE(Utf8(description).empty());
    CFRelease(plist);
    CFRelease(error);
  }
}

TEST(PropertyListBadInput, ReadingWithoutDataReportsAnError)
{
  CFErrorRef error = nullptr;
  EXPECT_EQ(CFPropertyListCreateWithData(nullptr, nullptr, 0, nullptr, &error), nullptr);
  EXPECT_EQ(CFErrorGetCode(error), kCFPropertyListReadCorruptError);
  CFRelease(error);
  EXPECT_EQ(CFPropertyListCreateWithData(nullptr, static_cast<CFDataRef>(static_cast<const void*>(CFSTR("not data"))), 0, nullptr, nullptr), nullptr);
}

TEST(PropertyListBadInput, ObjectsThatAreNoPropertyListAreNotWritten)
{
  CFOwned<CFMutableDictionaryRef> numberKey(NewDictionary());
  CFOwned<CFNumberRef> one(Number<SInt32>(kCFNumberSInt32Type, 1));
  CFDictionarySetValue(numberKey, one, CFSTR("value"));

  int plain = 0;
  const void* pointers[] = {&plain};
  CFOwned<CFArrayRef> plainPointers(CFArrayCreate(nullptr, pointers, 1, nullptr));

  CFOwned<CFMutableArrayRef> cycle(NewArray());
  CFArrayAppendValue(cycle, cycle);

  CFOwned<CFURLRef> url(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/tmp"), kCFURLPOSIXPathStyle, true));
  CFOwned<CFDateRef> farFuture(CFDateCreate(nullptr, 1e300));

  for (CFTypeRef object : {static_cast<CFTypeRef>(numberKey.get()), static_cast<CFTypeRef>(plainPointers.get()), static_cast<CFTypeRef>(cycle.get()), static_cast<CFTypeRef>(url.get()), static_cast<CFTypeRef>(farFuture.get()), static_cast<CFTypeRef>(nullptr)})
  {
    CFErrorRef error = nullptr;
    EXPECT_FALSE(CFPropertyListIsValid(object, kCFPropertyListXMLFormat_v1_0));
    EXPECT_EQ(CFPropertyListCreateData(nullptr, object, kCFPropertyListXMLFormat_v1_0, 0, &error), nullptr);
    EXPECT_EQ(CFErrorGetCode(error), kCFPropertyListWriteStreamError);
    CFRelease(error);
  }
  // The cycle holds a reference to itself; break it so that it can go.
  CFArrayRemoveAllValues(cycle);
}

TEST(PropertyListBadInput, OnlyTheXMLFormatIsWritten)
{
  CFErrorRef error = nullptr;
  EXPECT_EQ(CFPropertyListCreateData(nullptr, CFSTR("x"), kCFPropertyListBinaryFormat_v1_0, 0, &error), nullptr);
  EXPECT_EQ(CFErrorGetCode(error), kCFPropertyListWriteStreamError);
  CFRelease(error);
  EXPECT_FALSE(CFPropertyListIsValid(CFSTR("x"), kCFPropertyListBinaryFormat_v1_0));
  EXPECT_TRUE(CFPropertyListIsValid(CFSTR("x"), kCFPropertyListXMLFormat_v1_0));
}

}
