// The component factory's instance block, the selector table, and Initialize / Uninitialize / Reset.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>

using namespace au_test;

namespace
{
// The factory's block as a host sees it: eight pointer-sized slots.
struct HeaderSlots
{
  void* slots[8];
};

AudioComponentPlugInInterface* NewBlockFromFactory()
{
  const std::filesystem::path path = TIDEWELL_BUNDLE_PATH;
  CFOwned<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(path.c_str()),
                                                                static_cast<CFIndex>(path.string().size()), true));
  CFOwned<CFBundleRef> bundle(CFBundleCreate(nullptr, url));
  CFOwned<CFStringRef> name(NewString("Tidewell_Factory"));
  auto factory = reinterpret_cast<AudioComponentFactoryFunction>(CFBundleGetFunctionPointerForName(bundle, name));
  return factory ? factory(&kTidewell) : nullptr;
}
} // namespace

TEST(InstanceBlock, StartsWithTheEightSlotHeader)
{
  AudioComponentPlugInInterface* block = NewBlockFromFactory();
  ASSERT_NE(block, nullptr);
  const auto* header = reinterpret_cast<const HeaderSlots*>(block);
  for (int slot : {0, 1, 2, 4, 5})
    EXPECT_NE(header->slots[slot], nullptr) << "slot " << slot;
  for (int slot : {3, 6, 7})
    EXPECT_EQ(header->slots[slot], nullptr) << "slot " << slot;
  EXPECT_EQ(block->Open(block, nullptr), noErr);
  EXPECT_EQ(block->Close(block), noErr);
}

TEST(InstanceBlock, ClosingAnUnopenedBlockOnlyFreesIt)
{
  AudioComponentPlugInInterface* block = NewBlockFromFactory();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Close(block), noErr);
}

TEST(SelectorTable, ServesTheAudioUnitSelectorsOnly)
{
  Unit unit;
  ASSERT_EQ(unit.Status(), noErr);
  for (SInt16 selector : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 14, 15, 16, 17, 18})
    EXPECT_TRUE(AudioComponentInstanceCanDo(unit, selector)) << "selector " << selector;
  for (SInt16 selector : {0, 8, 12, 13, 19, 20, 0x101, 0x102, -1, -3})
    EXPECT_FALSE(AudioComponentInstanceCanDo(unit, selector)) << "selector " << selector;
}

TEST(SelectorTable, ServesMidiSelectorsWhenTheFactorySaysSo)
{
  Unit unit(kTestPlug);
  ASSERT_EQ(unit.Status(), noErr);
  EXPECT_TRUE(AudioComponentInstanceCanDo(unit, 0x101));
  EXPECT_TRUE(AudioComponentInstanceCanDo(unit, 0x102));
  EXPECT_FALSE(AudioComponentInstanceCanDo(unit, 0x103));
}

TEST(Lifecycle, InitializesUninitializesAndResetsInAnyOrder)
{
  Unit unit;
  EXPECT_EQ(AudioUnitReset(unit, kAudioUnitScope_Global, 0), noErr);
  EXPECT_EQ(AudioUnitInitialize(unit), noErr);
  EXPECT_EQ(AudioUnitReset(unit, kAudioUnitScope_Input, 7), noErr);
  EXPECT_EQ(AudioUnitUninitialize(unit), noErr);
  EXPECT_EQ(AudioUnitInitialize(unit), noErr);
}

TEST(Lifecycle, InitializeChecksTheDeclaredChannels)
{
  Unit unit;
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, FloatFormat(1)), noErr);
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, FloatFormat(2)), noErr);
  EXPECT_EQ(AudioUnitInitialize(unit), badComponentSelector);

  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, FloatFormat(2)), noErr);
  EXPECT_EQ(AudioUnitInitialize(unit), noErr);
}
