// Strings: UTF-8 in and out, other encodings, comparison and formatting.

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(CFStringConversion, Utf8TextRoundTripsAndCountsUtf16Units)
{
  const std::string text = "Grüße, 世界 🎵";
  CFOwned<CFStringRef> string(MakeString(text));
  ASSERT_NE(string.get(), nullptr);
  EXPECT_EQ(Utf8(string), text);
  EXPECT_EQ(CFStringGetLength(string), 12) << "eleven characters, the emoji taking two UTF-16 units";
  EXPECT_STREQ(CFStringGetCStringPtr(string, kCFStringEncodingUTF8), text.c_str());
}

TEST(CFStringConversion, GetCStringNeedsRoomForTheTerminator)
{
  CFOwned<CFStringRef> string(MakeString("héllo"));
  char exact[7];
  char tooSmall[6];
  EXPECT_TRUE(CFStringGetCString(string, exact, sizeof(exact), kCFStringEncodingUTF8));
  EXPECT_STREQ(exact, "héllo");
  EXPECT_FALSE(CFStringGetCString(string, tooSmall, sizeof(tooSmall), kCFStringEncodingUTF8));
  EXPECT_FALSE(CFStringGetCString(string, nullptr, 100, kCFStringEncodingUTF8));
  EXPECT_FALSE(CFStringGetCString(string, exact, 0, kCFStringEncodingUTF8));
}

TEST(CFStringConversion, AsciiAndLatin1AreConvertedOrRefused)
{
  CFOwned<CFStringRef> latin(CFStringCreateWithCString(nullptr, "caf\xE9", kCFStringEncodingISOLatin1));
  EXPECT_EQ(Utf8(latin), "café");
  char buffer[16];
  EXPECT_FALSE(CFStringGetCString(latin, buffer, sizeof(buffer), kCFStringEncodingASCII));
  EXPECT_EQ(CFStringGetCStringPtr(latin, kCFStringEncodingASCII), nullptr);
  ASSERT_TRUE(CFStringGetCString(latin, buffer, sizeof(buffer), kCFStringEncodingISOLatin1));
  EXPECT_STREQ(buffer, "caf\xE9");

  CFOwned<CFStringRef> ascii(CFStringCreateWithCString(nullptr, "plain", kCFStringEncodingASCII));
  EXPECT_STREQ(CFStringGetCStringPtr(ascii, kCFStringEncodingASCII), "plain");
  EXPECT_EQ(CFStringCreateWithCString(nullptr, "caf\xC3\xA9", kCFStringEncodingASCII), nullptr);

  CFOwned<CFStringRef> music(MakeString("🎵"));
  EXPECT_FALSE(CFStringGetCString(music, buffer, sizeof(buffer), kCFStringEncodingISOLatin1));
  EXPECT_FALSE(CFStringGetCString(music, buffer, sizeof(buffer), kCFStringEncodingMacRoman)) << "only UTF-8, ASCII and Latin-1 are converted";
  EXPECT_EQ(CFStringGetMaximumSizeForEncoding(4, kCFStringEncodingUTF8), 12);
  EXPECT_EQ(CFStringGetMaximumSizeForEncoding(4, kCFStringEncodingMacRoman), kCFNotFound);
}

TEST(CFStringConversion, InvalidUtf8IsRefused)
{
  EXPECT_EQ(CFStringCreateWithCString(nullptr, "\xC3\x28", kCFStringEncodingUTF8), nullptr) << "broken sequence";
  EXPECT_EQ(CFStringCreateWithCString(nullptr, "\xC0\xAF", kCFStringEncodingUTF8), nullptr) << "overlong form";
  EXPECT_EQ(CFStringCreateWithCString(nullptr, "\xED\xA0\x80", kCFStringEncodingUTF8), nullptr) << "surrogate";
  EXPECT_EQ(CFStringCreateWithCString(nullptr, "\xF4\x90\x80\x80", kCFStringEncodingUTF8), nullptr) << "beyond U+10FFFF";
  EXPECT_EQ(CFStringCreateWithCString(nullptr, nullptr, kCFStringEncodingUTF8), nullptr);
  EXPECT_EQ(__CFStringMakeConstantString("\xFF"), nullptr);
}

TEST(CFStringComparison, OrdersByCodePointWithOptionalFolding)
{
  EXPECT_EQ(CFStringCompare(CFSTR("apple"), CFSTR("banana"), 0), kCFCompareLessThan);
  EXPECT_EQ(CFStringCompare(CFSTR("b"), CFSTR("a"), 0), kCFCompareGreaterThan);
  EXPECT_EQ(CFStringCompare(CFSTR("ab"), CFSTR("abc"), 0), kCFCompareLessThan);
  EXPECT_EQ(CFStringCompare(CFSTR("Logic"), CFSTR("logic"), 0), kCFCompareLessThan);
  EXPECT_EQ(CFStringCompare(CFSTR("Logic"), CFSTR("logic"), kCFCompareCaseInsensitive), kCFCompareEqualTo);
  EXPECT_EQ(CFStringCompare(CFSTR("ÉTÉ"), CFSTR("été"), kCFCompareCaseInsensitive), kCFCompareEqualTo);
  EXPECT_EQ(CFStringCompare(CFSTR("track 9"), CFSTR("track 10"), 0), kCFCompareGreaterThan);
  EXPECT_EQ(CFStringCompare(CFSTR("track 9"), CFSTR("track 10"), kCFCompareNumerically), kCFCompareLessThan);
  EXPECT_EQ(CFStringCompare(CFSTR("v007"), CFSTR("v7"), kCFCompareNumerically), kCFCompareEqualTo);
}

TEST(CFStringComparison, EqualStringsHashAlike)
{
  CFOwned<CFStringRef> a(MakeString("same"));
  CFOwned<CFStringRef> b(MakeString("same"));
  EXPECT_NE(a.get(), b.get());
  EXPECT_TRUE(CFEqual(a, b));
  EXPECT_EQ(CFHash(a), CFHash(b));
  EXPECT_FALSE(CFEqual(a, CFSTR("other")));
}

TEST(CFStringFormat, ExpandsPrintfConversionsAndObjects)
{
  SInt32 five = 5;
  CFOwned<CFNumberRef> number(CFNumberCreate(nullptr, kCFNumberSInt32Type, &five));
  CFOwned<CFStringRef> formatted(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%d|%s|%.2f|%@|%@|%5.1f%%|%x|%lld|%zu|%c|%-4d|%*d|%.*s"), -3, "text", 3.14159, CFSTR("object"), number.get(), 2.25, 255u, 1LL << 40, size_t(7), 'z', 42, 4, 7, 2, "abcdef"));
  EXPECT_EQ(Utf8(formatted), "-3|text|3.14|object|5|  2.2%|ff|1099511627776|7|z|42  |   7|ab");
}

TEST(CFStringFormat, DescribesPresetsTheWayTheFactoryPresetArrayDoes)
{
  CFOwned<CFStringRef> description(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("AUPreset:\npreset number = %d\npreset name = %@"), 3, CFSTR("Gentle")));
  EXPECT_EQ(Utf8(description), "AUPreset:\npreset number = 3\npreset name = Gentle");
}

TEST(CFStringFormat, NullObjectsAndStringsPrintAsNull)
{
  CFOwned<CFStringRef> formatted(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%@ %s"), static_cast<CFTypeRef>(nullptr), static_cast<const char*>(nullptr)));
  EXPECT_EQ(Utf8(formatted), "(null) (null)");
}

TEST(CFStringFormat, UnsupportedConversionsGiveNull)
{
  int count = 0;
  EXPECT_EQ(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%n"), &count), nullptr);
  EXPECT_EQ(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%1$d"), 1), nullptr);
  EXPECT_EQ(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%S"), u"x"), nullptr);
  EXPECT_EQ(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("trailing %"), 1), nullptr);
  EXPECT_EQ(CFStringCreateWithFormat(nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%s"), "\xFF"), nullptr) << "the result must be valid UTF-8";
}

}
