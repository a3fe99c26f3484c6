#include <gtest/gtest.h>

#include <string>

#include "WDL_String.h"

TEST(WDL_String, NullTextReadsAsEmptyAndNeverGivesNull)
{
  WDL_String text(nullptr);
  ASSERT_NE(text.Get(), nullptr);
  EXPECT_STREQ(text.Get(), "");
  text.Append(nullptr);
  EXPECT_EQ(text.GetLength(), 0);
}

TEST(WDL_String, SetAndAppendHonourByteLimits)
{
  WDL_String text("abcdef", 3);
  EXPECT_STREQ(text.Get(), "abc");
  text.Append("XYZ", 2);
  EXPECT_STREQ(text.Get(), "abcXY");
  text.Set("12345");
  EXPECT_STREQ(text.Get(), "12345");
  text.Set("hello", 100);
  EXPECT_STREQ(text.Get(), "hello");
}

TEST(WDL_String, GrowsFarBeyondItsFirstSize)
{
  WDL_String text;
  std::string expected;
  for (int i = 0; i < 5000; ++i)
  {
    text.Append("ab");
    expected += "ab";
  }
  EXPECT_EQ(text.GetLength(), 10000);
  EXPECT_EQ(expected, text.Get());
}

TEST(WDL_String, FormattedSetCutsAtTheLimit)
{
  WDL_String text("old");
  text.SetFormatted(5, "%d-%s", 12345, "tail");
  EXPECT_STREQ(text.Get(), "12345");
  text.SetFormatted(32, "%.2f", 0.5);
  EXPECT_STREQ(text.Get(), "0.50");
}

TEST(WDL_String, FormattedAppendKeepsExistingTextAndCutsOnlyTheAddition)
{
  WDL_String text("ab");
  text.AppendFormatted(3, "%s", "cdefg");
  EXPECT_STREQ(text.Get(), "abcde");
  text.AppendFormatted(0, "%s", "ignored");
  EXPECT_STREQ(text.Get(), "abcde");
  text.AppendFormatted(-4, "%s", "ignored");
  EXPECT_STREQ(text.Get(), "abcde");
}

TEST(WDL_String, FormattedAppendLongerThanAnyInternalBuffer)
{
  const std::string longText(10000, 'x');
  WDL_String text;
  text.AppendFormatted(8192, "%s", longText.c_str());
  EXPECT_EQ(text.GetLength(), 8192);
  text.AppendFormatted(20000, "%s", longText.c_str());
  EXPECT_EQ(text.GetLength(), 18192);
}

TEST(WDL_String, SetLenTruncatesButNeverGrows)
{
  WDL_String text("abcdef");
  text.SetLen(10);
  EXPECT_STREQ(text.Get(), "abcdef");
  text.SetLen(3);
  EXPECT_STREQ(text.Get(), "abc");
  text.SetLen(-1);
  EXPECT_STREQ(text.Get(), "");
}

TEST(WDL_String, InsertAndDeleteClipToTheString)
{
  WDL_String text("ace");
  text.Insert("b", 1);
  text.Insert("d", 3);
  text.Insert("<", -5);
  text.Insert(">", 99);
  EXPECT_STREQ(text.Get(), "<abcde>");
  text.DeleteSub(5, 100);
  EXPECT_STREQ(text.Get(), "<abcd");
  text.DeleteSub(-1, 2);
  text.DeleteSub(9, 2);
  EXPECT_STREQ(text.Get(), "<abcd");
  text.DeleteSub(0, 1);
  EXPECT_STREQ(text.Get(), "abcd");
}
