#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "TestProcessor.h"

namespace iplug
{
namespace
{
using test::TestProcessor;

TEST(SysExData, KeepsAtMost512Bytes)
{
  std::vector<uint8_t> bytes(600);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>(i);
  const SysExData data(12, static_cast<int32_t>(bytes.size()), bytes.data());
  EXPECT_EQ(data.mOffset, 12);
  EXPECT_EQ(data.mSize, SysExData::kMaxSize);
  EXPECT_EQ(data.mData[511], bytes[511]);
}

TEST(SysExData, ShortMessagesAreZeroPadded)
{
  const uint8_t bytes[] = {0xF0, 0x7E, 0xF7};
  const SysExData data(0, 3, bytes);
  EXPECT_EQ(data.mSize, 3);
  EXPECT_EQ(data.mData[2], 0xF7);
  EXPECT_EQ(data.mData[3], 0);
  EXPECT_EQ(data.mData[SysExData::kMaxSize - 1], 0);
}

TEST(SysExData, MissingOrNegativeDataCopiesNothing)
{
  const uint8_t bytes[] = {0xF0};
  EXPECT_EQ(SysExData(0, 5, nullptr).mSize, 0);
  EXPECT_EQ(SysExData(0, -1, bytes).mSize, 0);
  EXPECT_EQ(SysExData().mData[0], 0);
}

TEST(SendMidiMsgs, EmptyListSucceedsWithoutSending)
{
  TestProcessor p("1-1");
  WDL_TypedBuf<IMidiMsg> msgs;
  EXPECT_TRUE(p.SendMidiMsgs(msgs));
  EXPECT_TRUE(p.sent.empty());
}

TEST(SendMidiMsgs, OneFailedSendFailsTheListButAllAreTried)
{
  TestProcessor p("1-1");
  p.failingSend = 0;
  WDL_TypedBuf<IMidiMsg> msgs;
  for (uint8_t note = 60; note < 63; ++note)
    msgs.Add(IMidiMsg(0, 0x90, note, 1));
  EXPECT_FALSE(p.SendMidiMsgs(msgs));
  EXPECT_EQ(p.sent.size(), 3u);
}

TEST(MidiDefaults, IncomingMidiIsSentThrough)
{
  TestProcessor p("1-1");
  p.ProcessMidiMsg(IMidiMsg(3, 0xB0, 7, 64));
  ASSERT_EQ(p.sent.size(), 1u);
  EXPECT_EQ(p.sent[0].mData1, 7);
  EXPECT_EQ(p.sent[0].mData2, 64);
}

} // namespace
} // namespace iplug
