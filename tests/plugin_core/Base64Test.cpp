#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Base64.h"

using iplug::Base64Decode;
using iplug::Base64Encode;

namespace
{
  std::string Encode(const std::string& bytes)
  {
    WDL_String out("stale");
    Base64Encode(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()), out);
    return out.Get();
  }
}

TEST(Base64, EncodesTheStandardTestVectorsWithPadding)
{
  EXPECT_EQ(Encode(""), "");
  EXPECT_EQ(Encode("f"), "Zg==");
  EXPECT_EQ(Encode("fo"), "Zm8=");
  EXPECT_EQ(Encode("foo"), "Zm9v");
  EXPECT_EQ(Encode("foob"), "Zm9vYg==");
  EXPECT_EQ(Encode("fooba"), "Zm9vYmE=");
  EXPECT_EQ(Encode("foobar"), "Zm9vYmFy");
  EXPECT_EQ(Encode(std::string("\xFB\xFF\xBF", 3)), "+/+/");
}

TEST(Base64, DecodesUntilTheFirstCharacterOutsideTheAlphabet)
{
  uint8_t out[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_EQ(Base64Decode("Zm9vYg==", out, 8), 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 4), "foob");
  EXPECT_EQ(out[4], 0xEE) << "bytes past the decoded ones are left alone";

  EXPECT_EQ(Base64Decode("Zm9v YmFy", out, 8), 3) << "a space ends the text";
  EXPECT_EQ(Base64Decode("", out, 8), 0);
  EXPECT_EQ(Base64Decode(nullptr, out, 8), 0);
}

TEST(Base64, DecodingStopsWhenTheBufferIsFull)
{
  uint8_t out[3] = {};
  EXPECT_EQ(Base64Decode("Zm9vYmFy", out, 2), 2);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 2), "fo");
  EXPECT_EQ(out[2], 0);
  EXPECT_EQ(Base64Decode("Zm9vYmFy", out, 0), 0);
  EXPECT_EQ(Base64Decode("Zm9vYmFy", out, -5), 0);
}

TEST(Base64, EveryByteValueRoundTrips)
{
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 256; ++i)
    bytes.push_back(static_cast<uint8_t>(255 - i));
  for (int size = 0; size <= 256; size += 37)
  {
    WDL_String text;
    Base64Encode(bytes.data(), size, text);
    EXPECT_EQ(text.GetLength(), (size + 2) / 3 * 4);
    std::vector<uint8_t> decoded(static_cast<std::size_t>(size) + 1, 0);
    EXPECT_EQ(Base64Decode(text.Get(), decoded.data(), size + 1), size);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + size, decoded.begin())) << size << " bytes";
  }
}
