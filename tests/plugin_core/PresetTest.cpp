#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestPlugin.h"

using iplug::IByteChunk;
using iplug::test::Bytes;
using iplug::test::TestPlugin;

namespace
{
  // The doubles stored in a preset's chunk.
  std::vector<double> PresetValues(const TestPlugin& plugin, int idx)
  {
    std::vector<double> values;
    const IByteChunk& chunk = plugin.GetPreset(idx)->mChunk;
    double value = 0.0;
    for (int pos = chunk.Get(&value, 0); pos > 0; pos = chunk.Get(&value, pos))
      values.push_back(value);
    return values;
  }
}

TEST(PresetSlots, NewSlotsAreUninitialisedAndNamedEmpty)
{
  TestPlugin plugin(3);
  ASSERT_EQ(plugin.NPresets(), 3);
  for (int i = 0; i < 3; ++i)
  {
    EXPECT_FALSE(plugin.GetPreset(i)->mInitialized);
    EXPECT_STREQ(plugin.GetPresetName(i), "empty");
  }
  EXPECT_STREQ(plugin.GetPresetName(3), "");
  EXPECT_STREQ(plugin.GetPresetName(-1), "");
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 0);
}

TEST(PresetSlots, LongNamesAreCutAtACharacterBoundary)
{
  iplug::IPreset preset;
  std::string name(254, 'a');
  name += "\xC3\xA9"; // a two-byte character across the last usable byte is dropped whole
  preset.SetName(name.c_str());
  EXPECT_EQ(std::string(preset.mName), std::string(254, 'a'));
  name = std::string(253, 'a') + "\xC3\xA9\xC3\xA9";
  preset.SetName(name.c_str());
  EXPECT_EQ(std::string(preset.mName), std::string(253, 'a') + "\xC3\xA9");
}

TEST(PresetMaking, DefaultPresetsTakeTheCurrentStateInFreeSlots)
{
  TestPlugin plugin(3);
  plugin.SetValues({0.0, 0.1, 0.2, 0.3, 0.4});
  plugin.MakeDefaultPreset(nullptr, 2);
  EXPECT_STREQ(plugin.GetPresetName(0), "Empty");
  EXPECT_STREQ(plugin.GetPresetName(1), "Empty");
  EXPECT_FALSE(plugin.GetPreset(2)->mInitialized);
  EXPECT_EQ(PresetValues(plugin, 1), plugin.Values());

  plugin.MakeDefaultPreset("Init", 5);
  EXPECT_STREQ(plugin.GetPresetName(2), "Init");
}

TEST(PresetMaking, MakePresetTakesIntsForEnumsAndDoublesOtherwise)
{
  TestPlugin plugin(2);
  plugin.MakePreset("Gentle", 0, 0.1, 0.2, 0.3, 0.4);
  EXPECT_TRUE(plugin.GetPreset(0)->mInitialized);
  EXPECT_STREQ(plugin.GetPresetName(0), "Gentle");
  EXPECT_EQ(PresetValues(plugin, 0), (std::vector<double>{0.0, 0.1, 0.2, 0.3, 0.4}));
}

TEST(PresetMaking, MakePresetWithoutAFreeSlotChangesNothing)
{
  TestPlugin plugin(1);
  plugin.MakePreset("First", 1, 0.1, 0.2, 0.3, 0.4);
  plugin.MakePreset("Second", 0, 0.5, 0.5, 0.5, 0.5);
  EXPECT_STREQ(plugin.GetPresetName(0), "First");
  EXPECT_EQ(PresetValues(plugin, 0), (std::vector<double>{1.0, 0.1, 0.2, 0.3, 0.4}));
}

TEST(PresetMaking, NamedParamsFillTheRestFromCurrentValues)
{
  TestPlugin plugin(1);
  plugin.SetValues({1.0, 0.11, 0.22, 0.33, 0.44});
  plugin.MakePresetFromNamedParams("Named", 3, iplug::test::kDepth, 0.9, iplug::test::kPeriod, 0.8, 17, 0.5);
  EXPECT_EQ(PresetValues(plugin, 0), (std::vector<double>{1.0, 0.8, 0.22, 0.33, 0.9}));
}

TEST(PresetMaking, BlobDecodesIntoAZeroFilledBufferOfTheGivenSize)
{
  TestPlugin plugin(2);
  plugin.MakePresetFromBlob("Blob", "AQID", 8); // 01 02 03
  EXPECT_EQ(Bytes(plugin.GetPreset(0)->mChunk), (std::vector<uint8_t>{1, 2, 3, 0, 0, 0, 0, 0}));

  plugin.MakePresetFromBlob("Cut", "AQIDBAUG", 2);
  EXPECT_EQ(Bytes(plugin.GetPreset(1)->mChunk), (std::vector<uint8_t>{1, 2}));
}

TEST(PresetMaking, EnsureDefaultPresetFillsEveryFreeSlot)
{
  TestPlugin plugin(3);
  plugin.MakePreset("Made", 1, 0.1, 0.2, 0.3, 0.4);
  plugin.EnsureDefaultPreset();
  EXPECT_STREQ(plugin.GetPresetName(0), "Made");
  EXPECT_STREQ(plugin.GetPresetName(1), "Empty");
  EXPECT_STREQ(plugin.GetPresetName(2), "Empty");
  EXPECT_TRUE(plugin.GetPreset(2)->mInitialized);
}

TEST(PresetMaking, PruningRemovesFreeSlotsAndTheCurrentIndexFollowsItsPreset)
{
  TestPlugin plugin(4);
  ASSERT_TRUE(plugin.RestorePreset(1));
  ASSERT_TRUE(plugin.RestorePreset(3));
  ASSERT_STREQ(plugin.GetPresetName(3), "user preset 2");

  plugin.PruneUninitializedPresets();
  ASSERT_EQ(plugin.NPresets(), 2);
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 1);
  EXPECT_STREQ(plugin.GetPresetName(plugin.GetCurrentPresetIdx()), "user preset 2");
}

TEST(PresetMaking, PruningAFreeCurrentSlotMakesTheFirstPresetCurrent)
{
  TestPlugin plugin(3);
  ASSERT_TRUE(plugin.RestorePreset(1));
  plugin.mCurrentPresetIdx = 2;
  plugin.PruneUninitializedPresets();
  EXPECT_EQ(plugin.NPresets(), 1);
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 0);
}

TEST(PresetMaking, ProductPrunesItsOnlySlotAndHasNoPresets)
{
  TestPlugin product(1);
  product.PruneUninitializedPresets();
  EXPECT_EQ(product.NPresets(), 0);
  EXPECT_EQ(product.GetCurrentPresetIdx(), 0);
  EXPECT_FALSE(product.RestorePreset(0));
  EXPECT_STREQ(product.GetPresetName(product.GetCurrentPresetIdx()), "");
}

TEST(PresetRestore, UninitialisedSlotBecomesTheNextUserPreset)
{
  TestPlugin plugin(3);
  plugin.SetValues({0.0, 0.1, 0.2, 0.3, 0.4});
  ASSERT_TRUE(plugin.RestorePreset(1));
  EXPECT_STREQ(plugin.GetPresetName(1), "user preset 1");
  EXPECT_EQ(PresetValues(plugin, 1), plugin.Values());
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 1);
  EXPECT_EQ(plugin.presetsModifiedCalls, 1);
  EXPECT_EQ(plugin.restoreStateCalls, 1);

  ASSERT_TRUE(plugin.RestorePreset(2));
  EXPECT_STREQ(plugin.GetPresetName(2), "user preset 2");
}

TEST(PresetRestore, InitialisedPresetIsApplied)
{
  TestPlugin plugin(2);
  plugin.MakePreset("Deep", 1, 0.1, 0.2, 0.3, 1.0);
  plugin.SetValues({0.0, 0.5, 0.5, 0.5, 0.5});
  ASSERT_TRUE(plugin.RestorePreset("Deep"));
  EXPECT_EQ(plugin.Values(), (std::vector<double>{1.0, 0.1, 0.2, 0.3, 1.0}));
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 0);
  EXPECT_EQ(plugin.restoreStateCalls, 1);
}

TEST(PresetRestore, BadIndexNameOrStateIsRefused)
{
  TestPlugin plugin(2);
  plugin.MakePresetFromChunk("Short", IByteChunk());
  EXPECT_FALSE(plugin.RestorePreset(-1));
  EXPECT_FALSE(plugin.RestorePreset(2));
  EXPECT_FALSE(plugin.RestorePreset(""));
  EXPECT_FALSE(plugin.RestorePreset(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(plugin.RestorePreset("Missing"));
  EXPECT_FALSE(plugin.RestorePreset("Short")) << "an empty state does not restore";
  EXPECT_EQ(plugin.restoreStateCalls, 0);
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 0);
}

TEST(PresetRestore, ModifyCurrentPresetStoresTheStateAndOptionalName)
{
  TestPlugin plugin(2);
  plugin.MakePreset("Old", 1, 0.1, 0.2, 0.3, 0.4);
  plugin.SetValues({0.0, 0.9, 0.8, 0.7, 0.6});
  plugin.ModifyCurrentPreset();
  EXPECT_STREQ(plugin.GetPresetName(0), "Old");
  EXPECT_EQ(PresetValues(plugin, 0), plugin.Values());
  plugin.ModifyCurrentPreset("New");
  EXPECT_STREQ(plugin.GetPresetName(0), "New");
}

TEST(PresetList, SerializedPresetsRoundTrip)
{
  TestPlugin source(3);
  source.MakePreset("One", 1, 0.1, 0.2, 0.3, 0.4);
  source.MakePreset("Two", 0, 0.5, 0.6, 0.7, 0.8);
  IByteChunk chunk;
  ASSERT_TRUE(source.SerializePresets(chunk));
  // Each initialised preset: 4 + name, 1 flag byte, 40 state bytes; the free slot "empty" has no state.
  EXPECT_EQ(chunk.Size(), (4 + 3 + 1 + 40) * 2 + (4 + 5 + 1));

  TestPlugin restored(3);
  restored.SetValues({1.0, 0.01, 0.02, 0.03, 0.04});
  EXPECT_EQ(restored.UnserializePresets(chunk, 0), chunk.Size());
  for (int i = 0; i < 3; ++i)
  {
    EXPECT_STREQ(restored.GetPresetName(i), source.GetPresetName(i));
    EXPECT_EQ(restored.GetPreset(i)->mInitialized, source.GetPreset(i)->mInitialized);
  }
  EXPECT_EQ(PresetValues(restored, 1), PresetValues(source, 1));
  EXPECT_EQ(restored.Values(), (std::vector<double>{1.0, 0.1, 0.2, 0.3, 0.4})) << "the current preset is recalled";
}

TEST(PresetList, BadChunkChangesNeitherPresetsNorParameters)
{
  TestPlugin source(2);
  source.MakePreset("One", 1, 0.1, 0.2, 0.3, 0.4);
  source.MakePreset("Two", 0, 0.5, 0.6, 0.7, 0.8);
  IByteChunk full;
  ASSERT_TRUE(source.SerializePresets(full));

  for (int size = 0; size < full.Size(); ++size)
  {
    IByteChunk chunk;
    chunk.PutBytes(full.GetData(), size);
    TestPlugin plugin(2);
    plugin.MakePreset("Mine", 0, 0.9, 0.9, 0.9, 0.9);
    plugin.SetValues({1.0, 0.25, 0.25, 0.25, 0.25});
    EXPECT_EQ(plugin.UnserializePresets(chunk, 0), -1) << size << " bytes";
    EXPECT_STREQ(plugin.GetPresetName(0), "Mine");
    EXPECT_STREQ(plugin.GetPresetName(1), "empty");
    EXPECT_FALSE(plugin.GetPreset(1)->mInitialized);
    EXPECT_EQ(plugin.Values(), (std::vector<double>{1.0, 0.25, 0.25, 0.25, 0.25})) << size << " bytes";
  }
}

TEST(PresetList, LyingNameLengthIsRefused)
{
  IByteChunk chunk;
  const int32_t hugeLength = 0x7FFFFFF0;
  chunk.Put(&hugeLength);
  chunk.PutStr("tail");
  TestPlugin plugin(1);
  EXPECT_EQ(plugin.UnserializePresets(chunk, 0), -1);
  EXPECT_STREQ(plugin.GetPresetName(0), "empty");
}
