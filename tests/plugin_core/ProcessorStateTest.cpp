#include <gtest/gtest.h>

#include "IPlugAPIBase.h"

#include "TestProcessor.h"

namespace iplug
{
namespace
{
using test::MakeConfig;
using test::TestProcessor;

class KindProcessor : public IPlugProcessor
{
public:
  KindProcessor(int kind, bool midiIn) : IPlugProcessor(MakeConfig("1-1", kind, midiIn, 64)) {}
  bool SendMidiMsg(const IMidiMsg&) override { return true; }
};

constexpr uint32_t Code(char a, char b, char c, char d)
{
  return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(b) << 16 | static_cast<uint32_t>(c) << 8 |
         static_cast<uint32_t>(d);
}

TEST(ProcessorState, TakesKindMidiAndLatencyFromTheConfiguration)
{
  KindProcessor p(0, true);
  EXPECT_EQ(p.GetLatency(), 64);
  EXPECT_TRUE(p.DoesMIDIIn());
  EXPECT_FALSE(p.DoesMIDIOut());
  EXPECT_FALSE(p.IsInstrument());
  EXPECT_EQ(p.GetSampleRate(), 48000.0);
}

TEST(ProcessorState, AUPluginTypeFollowsKindAndMidiInput)
{
  EXPECT_EQ(KindProcessor(0, false).GetAUPluginType(), Code('a', 'u', 'f', 'x'));
  EXPECT_EQ(KindProcessor(0, true).GetAUPluginType(), Code('a', 'u', 'm', 'f'));
  EXPECT_EQ(KindProcessor(1, false).GetAUPluginType(), Code('a', 'u', 'm', 'u'));
  EXPECT_EQ(KindProcessor(2, true).GetAUPluginType(), Code('a', 'u', 'm', 'i'));
  EXPECT_EQ(KindProcessor(7, true).GetAUPluginType(), Code('a', 'u', 'f', 'x'));
  EXPECT_TRUE(KindProcessor(1, false).IsInstrument());
  EXPECT_TRUE(KindProcessor(2, false).IsMidiEffect());
}

TEST(ProcessorState, SamplesPerBeatNeedsAPositiveTempo)
{
  TestProcessor p("1-1");
  EXPECT_DOUBLE_EQ(p.GetSamplesPerBeat(), 24000.0);
  ITransportInfo info;
  info.mTempo = 90.0;
  p.SetSampleRate(44100.0);
  p.SetTransportInfo(info);
  EXPECT_DOUBLE_EQ(p.GetSamplesPerBeat(), 29400.0);
  info.mTempo = 0.0;
  p.SetTransportInfo(info);
  EXPECT_EQ(p.GetSamplesPerBeat(), 0.0);
  info.mTempo = -120.0;
  p.SetTransportInfo(info);
  EXPECT_EQ(p.GetSamplesPerBeat(), 0.0);
}

TEST(Config, EditorSizeLimitsGivenInEitherOrderAreKeptSorted)
{
  const Config config{.paramCount = 1, .channelIO = "1-1", .hasEditor = true, .editorWidth = 400, .editorHeight = 300,
                      .editorMinWidth = 800, .editorMaxWidth = 200, .editorMinHeight = 150, .editorMaxHeight = 600};
  const IPlugAPIBase plug(config, kAPIAU);
  EXPECT_EQ(plug.GetMinWidth(), 200);
  EXPECT_EQ(plug.GetMaxWidth(), 800);
  EXPECT_EQ(plug.GetMinHeight(), 150);
  EXPECT_EQ(plug.GetMaxHeight(), 600);
}
} // namespace
} // namespace iplug
