#include <gtest/gtest.h>

#include <cstring>

#include "IByteChunk.h"

using iplug::IByteChunk;

TEST(IByteChunk, ValuesRoundTripInLittleEndianWithoutPadding)
{
  IByteChunk chunk;
  const double value = 0.5;
  const int32_t count = 7;
  const uint8_t flag = 1;
  EXPECT_EQ(chunk.Put(&value), 8);
  EXPECT_EQ(chunk.Put(&count), 12);
  EXPECT_EQ(chunk.Put(&flag), 13);
  EXPECT_EQ(chunk.GetData()[8], 7);
  EXPECT_EQ(chunk.GetData()[7], 0x3F) << "0.5 is 3FE0000000000000, stored low byte first";

  double readValue = 0;
  int32_t readCount = 0;
  uint8_t readFlag = 0;
  int pos = chunk.Get(&readValue, 0);
  pos = chunk.Get(&readCount, pos);
  pos = chunk.Get(&readFlag, pos);
  EXPECT_EQ(pos, 13);
  EXPECT_EQ(readValue, 0.5);
  EXPECT_EQ(readCount, 7);
  EXPECT_EQ(readFlag, 1);
}

TEST(IByteChunk, ShortReadsFailAndLeaveTheTargetAlone)
{
  IByteChunk chunk;
  const int32_t small = 3;
  chunk.Put(&small);
  double target = 42.0;
  EXPECT_EQ(chunk.Get(&target, 0), -1);
  EXPECT_EQ(target, 42.0);
  int32_t value = 0;
  EXPECT_EQ(chunk.Get(&value, 1), -1);
  EXPECT_EQ(chunk.Get(&value, -1), -1);
  EXPECT_EQ(chunk.Get(&value, 0x7ffffffe), -1);
  EXPECT_EQ(value, 0);
}

TEST(IByteChunk, StringsCarryALengthAndNoTerminator)
{
  IByteChunk chunk;
  EXPECT_EQ(chunk.PutStr("Preset"), 10);
  EXPECT_EQ(chunk.PutStr(""), 14);
  WDL_String text("unchanged");
  EXPECT_EQ(chunk.GetStr(text, 0), 10);
  EXPECT_STREQ(text.Get(), "Preset");
  EXPECT_EQ(chunk.GetStr(text, 10), 14);
  EXPECT_STREQ(text.Get(), "");
}

TEST(IByteChunk, LyingStringLengthsAreRefused)
{
  IByteChunk chunk;
  const int32_t tooLong = 1000;
  chunk.Put(&tooLong);
  chunk.PutBytes("abc", 3);
  WDL_String text("kept");
  EXPECT_EQ(chunk.GetStr(text, 0), -1);
  EXPECT_STREQ(text.Get(), "kept");

  IByteChunk negative;
  const int32_t minusTen = -10;
  negative.Put(&minusTen);
  EXPECT_EQ(negative.GetStr(text, 0), 4) << "a negative length reads as empty and never moves backwards";
  EXPECT_STREQ(text.Get(), "");

  IByteChunk truncated;
  truncated.PutBytes("\x02\x00", 2);
  EXPECT_EQ(truncated.GetStr(text, 0), -1);
}

TEST(IByteChunk, StringStopsAtAnEmbeddedNul)
{
  IByteChunk chunk;
  const int32_t length = 5;
  chunk.Put(&length);
  chunk.PutBytes("ab\0cd", 5);
  WDL_String text;
  EXPECT_EQ(chunk.GetStr(text, 0), 9);
  EXPECT_STREQ(text.Get(), "ab");
}

TEST(IByteChunk, ResizeZeroFillsAndChunksAppendWhole)
{
  IByteChunk chunk;
  chunk.PutBytes("xy", 2);
  EXPECT_EQ(chunk.Resize(6), 6);
  EXPECT_EQ(std::memcmp(chunk.GetData(), "xy\0\0\0\0", 6), 0);
  IByteChunk other;
  other.PutChunk(&chunk);
  other.PutChunk(&chunk);
  EXPECT_EQ(other.Size(), 12);
  chunk.PutChunk(&chunk);
  EXPECT_TRUE(other.IsEqual(chunk)) << "a chunk appended to itself doubles";
  chunk.Clear();
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_FALSE(other.IsEqual(chunk));
}

TEST(IByteChunk, AppendingToItselfSurvivesGrowth)
{
  IByteChunk chunk;
  for (int i = 0; i < 4096; ++i)
  {
    const auto byte = static_cast<uint8_t>(i * 7);
    chunk.Put(&byte);
  }
  EXPECT_EQ(chunk.PutChunk(&chunk), 8192);
  for (int i = 0; i < 8192; i += 511)
    ASSERT_EQ(chunk.GetData()[i], static_cast<uint8_t>((i % 4096) * 7));
}
