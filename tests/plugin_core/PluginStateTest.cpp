#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "TestPlugin.h"

using iplug::IByteChunk;
using iplug::test::Bytes;
using iplug::test::TestPlugin;

namespace
{
  // A chunk holding the given doubles as written by Put.
  IByteChunk ChunkOf(const std::vector<double>& values)
  {
    IByteChunk chunk;
    for (double value : values)
      chunk.Put(&value);
    return chunk;
  }
}

TEST(PluginState, FiveParametersSerializeToFortyLittleEndianBytes)
{
  TestPlugin plugin;
  plugin.SetValues({1.0, 0.25, 0.5, 0.75, 0.0});
  IByteChunk chunk;
  ASSERT_TRUE(plugin.SerializeState(chunk));
  ASSERT_EQ(chunk.Size(), 40);
  EXPECT_EQ(Bytes(chunk), Bytes(ChunkOf({1.0, 0.25, 0.5, 0.75, 0.0})));
  // 0.25 is 3FD0000000000000: low byte first, sign and exponent last.
  EXPECT_EQ(chunk.GetData()[15], 0x3F);
  EXPECT_EQ(chunk.GetData()[14], 0xD0);
}

TEST(PluginState, FortyByteStateRestoresEveryParameter)
{
  TestPlugin source;
  source.SetValues({0.0, 0.13, 0.27, 0.91, 0.42});
  IByteChunk chunk;
  ASSERT_TRUE(source.SerializeState(chunk));

  TestPlugin restored;
  EXPECT_EQ(restored.UnserializeState(chunk, 0), 40);
  EXPECT_EQ(restored.Values(), source.Values());
  EXPECT_EQ(restored.resetSources, (std::vector<iplug::EParamSource>{iplug::kPresetRecall}));
}

TEST(PluginState, ReadingStartsAtTheGivenPosition)
{
  IByteChunk chunk;
  const int32_t prefix = 77;
  chunk.Put(&prefix);
  const IByteChunk state = ChunkOf({1.0, 0.1, 0.2, 0.3, 0.4});
  chunk.PutChunk(&state);
  TestPlugin plugin;
  EXPECT_EQ(plugin.UnserializeParams(chunk, 4), 44);
  EXPECT_EQ(plugin.Values(), (std::vector<double>{1.0, 0.1, 0.2, 0.3, 0.4}));
}

TEST(PluginState, ShortStateRestoresWhatItHoldsZeroesTheNextAndKeepsTheRest)
{
  TestPlugin plugin;
  plugin.SetValues({0.0, 0.9, 0.9, 0.9, 0.6});
  const IByteChunk chunk = ChunkOf({1.0, 0.2, 0.3});
  ASSERT_EQ(chunk.Size(), 24);

  EXPECT_EQ(plugin.UnserializeState(chunk, 0), -1);
  EXPECT_EQ(plugin.Values(), (std::vector<double>{1.0, 0.2, 0.3, 0.0, 0.6}));
  EXPECT_EQ(plugin.resetSources.size(), 1u) << "listeners hear of the partial restore too";
}

TEST(PluginState, ShortStateSetsTheFailingParameterToItsConstrainedZero)
{
  TestPlugin plugin;
  plugin.GetParam(iplug::test::kDuration)->InitDouble("Offset", 0.5, 0.25, 1.0, 0.01);
  plugin.GetParam(iplug::test::kDuration)->Set(0.8);
  EXPECT_EQ(plugin.UnserializeParams(ChunkOf({1.0, 0.2, 0.3}), 0), -1);
  EXPECT_EQ(plugin.GetParam(iplug::test::kDuration)->Value(), 0.25);
}

TEST(PluginState, StoredValuesPassThroughTheConstrainRule)
{
  TestPlugin plugin;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(plugin.UnserializeParams(ChunkOf({0.7, 5.0, -3.0, nan, 0.123}), 0), 40);
  EXPECT_EQ(plugin.Values(), (std::vector<double>{1.0, 1.0, 0.0, 0.0, 0.123}));
}

TEST(PluginState, StatesOfAnyLengthAreReadWithinBounds)
{
  const IByteChunk full = ChunkOf({1.0, 0.1, 0.2, 0.3, 0.4, 0.5});
  for (int size = 0; size <= full.Size(); ++size)
  {
    IByteChunk chunk;
    chunk.PutBytes(full.GetData(), size);
    TestPlugin plugin;
    const int expected = size >= 40 ? 40 : -1;
    EXPECT_EQ(plugin.UnserializeParams(chunk, 0), expected) << size << " bytes";
  }
  TestPlugin plugin;
  EXPECT_EQ(plugin.UnserializeParams(full, -1), -1);
  EXPECT_EQ(plugin.UnserializeParams(full, 1 << 30), -1);
}

TEST(PluginState, ParameterlessPluginReportsAnEmptyState)
{
  iplug::IPluginBase plugin(0, 0);
  IByteChunk chunk;
  EXPECT_FALSE(plugin.SerializeState(chunk));
  EXPECT_EQ(plugin.UnserializeState(chunk, 0), 0);
}
