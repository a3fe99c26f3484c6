// A project saved in one format restores the same values in the other: the LV2 state property holds exactly
// the bytes of the Audio Unit's ClassInfo "data" (as tidewell_host saves it) for the same settings, and
// those bytes restore in a new LV2 instance.

#include <gtest/gtest.h>

#include <CoreFoundation/CoreFoundation.h>
#include <lv2/atom/atom.h>

#include <vector>

#include "LV2TestHost.h"
#include "host/HostProgram.h"

namespace
{
  constexpr const char* kStateKey = "https://kelvane.com/plugins/Tidewell#parameters";

  // The "data" entry of a saved ClassInfo property list; empty when the file holds none.
  std::vector<uint8_t> ClassInfoData(const std::string& path)
  {
    const std::vector<char> file = FileBytes(path);
    CFDataRef bytes = CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(file.data()),
                                   static_cast<CFIndex>(file.size()));
    CFPropertyListRef list = CFPropertyListCreateWithData(kCFAllocatorDefault, bytes, 0, nullptr, nullptr);
    CFRelease(bytes);
    std::vector<uint8_t> data;
    if (!list)
      return data;
    CFStringRef key = CFStringCreateWithCString(kCFAllocatorDefault, "data", kCFStringEncodingUTF8);
    const auto entry = static_cast<CFDataRef>(CFDictionaryGetValue(static_cast<CFDictionaryRef>(list), key));
    if (entry)
      data.assign(CFDataGetBytePtr(entry), CFDataGetBytePtr(entry) + CFDataGetLength(entry));
    CFRelease(key);
    CFRelease(list);
    return data;
  }

  std::vector<uint8_t> SavedLV2State(LV2TestWorld& world, LV2TestInstance& instance)
  {
    LV2StateStore store;
    EXPECT_EQ(instance.StateInterface()->save(lilv_instance_get_handle(instance.Get()), LV2StateStore::Store, &store, 0,
                                              instance.StateFeatures()),
              LV2_STATE_SUCCESS);
    const auto found = store.properties.find(world.URID(kStateKey));
    return found == store.properties.end() ? std::vector<uint8_t>() : found->second.bytes;
  }

  class CrossFormatState : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      const HostRun run = RunHost({"state", "save", mScratch.Path("au.plist"), "--set", "Duck=Bypassed", "--set",
                                   "Period=0.25", "--set", "Random=0.75", "--set", "Duration=0.125", "--set",
                                   "Depth=0.375"},
                                  mScratch);
      ASSERT_EQ(run.exitCode, 0) << run.err;
      mAudioUnitData = ClassInfoData(mScratch.Path("au.plist"));
      ASSERT_EQ(mAudioUnitData.size(), 40u);
    }

    ScratchFolder mScratch;
    LV2TestWorld mWorld;
    std::vector<uint8_t> mAudioUnitData;
  };
}

TEST_F(CrossFormatState, LV2SavesTheAudioUnitsBytesForTheSameSettings)
{
  LV2TestInstance instance(mWorld, StereoURI());
  ASSERT_TRUE(instance.Valid());
  instance.Control("duck") = 0.f;
  instance.Control("period") = 0.25f;
  instance.Control("random") = 0.75f;
  instance.Control("duration") = 0.125f;
  instance.Control("depth") = 0.375f;
  instance.Run(1);
  EXPECT_EQ(SavedLV2State(mWorld, instance), mAudioUnitData);
}

TEST_F(CrossFormatState, TheAudioUnitsBytesRestoreInAnLV2Instance)
{
  LV2TestInstance instance(mWorld, MonoURI());
  ASSERT_TRUE(instance.Valid());
  LV2StateStore store;
  store.properties[mWorld.URID(kStateKey)] = {mAudioUnitData, mWorld.URID(LV2_ATOM__Chunk), LV2_STATE_IS_POD};
  ASSERT_EQ(instance.StateInterface()->restore(lilv_instance_get_handle(instance.Get()), LV2StateStore::Retrieve,
                                               &store, 0, instance.StateFeatures()),
            LV2_STATE_SUCCESS);
  EXPECT_EQ(SavedLV2State(mWorld, instance), mAudioUnitData);
}
