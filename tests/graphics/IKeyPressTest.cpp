#include <gtest/gtest.h>

#include "IKeyPress.h"

using iplug::IKeyPress;

TEST(IKeyPressText, KeepsOneTypedCharacter)
{
  EXPECT_STREQ(IKeyPress("a", 65).utf8, "a");
  EXPECT_STREQ(IKeyPress("\xE2\x82\xAC", 0).utf8, "\xE2\x82\xAC");        // euro sign, 3 bytes
  EXPECT_STREQ(IKeyPress("\xF0\x9F\x98\x80", 0).utf8, "\xF0\x9F\x98\x80"); // 4-byte emoji
}

TEST(IKeyPressText, NullTextIsEmpty)
{
  const IKeyPress key(nullptr, 27, true, false, true);
  EXPECT_STREQ(key.utf8, "");
  EXPECT_EQ(key.VK, 27);
  EXPECT_TRUE(key.S);
  EXPECT_FALSE(key.C);
  EXPECT_TRUE(key.A);
}

TEST(IKeyPressText, LongerTextIsCutWithoutSplittingACharacter)
{
  EXPECT_STREQ(IKeyPress("abcdef", 0).utf8, "abcd");
  EXPECT_STREQ(IKeyPress("ab\xE2\x82\xAC", 0).utf8, "ab");   // the euro sign would not fit whole
  EXPECT_STREQ(IKeyPress("abc\xC3\xA9", 0).utf8, "abc");     // nor would a 2-byte character
}
